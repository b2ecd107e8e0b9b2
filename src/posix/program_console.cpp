// The program's console on POSIX systems: the terminal hold, the ANSI presenter with the
// locale's options, and the terminal key source. The top of the POSIX console back end.

#include "console/program_console.hpp"

#include "console/fd_sink.hpp"
#include "console/presenter.hpp"
#include "console/terminal.hpp"
#include "posix/terminal_keys.hpp"

#include <clocale>
#include <cstdlib>
#include <langinfo.h>
#include <termios.h>
#include <unistd.h>

namespace zk {

namespace {

// The presenter's options for the user's locale and terminal.
PresenterOptions locale_options(Palette palette) {
    std::setlocale(LC_CTYPE, "");
    PresenterOptions options =
        presenter_options(nl_langinfo(CODESET), std::getenv("COLORTERM"), std::getenv("TERM"));
    options.palette = palette;
    return options;
}

// `options` with line feeds moving the cursor down when `fd` is a terminal whose output
// processing is off (the terminal hold turns it off when it holds that terminal's input too).
PresenterOptions with_line_feeds(PresenterOptions options, int fd) {
    termios mode{};
    options.line_feed_moves_down =
        isatty(fd) && tcgetattr(fd, &mode) == 0 && (mode.c_oflag & OPOST) == 0;
    return options;
}

} // namespace

bool console_can_draw() {
    return !(isatty(STDOUT_FILENO) && is_dumb_terminal(std::getenv("TERM")));
}

// A terminal of 16 colours shows them in its own palette.
bool console_shows_palette(Palette palette) {
    return palette == Palette::classic ||
           presenter_options(nullptr, std::getenv("COLORTERM"), std::getenv("TERM")).colours !=
               ColourMode::basic16;
}

struct ProgramConsole::Parts {
    Parts(const EnlargeRequest& enlarge, Palette palette)
        : options(locale_options(palette)),
          presenter(sink, enlarge, with_line_feeds(options, STDOUT_FILENO)),
          keys(terminal, presenter, options.utf8) {}

    PresenterOptions options;
    Terminal terminal{STDIN_FILENO, STDOUT_FILENO};
    FdSink sink{STDOUT_FILENO};
    Presenter presenter;
    TerminalKeys keys;
};

ProgramConsole::ProgramConsole(const EnlargeRequest& enlarge, Palette palette)
    : parts_(std::make_unique<Parts>(enlarge, palette)) {}

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
