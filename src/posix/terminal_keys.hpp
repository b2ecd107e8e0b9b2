#pragma once

// The key source of the real program on POSIX systems: the terminal's bytes decoded into key
// codes, the screen presented before every wait. Part of the POSIX console back end.

#include "console/key_decoder.hpp"
#include "console/key_queue.hpp"
#include "console/keys.hpp"
#include "console/presenter.hpp"
#include "console/screen.hpp"
#include "console/terminal.hpp"

namespace zk {

/// How long a terminal's ESC may stand alone before it counts as the Escape key, and an
/// unfinished sequence, string or UTF-8 character before it is abandoned; the bytes of one
/// sequence arrive much closer together.
inline constexpr int LONE_ESCAPE_WAIT_MS = 50;

/// The key source of the real program: reads the terminal's input bytes and decodes them into
/// key codes (KeyDecoder). Every key read presents the screen first, as every key read of the
/// console may wait for the player, so piped input shows each screen the script passes.
///
/// A window change or a continue after Ctrl-Z repaints the whole screen and goes on waiting.
/// While the window is smaller than 80 x 25 every code is dropped: the player cannot see
/// what a key would do, also the codes read in the same wake-up as the change that shrank
/// it. The input ending (end of file, a read error, a hang-up) throws InputEnded, once every
/// code decoded before it has been read. Ctrl-D is the code KEY_END_OF_TEXT; the line reader
/// decides where it ends the input.
class TerminalKeys : public KeySource {
  public:
    /// `utf8_input`: the terminal sends typed characters as UTF-8 (the locale's character set
    /// is UTF-8); they then come as TYPED_CHAR_BASE codes, else bytes above 127 are dropped.
    TerminalKeys(Terminal& terminal, Presenter& presenter, bool utf8_input = false);

    /// The screen to present before blocking reads; none until this is called.
    void show(Screen& screen) { screen_ = &screen; }

    int read_code() override;

    /// Presents the screen now, taking any pending window change into account.
    void present();

  private:
    void read_more();
    /// Takes a pending window change or continue: the new size, a full repaint next time.
    void take_window_change();

    Terminal& terminal_;
    Presenter& presenter_;
    Screen* screen_ = nullptr;
    KeyDecoder decoder_;
    KeyQueue queue_;
    bool too_small_ = false; // the window is smaller than the screen
};

} // namespace zk
