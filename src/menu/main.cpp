// Program entry: take the console, run the chain of screens, give the console back.

#include "console/program_console.hpp"
#include "menu/screen_chain.hpp"
#include "model/context.hpp"

#include <cstdio>
#include <exception>

int main() {
    zk::ProgramConsole console;
    zk::Context ctx(console);
    console.show(ctx.console.screen);

    int status = 0;
    try {
        status = zk::run_screens(ctx);
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
