#include "console/program_console.hpp"

#include "console/fd_sink.hpp"
#include "console/presenter.hpp"
#include "console/terminal.hpp"
#include "posix/terminal_keys.hpp"

#include <clocale>
#include <cstdlib>
#include <langinfo.h>
#include <unistd.h>

namespace zk {

namespace {

// The presenter's options for the user's locale and terminal.
PresenterOptions locale_options() {
    std::setlocale(LC_CTYPE, "");
    return presenter_options(nl_langinfo(CODESET), std::getenv("COLORTERM"), std::getenv("TERM"));
}

} // namespace

std::string_view console_unusable_reason() {
    if (isatty(STDOUT_FILENO) && is_dumb_terminal(std::getenv("TERM")))
        return DUMB_TERMINAL_MESSAGE;
    return {};
}

struct ProgramConsole::Parts {
    Parts()
        : options(locale_options()), presenter(sink, options),
          keys(terminal, presenter, options.utf8) {}

    PresenterOptions options;
    Terminal terminal{STDIN_FILENO, STDOUT_FILENO};
    FdSink sink{STDOUT_FILENO};
    Presenter presenter;
    TerminalKeys keys;
};

ProgramConsole::ProgramConsole() : parts_(std::make_unique<Parts>()) {}

ProgramConsole::~ProgramConsole() {
    release();
}

void ProgramConsole::show(Screen& screen) {
    parts_->keys.show(screen);
}

int ProgramConsole::read_code() {
    return parts_->keys.read_code();
}

void ProgramConsole::present() {
    parts_->keys.present();
}

void ProgramConsole::release() {
    parts_->terminal.restore();
}

} // namespace zk
