#include "console/terminal.hpp"
#include "console/terminal_posix.hpp"

#include "console/fd_sink.hpp"

#include <array>
#include <cerrno>
#include <stdexcept>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace zk {

namespace {

// Signal handlers can reach only static data; one Terminal exists at a time.
volatile std::sig_atomic_t repaint_requested = 0;
volatile std::sig_atomic_t terminal_held = 0;
int held_input_fd = -1;
int held_output_fd = -1;
bool raw_mode_set = false;
termios original_mode{};
termios raw_mode{};
sigset_t wait_mask{};
sigset_t original_mask{};

constexpr std::array<int, 5> TERMINATION_SIGNALS{SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};
std::array<struct sigaction, TERMINATION_SIGNALS.size()> original_termination{};
struct sigaction original_winch {};
struct sigaction original_tstp {};
struct sigaction original_cont {};

// Async-signal-safe: tcsetattr and write only.
void release_terminal() {
    if (raw_mode_set) tcsetattr(held_input_fd, TCSANOW, &original_mode);
    write_all(held_output_fd,
              std::string_view(TERMINAL_RESTORE_SEQUENCE, sizeof TERMINAL_RESTORE_SEQUENCE - 1));
}

void take_terminal() {
    if (raw_mode_set) tcsetattr(held_input_fd, TCSANOW, &raw_mode);
}

void on_termination(int sig) {
    if (terminal_held) release_terminal();
    terminal_held = 0;
    // Die of the signal itself, so the parent sees how the program ended.
    std::signal(sig, SIG_DFL);
    std::raise(sig); // delivered as soon as the handler returns
}

void on_window_change(int) {
    repaint_requested = 1;
}

void install(int sig, void (*handler)(int), struct sigaction* previous) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no restart: a wait for input wakes up to repaint
    sigaction(sig, &action, previous);
}

void on_stop(int) {
    const int saved_errno = errno;
    if (terminal_held) release_terminal();
    std::signal(SIGTSTP, SIG_DFL);
    sigset_t stop{};
    sigemptyset(&stop);
    sigaddset(&stop, SIGTSTP);
    sigprocmask(SIG_UNBLOCK, &stop, nullptr);
    std::raise(SIGTSTP); // the program stops here until it is continued
    sigprocmask(SIG_BLOCK, &stop, nullptr);
    install(SIGTSTP, on_stop, nullptr);
    if (terminal_held) take_terminal();
    repaint_requested = 1;
    errno = saved_errno;
}

void on_continue(int) {
    // Continued after a stop that did not pass through on_stop (SIGSTOP): take the terminal
    // back and repaint, in case someone changed it meanwhile.
    if (terminal_held) take_terminal();
    repaint_requested = 1;
}

} // namespace

Terminal::Terminal(int input_fd, int output_fd) : input_fd_(input_fd), output_fd_(output_fd) {
    if (terminal_held) throw std::logic_error("the terminal is already held");
    held_input_fd = input_fd;
    held_output_fd = output_fd;
    raw_mode_set = false;
    if (isatty(input_fd) && tcgetattr(input_fd, &original_mode) == 0) {
        input_is_tty_ = true;
        raw_mode = original_mode;
        raw_mode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | IEXTEN);
        raw_mode.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | IXON | ISTRIP);
        raw_mode.c_cc[VMIN] = 1;
        raw_mode.c_cc[VTIME] = 0;
        raw_mode_set = true;
    }

    sigset_t winch{};
    sigemptyset(&winch);
    sigaddset(&winch, SIGWINCH);
    sigprocmask(SIG_BLOCK, &winch, &original_mask);
    wait_mask = original_mask;
    sigdelset(&wait_mask, SIGWINCH);

    repaint_requested = 0;
    terminal_held = 1;
    held_ = true;
    for (std::size_t i = 0; i < TERMINATION_SIGNALS.size(); ++i)
        install(TERMINATION_SIGNALS[i], on_termination, &original_termination[i]);
    install(SIGWINCH, on_window_change, &original_winch);
    install(SIGTSTP, on_stop, &original_tstp);
    install(SIGCONT, on_continue, &original_cont);
    take_terminal();
}

const sigset_t* terminal_wait_mask() {
    return &wait_mask;
}

Terminal::~Terminal() {
    restore();
}

TerminalSize Terminal::size() const {
    winsize ws{};
    if (ioctl(output_fd_, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0 && ws.ws_row > 0)
        return {ws.ws_col, ws.ws_row};
    return {80, 25};
}

bool Terminal::take_repaint_request() {
    // The window-change signal is blocked outside the wait for input, and a wait that finds
    // input at once does not let it through: take a pending one here.
    sigset_t pending{};
    sigpending(&pending);
    if (sigismember(&pending, SIGWINCH) == 1) {
        sigset_t winch{};
        sigemptyset(&winch);
        sigaddset(&winch, SIGWINCH);
        const timespec no_wait{0, 0};
        if (sigtimedwait(&winch, nullptr, &no_wait) == SIGWINCH) repaint_requested = 1;
    }
    if (!repaint_requested) return false;
    repaint_requested = 0;
    return true;
}

void Terminal::restore() {
    if (!held_) return;
    held_ = false;
    // Block the signals while letting go, so no handler restores a second time midway.
    sigset_t all{};
    sigfillset(&all);
    sigprocmask(SIG_BLOCK, &all, nullptr);
    release_terminal();
    terminal_held = 0;
    for (std::size_t i = 0; i < TERMINATION_SIGNALS.size(); ++i)
        sigaction(TERMINATION_SIGNALS[i], &original_termination[i], nullptr);
    sigaction(SIGWINCH, &original_winch, nullptr);
    sigaction(SIGTSTP, &original_tstp, nullptr);
    sigaction(SIGCONT, &original_cont, nullptr);
    sigprocmask(SIG_SETMASK, &original_mask, nullptr);
}

} // namespace zk
