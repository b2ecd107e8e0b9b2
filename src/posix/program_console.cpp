#include "console/program_console.hpp"

#include "console/fd_sink.hpp"
#include "console/presenter.hpp"
#include "console/terminal.hpp"
#include "posix/terminal_keys.hpp"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <langinfo.h>
#include <unistd.h>

namespace zk {

namespace {

// The presenter's options for the user's locale and terminal. A palette other than the
// classic one cannot reach a terminal of 16 colours, whose own palette decides: that is said
// on the error output, before the terminal is taken, and the game goes on in its colours.
PresenterOptions locale_options(Palette palette) {
    std::setlocale(LC_CTYPE, "");
    PresenterOptions options =
        presenter_options(nl_langinfo(CODESET), std::getenv("COLORTERM"), std::getenv("TERM"));
    options.palette = palette;
    if (palette != Palette::classic && options.colours == ColourMode::basic16)
        std::fprintf(stderr, "%.*s\n", static_cast<int>(PALETTE_NOT_SHOWN_MESSAGE.size()),
                     PALETTE_NOT_SHOWN_MESSAGE.data());
    return options;
}

} // namespace

std::string_view console_unusable_reason() {
    if (isatty(STDOUT_FILENO) && is_dumb_terminal(std::getenv("TERM")))
        return DUMB_TERMINAL_MESSAGE;
    return {};
}

struct ProgramConsole::Parts {
    explicit Parts(Palette palette)
        : options(locale_options(palette)), presenter(sink, options),
          keys(terminal, presenter, options.utf8) {}

    PresenterOptions options;
    Terminal terminal{STDIN_FILENO, STDOUT_FILENO};
    FdSink sink{STDOUT_FILENO};
    Presenter presenter;
    TerminalKeys keys;
};

ProgramConsole::ProgramConsole(Palette palette) : parts_(std::make_unique<Parts>(palette)) {}

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
