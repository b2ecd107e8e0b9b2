#pragma once

// Console: the interface the platform's back end gives the program, the console it runs on and
// what may be asked before it is taken.

#include "console/enlarge_request.hpp"
#include "console/keys.hpp"
#include "console/palette.hpp"
#include "console/screen.hpp"

#include <memory>

namespace zk {

/// False when the program cannot draw on its output: a terminal that cannot position the
/// cursor (TERM=dumb). Asked before the console is taken, so a refusal leaves it untouched.
bool console_can_draw();

/// True when the console shows the colours of `palette`: always the classic ones, the others
/// only on a terminal that takes chosen colours (256 colours or 24 bits). Asked before the
/// console is taken.
bool console_shows_palette(Palette palette);

/// The console the whole program runs on: standard input and output, held from construction
/// until release() or destruction, with everything done to them restored at every end.
///
/// On POSIX: the Terminal hold, the ANSI Presenter and the TerminalKeys decoder. On Windows:
/// the console's own cell and key-event interfaces (the ANSI presenter and the byte decoder
/// for an output or input that is not a console). Either way, every key read presents the
/// shown screen first, and the input ending throws InputEnded. Only one may exist at a time.
class ProgramConsole : public KeySource {
  public:
    /// `enlarge`: what is shown while the window is smaller than the screen; `palette`: the
    /// colours to send where the terminal takes chosen colours.
    explicit ProgramConsole(const EnlargeRequest& enlarge, Palette palette = Palette::classic);
    ~ProgramConsole() override;
    ProgramConsole(const ProgramConsole&) = delete;
    ProgramConsole& operator=(const ProgramConsole&) = delete;

    /// The screen to present before every key read; none until this is called.
    void show(Screen& screen);

    int read_code() override;

    /// Presents the shown screen now, taking any window change into account.
    void present();

    /// Gives the console back as it was found, leaving the last screen visible with the
    /// prompt continuing below it. Later calls do nothing.
    void release();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace zk
