// Program entry: take the terminal, run the chain of screens, give the terminal back.

#include "board_screen/context.hpp"
#include "console/fd_sink.hpp"
#include "console/presenter.hpp"
#include "console/terminal.hpp"
#include "console/terminal_keys.hpp"
#include "menu/screen_chain.hpp"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <langinfo.h>
#include <unistd.h>

int main() {
    std::setlocale(LC_CTYPE, "");
    const zk::PresenterOptions options =
        zk::presenter_options(nl_langinfo(CODESET), std::getenv("COLORTERM"));

    zk::Terminal terminal(STDIN_FILENO, STDOUT_FILENO);
    zk::FdSink sink(STDOUT_FILENO);
    zk::Presenter presenter(sink, options);
    zk::TerminalKeys keys(terminal, presenter);
    zk::Screen screen;
    zk::Context ctx(screen, keys);
    keys.show(screen);

    int status = 0;
    try {
        zk::run_screens(ctx);
    } catch (const zk::InputEnded&) {
        status = 1; // the input ended before the player typed "exit"
    } catch (const std::exception& e) {
        keys.present();
        terminal.restore();
        std::fprintf(stderr, "zimvokrelt: %s\n", e.what());
        return 2;
    }
    // The last screen stays on the terminal above the shell's prompt.
    keys.present();
    terminal.restore();
    return status;
}
