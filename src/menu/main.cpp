// Program entry: take the console, run the chain of screens, give the console back.

#include "board_screen/context.hpp"
#include "console/program_console.hpp"
#include "menu/console_texts.hpp"
#include "menu/screen_chain.hpp"

#include <cstdio>
#include <exception>
#include <string_view>

int main() {
    if (!zk::console_can_draw()) {
        // Nothing taken yet: the console stays as it was.
        const std::string_view why = zk::DUMB_TERMINAL_MESSAGE;
        std::fprintf(stderr, "%.*s\n", static_cast<int>(why.size()), why.data());
        return 1;
    }
    zk::ProgramConsole console(zk::ENLARGE_REQUEST);
    zk::Screen screen;
    zk::Context ctx(screen, console);
    console.show(screen);

    int status = 0;
    try {
        zk::run_screens(ctx);
    } catch (const zk::InputEnded&) {
        status = 1; // the input ended before the player typed "exit"
    } catch (const std::exception& e) {
        console.present();
        console.release();
        std::fprintf(stderr, "zimvokrelt: %s\n", e.what());
        return 2;
    }
    // The last screen stays on the console above the shell's prompt.
    console.present();
    console.release();
    return status;
}
