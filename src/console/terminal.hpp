#pragma once

#include <csignal>

namespace zk {

/// Columns and rows of a terminal window.
struct TerminalSize {
    int columns;
    int rows;
};

/// What a terminal is sent when the program lets go of it: default colours, a visible cursor,
/// and the cursor on the line below the 25 drawn rows (the terminal scrolls when it has no
/// such line), so the last screen stays visible above the shell's prompt.
inline constexpr char TERMINAL_RESTORE_SEQUENCE[] = "\x1b[0m\x1b[?25h\x1b[25;1H\r\n";

/// The program's hold on its terminal, from construction until restore() or destruction.
///
/// While held: a terminal input is in raw mode (no line buffering, no echo, no flow control;
/// Ctrl-C and the other signal keys still work), and the window-change signal asks for a
/// repaint. Every signal that would end the program (SIGINT, SIGTERM, SIGHUP, SIGQUIT,
/// SIGPIPE, SIGUSR1, SIGALRM, SIGXCPU, the crash signals such as SIGSEGV and SIGABRT, and the
/// rest) first removes the file named by set_file_to_remove_on_signal and restores the
/// terminal, writing without ever waiting for it, and then ends the program by that same
/// signal; a signal the program was started ignoring, or that has a handler already (a
/// profiler's, a sanitizer's), is left as it is. The file size signal is ignored, so that a
/// write past the limit fails like any other. Ctrl-Z restores the terminal before stopping
/// and takes it again, with a repaint, on continuing. An input that is not a terminal is
/// left as it is. Only one Terminal may exist at a time.
class Terminal {
  public:
    explicit Terminal(int input_fd = 0, int output_fd = 1);
    ~Terminal();
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    int input_fd() const { return input_fd_; }
    int output_fd() const { return output_fd_; }
    /// True when the input is a terminal (and is in raw mode while held).
    bool input_is_tty() const { return input_is_tty_; }

    /// The output window's size; 80 x 25 when the output is not a terminal.
    TerminalSize size() const;

    /// True once for every batch of window changes and continues since the last call: the
    /// terminal's contents can no longer be trusted and the screen must be repainted.
    bool take_repaint_request();

    /// The signal mask to wait for input under: the window-change signal, blocked otherwise
    /// so that it cannot slip in between a check and a wait, gets through.
    const sigset_t* wait_mask() const { return &wait_mask_; }

    /// Restores the remembered terminal mode, sends TERMINAL_RESTORE_SEQUENCE (waiting for the
    /// terminal to take it) and puts the signal handling and the signal mask back as they
    /// were. Later calls do nothing.
    void restore();

  private:
    int input_fd_;
    int output_fd_;
    bool input_is_tty_ = false;
    bool held_ = false;
    sigset_t wait_mask_{};
    sigset_t original_mask_{};
};

} // namespace zk
