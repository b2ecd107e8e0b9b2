// The hold on a POSIX terminal: raw mode, the signal handlers that give the terminal back, and
// the self-pipe that wakes the key wait when the window changes.

#include "console/terminal.hpp"
#include "posix/terminal_wait.hpp"

#include "console/fd_sink.hpp"
#include "console/screen.hpp"
#include "posix/signal_cleanup.hpp"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace zk {

namespace {

// Everything the hold keeps while a Terminal exists, in one place that must be global: the
// signal handlers (an ending signal, Ctrl-Z, a continue, a window change) give the terminal
// back or take it again from here, and a handler can reach no object, only static data. One
// Terminal exists at a time.
struct TerminalHold {
    volatile std::sig_atomic_t repaint_requested = 0;
    volatile std::sig_atomic_t held = 0;
    int input_fd = -1;
    int output_fd = -1;
    bool raw_mode_set = false;
    termios original_mode{};
    termios raw_mode{};
    sigset_t original_mask{};
    // The self-pipe: a window change or a continue writes one byte to it, so that a wait for
    // input that watches its reading end wakes up, even when the signal came just before the
    // wait began or was taken by another thread.
    int wake_read_fd = -1;
    int wake_write_fd = -1;
    // Every signal that would end the program is caught while the terminal is held, so that
    // the terminal is restored first; `caught` says which, `original_action` what to put back.
    std::array<bool, NSIG> caught{};
    std::array<struct sigaction, NSIG> original_action{};
    struct sigaction original_file_size {};
    struct sigaction original_winch {};
    struct sigaction original_tstp {};
    struct sigaction original_cont {};
    // A stack for the handlers, so that they still run when a stack overflow is what ended
    // the program. Used only when none is set already (a sanitizer may have one).
    alignas(16) char handler_stack[64 * 1024];
    bool handler_stack_set = false;
};

TerminalHold hold;

// True for the signals whose default action ends the process and that can be hold.caught.
bool ends_the_process(int sig) {
    switch (sig) {
    case SIGKILL: // cannot be hold.caught
    case SIGSTOP:
    case SIGTSTP: // stop the process, or continue it
    case SIGTTIN:
    case SIGTTOU:
    case SIGCONT:
    case SIGCHLD: // ignored by default
    case SIGURG:
    case SIGWINCH:
        return false;
    default:
        return true;
    }
}

// Writes what the output takes at once and never waits: a terminal that has stopped reading
// (a stalled link, a paused pane) must not keep a dying program alive. O_NONBLOCK belongs to
// the open file, which the shell shares (a duplicated descriptor would share it too), so it
// is put back as it was right after. Async-signal-safe.
void write_without_waiting(int fd, std::string_view bytes) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0) return;
    const bool was_blocking = (flags & O_NONBLOCK) == 0;
    if (was_blocking && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) return;
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written > 0)
            bytes.remove_prefix(static_cast<std::size_t>(written));
        else if (written < 0 && errno == EINTR)
            continue;
        else
            break;
    }
    if (was_blocking) ::fcntl(fd, F_SETFL, flags);
}

constexpr std::string_view RESTORE_BYTES(TERMINAL_RESTORE_SEQUENCE,
                                         sizeof TERMINAL_RESTORE_SEQUENCE - 1);

// Async-signal-safe: tcsetattr and write only. From a handler the write never waits.
void release_terminal(bool from_handler) {
    if (hold.raw_mode_set) tcsetattr(hold.input_fd, TCSANOW, &hold.original_mode);
    if (from_handler)
        write_without_waiting(hold.output_fd, RESTORE_BYTES);
    else // a terminal that takes no more bytes is let go all the same
        static_cast<void>(write_all(hold.output_fd, RESTORE_BYTES));
}

void take_terminal() {
    if (hold.raw_mode_set) tcsetattr(hold.input_fd, TCSANOW, &hold.raw_mode);
}

void set_action(int sig, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(sig, &action, nullptr);
}

void on_ending_signal(int sig) {
    remove_file_named_for_signal();
    if (hold.held) release_terminal(true);
    hold.held = 0;
    // End by the signal itself, so the parent sees how the program ended (and a crash dumps
    // core where the user allows it). Every signal is blocked in here: this one is let
    // through once it is raised again with its default action.
    set_action(sig, SIG_DFL);
    std::raise(sig);
    sigset_t only{};
    sigemptyset(&only);
    sigaddset(&only, sig);
    sigprocmask(SIG_UNBLOCK, &only, nullptr);
}

// Asks for a repaint and wakes the wait for input. Async-signal-safe.
void request_repaint() {
    const int saved_errno = errno;
    hold.repaint_requested = 1;
    if (hold.wake_write_fd >= 0) {
        const char byte = 0;
        [[maybe_unused]] const ssize_t n =
            ::write(hold.wake_write_fd, &byte, 1); // full: awake already
    }
    errno = saved_errno;
}

void on_window_change(int) {
    request_repaint();
}

// The wait for input is woken by the self-pipe, so an interrupted call may restart.
void install(int sig, void (*handler)(int), struct sigaction* previous) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(sig, &action, previous);
}

// Opens the self-pipe, both ends non-blocking and closed on exec. False when it cannot.
bool open_wake_pipe() {
    int ends[2];
    if (::pipe(ends) != 0) return false;
    for (int fd : ends) {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0 ||
            ::fcntl(fd, F_SETFD, FD_CLOEXEC) != 0) {
            ::close(ends[0]);
            ::close(ends[1]);
            return false;
        }
    }
    hold.wake_read_fd = ends[0];
    hold.wake_write_fd = ends[1];
    return true;
}

void close_wake_pipe() {
    for (int* fd : {&hold.wake_read_fd, &hold.wake_write_fd}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
}

// Catches every signal that would end the program through its default action. A signal the
// program was started ignoring (nohup, a background job without job control) stays ignored,
// and one that already has a handler (a profiler's, a sanitizer's) keeps it. The file size
// signal is ignored, so that writing past the limit fails as a full disk does and a save
// reports it.
void install_ending_handlers() {
    struct sigaction action {};
    action.sa_handler = on_ending_signal;
    sigfillset(&action.sa_mask); // nothing interrupts the restore
    action.sa_flags = SA_ONSTACK;
    for (int sig = 1; sig < NSIG; ++sig) {
        const auto i = static_cast<std::size_t>(sig);
        hold.caught[i] = false;
        if (!ends_the_process(sig) || sig == SIGXFSZ) continue;
        struct sigaction previous {};
        if (sigaction(sig, nullptr, &previous) != 0) continue; // not a signal of this system
        if ((previous.sa_flags & SA_SIGINFO) != 0 || previous.sa_handler != SIG_DFL) continue;
        if (sigaction(sig, &action, nullptr) != 0) continue;
        hold.original_action[i] = previous;
        hold.caught[i] = true;
    }
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, &hold.original_file_size);

    stack_t current{};
    hold.handler_stack_set = false;
    if (sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE) != 0) {
        stack_t stack{};
        stack.ss_sp = hold.handler_stack;
        stack.ss_size = sizeof hold.handler_stack;
        hold.handler_stack_set = sigaltstack(&stack, nullptr) == 0;
    }
}

void restore_ending_handlers() {
    for (int sig = 1; sig < NSIG; ++sig)
        if (hold.caught[static_cast<std::size_t>(sig)])
            sigaction(sig, &hold.original_action[static_cast<std::size_t>(sig)], nullptr);
    sigaction(SIGXFSZ, &hold.original_file_size, nullptr);
    if (hold.handler_stack_set) {
        stack_t off{};
        off.ss_flags = SS_DISABLE;
        sigaltstack(&off, nullptr);
        hold.handler_stack_set = false;
    }
}

void on_stop(int) {
    const int saved_errno = errno;
    if (hold.held) release_terminal(true);
    std::signal(SIGTSTP, SIG_DFL);
    sigset_t stop{};
    sigemptyset(&stop);
    sigaddset(&stop, SIGTSTP);
    sigprocmask(SIG_UNBLOCK, &stop, nullptr);
    std::raise(SIGTSTP); // the program stops here until it is continued
    sigprocmask(SIG_BLOCK, &stop, nullptr);
    install(SIGTSTP, on_stop, nullptr);
    if (hold.held) take_terminal();
    errno = saved_errno;
    request_repaint();
}

void on_continue(int) {
    // Continued after a stop that did not pass through on_stop (SIGSTOP): take the terminal
    // back and repaint, in case someone changed it meanwhile.
    if (hold.held) take_terminal();
    request_repaint();
}

} // namespace

Terminal::Terminal(int input_fd, int output_fd) : input_fd_(input_fd), output_fd_(output_fd) {
    if (hold.held) throw std::logic_error("the terminal is already held");
    hold.input_fd = input_fd;
    hold.output_fd = output_fd;
    hold.raw_mode_set = false;
    if (isatty(input_fd) && tcgetattr(input_fd, &hold.original_mode) == 0) {
        input_is_tty_ = true;
        hold.raw_mode = hold.original_mode;
        hold.raw_mode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | IEXTEN);
        hold.raw_mode.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | IXON | ISTRIP);
        // Bytes reach the terminal as they are sent: a line feed moves one row down only.
        hold.raw_mode.c_oflag &= ~static_cast<tcflag_t>(OPOST);
        hold.raw_mode.c_cc[VMIN] = 1;
        hold.raw_mode.c_cc[VTIME] = 0;
        hold.raw_mode_set = true;
    }

    sigprocmask(SIG_BLOCK, nullptr, &hold.original_mask);
    if (!open_wake_pipe()) throw std::runtime_error("no pipe for the terminal's signals");

    hold.repaint_requested = 0;
    hold.held = 1;
    held_ = true;
    install_ending_handlers();
    install(SIGWINCH, on_window_change, &hold.original_winch);
    install(SIGTSTP, on_stop, &hold.original_tstp);
    install(SIGCONT, on_continue, &hold.original_cont);
    take_terminal();
}

int terminal_wake_fd() {
    return hold.wake_read_fd;
}

Terminal::~Terminal() {
    restore();
}

TerminalSize Terminal::size() const {
    winsize ws{};
    if (ioctl(output_fd_, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0 && ws.ws_row > 0)
        return {ws.ws_col, ws.ws_row};
    return {SCREEN_COLUMNS, SCREEN_ROWS};
}

bool Terminal::take_repaint_request() {
    // Emptied first: a signal that comes after this leaves both its byte and the request.
    char bytes[64];
    while (hold.wake_read_fd >= 0 && ::read(hold.wake_read_fd, bytes, sizeof bytes) > 0) {
    }
    if (!hold.repaint_requested) return false;
    hold.repaint_requested = 0;
    return true;
}

void Terminal::restore() {
    if (!held_) return;
    held_ = false;
    // Block the signals while letting go, so no handler restores a second time midway.
    sigset_t all{};
    sigfillset(&all);
    sigprocmask(SIG_BLOCK, &all, nullptr);
    release_terminal(false);
    hold.held = 0;
    restore_ending_handlers();
    sigaction(SIGWINCH, &hold.original_winch, nullptr);
    sigaction(SIGTSTP, &hold.original_tstp, nullptr);
    sigaction(SIGCONT, &hold.original_cont, nullptr);
    close_wake_pipe();
    sigprocmask(SIG_SETMASK, &hold.original_mask, nullptr);
}

} // namespace zk
