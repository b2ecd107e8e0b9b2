#pragma once

// Console: the terminal interface the back ends implement, the window's size and the test for a
// window too small to show the screen.

#include "console/ansi_sequences.hpp"
#include "console/screen.hpp"

namespace zk {

/// Columns and rows of a terminal window.
struct TerminalSize {
    int columns;
    int rows;
};

/// The smallest window that shows the whole screen.
inline constexpr int MIN_TERMINAL_COLUMNS = SCREEN_COLUMNS;
inline constexpr int MIN_TERMINAL_ROWS = SCREEN_ROWS;

/// True when a window of `size` is too small to show the whole screen.
constexpr bool is_window_too_small(TerminalSize size) {
    return size.columns < MIN_TERMINAL_COLUMNS || size.rows < MIN_TERMINAL_ROWS;
}

/// What a POSIX terminal is sent when the program lets go of it: default colours, a visible cursor,
/// and the cursor on the line below the drawn rows (the terminal scrolls when it has no such
/// line), so the last screen stays visible above the shell's prompt.
inline constexpr FixedText TERMINAL_RESTORE =
    SGR_RESET + SHOW_CURSOR + CURSOR_TO_LAST_ROW + FixedText{"\r\n"};
/// TERMINAL_RESTORE as a zero-terminated character array.
inline constexpr const auto& TERMINAL_RESTORE_SEQUENCE = TERMINAL_RESTORE.chars;

/// The program's hold on its terminal, from construction until restore() or destruction.
///
/// On POSIX, while held: a terminal input is in raw mode (no line buffering, no echo, no flow
/// control; Ctrl-C and the other signal keys still work), and the window-change signal asks for a
/// repaint. Every signal that would end the program (SIGINT, SIGTERM, SIGHUP, SIGQUIT,
/// SIGPIPE, SIGUSR1, SIGALRM, SIGXCPU, the crash signals such as SIGSEGV and SIGABRT, and the
/// rest) first removes the file named by set_file_to_remove_on_signal and restores the
/// terminal, writing without ever waiting for it, and then ends the program by that same
/// signal; a signal the program was started ignoring, or that has a handler already (a
/// profiler's, a sanitizer's), is left as it is. The file size signal is ignored, so that a
/// write past the limit fails like any other. Ctrl-Z restores the terminal before stopping
/// and takes it again, with a repaint, on continuing. An input that is not a terminal is
/// left as it is.
///
/// On Windows, the descriptors are the C runtime's and "terminal" means console. While held:
/// a console input gives unbuffered, unechoed key events and window size events (Ctrl-C stays
/// a signal), and the console shows a screen buffer of the program's own, as large as the
/// window, with the cursor hidden, so the user's buffer and its scrollback are never drawn
/// over (where no such buffer can be made, the program draws in the user's buffer). The
/// input mode and the user's buffer, as it was, come back at restore() and, by a console
/// control handler, at Ctrl-C, Ctrl-Break, closing the window, logoff and shutdown, and at
/// std::terminate.
///
/// Only one Terminal may exist at a time.
class Terminal {
  public:
    explicit Terminal(int input_fd = 0, int output_fd = 1);
    ~Terminal();
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    int input_fd() const { return input_fd_; }
    /// True when the input is a terminal (and is in raw mode while held).
    bool input_is_tty() const { return input_is_tty_; }

    /// The output window's size (on Windows the console's visible window); 80 x 25 when the
    /// output is not a terminal.
    TerminalSize size() const;

    /// True once for every batch of window changes and continues since the last call: the
    /// terminal's contents can no longer be trusted and the screen must be repainted.
    bool take_repaint_request();

    /// Restores the remembered terminal mode, leaves the cursor below the 25 drawn rows (on
    /// POSIX by sending TERMINAL_RESTORE_SEQUENCE, waiting for the terminal to take it; where a
    /// Windows console showed the program's own buffer, the user's is shown again as it was
    /// instead) and puts the signal handling and signal mask, or the control handling, back as
    /// they were. Later calls do nothing.
    void restore();

  private:
    int input_fd_;
    int output_fd_;
    bool input_is_tty_ = false;
    bool held_ = false;
};

} // namespace zk
