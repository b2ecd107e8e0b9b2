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

// Signal handlers can reach only static data; one Terminal exists at a time.
volatile std::sig_atomic_t repaint_requested = 0;
volatile std::sig_atomic_t terminal_held = 0;
int held_input_fd = -1;
int held_output_fd = -1;
bool raw_mode_set = false;
termios original_mode{};
termios raw_mode{};
sigset_t original_mask{};
// The self-pipe: a window change or a continue writes one byte to it, so that a wait for
// input that watches its reading end wakes up, even when the signal came just before the
// wait began or was taken by another thread.
int wake_read_fd = -1;
int wake_write_fd = -1;

// Every signal that would end the program is caught while the terminal is held, so that the
// terminal is restored first; `caught` says which, `original_action` what to put back.
std::array<bool, NSIG> caught{};
std::array<struct sigaction, NSIG> original_action{};
struct sigaction original_file_size {};
struct sigaction original_winch {};
struct sigaction original_tstp {};
struct sigaction original_cont {};

// A stack for the handlers, so that they still run when a stack overflow is what ended the
// program. Used only when none is set already (a sanitizer may have one).
alignas(16) char handler_stack[64 * 1024];
bool handler_stack_set = false;

// True for the signals whose default action ends the process and that can be caught.
bool ends_the_process(int sig) {
    switch (sig) {
    case SIGKILL: // cannot be caught
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
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n > 0)
            bytes.remove_prefix(static_cast<std::size_t>(n));
        else if (n < 0 && errno == EINTR)
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
    if (raw_mode_set) tcsetattr(held_input_fd, TCSANOW, &original_mode);
    if (from_handler)
        write_without_waiting(held_output_fd, RESTORE_BYTES);
    else
        write_all(held_output_fd, RESTORE_BYTES);
}

void take_terminal() {
    if (raw_mode_set) tcsetattr(held_input_fd, TCSANOW, &raw_mode);
}

void set_action(int sig, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(sig, &action, nullptr);
}

void on_ending_signal(int sig) {
    remove_file_named_for_signal();
    if (terminal_held) release_terminal(true);
    terminal_held = 0;
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
    repaint_requested = 1;
    if (wake_write_fd >= 0) {
        const char byte = 0;
        [[maybe_unused]] const ssize_t n = ::write(wake_write_fd, &byte, 1); // full: awake already
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
    wake_read_fd = ends[0];
    wake_write_fd = ends[1];
    return true;
}

void close_wake_pipe() {
    for (int* fd : {&wake_read_fd, &wake_write_fd}) {
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
        caught[i] = false;
        if (!ends_the_process(sig) || sig == SIGXFSZ) continue;
        struct sigaction previous {};
        if (sigaction(sig, nullptr, &previous) != 0) continue; // not a signal of this system
        if ((previous.sa_flags & SA_SIGINFO) != 0 || previous.sa_handler != SIG_DFL) continue;
        if (sigaction(sig, &action, nullptr) != 0) continue;
        original_action[i] = previous;
        caught[i] = true;
    }
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, &original_file_size);

    stack_t current{};
    handler_stack_set = false;
    if (sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE) != 0) {
        stack_t stack{};
        stack.ss_sp = handler_stack;
        stack.ss_size = sizeof handler_stack;
        handler_stack_set = sigaltstack(&stack, nullptr) == 0;
    }
}

void restore_ending_handlers() {
    for (int sig = 1; sig < NSIG; ++sig)
        if (caught[static_cast<std::size_t>(sig)])
            sigaction(sig, &original_action[static_cast<std::size_t>(sig)], nullptr);
    sigaction(SIGXFSZ, &original_file_size, nullptr);
    if (handler_stack_set) {
        stack_t off{};
        off.ss_flags = SS_DISABLE;
        sigaltstack(&off, nullptr);
        handler_stack_set = false;
    }
}

void on_stop(int) {
    const int saved_errno = errno;
    if (terminal_held) release_terminal(true);
    std::signal(SIGTSTP, SIG_DFL);
    sigset_t stop{};
    sigemptyset(&stop);
    sigaddset(&stop, SIGTSTP);
    sigprocmask(SIG_UNBLOCK, &stop, nullptr);
    std::raise(SIGTSTP); // the program stops here until it is continued
    sigprocmask(SIG_BLOCK, &stop, nullptr);
    install(SIGTSTP, on_stop, nullptr);
    if (terminal_held) take_terminal();
    errno = saved_errno;
    request_repaint();
}

void on_continue(int) {
    // Continued after a stop that did not pass through on_stop (SIGSTOP): take the terminal
    // back and repaint, in case someone changed it meanwhile.
    if (terminal_held) take_terminal();
    request_repaint();
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
        // Bytes reach the terminal as they are sent: a line feed moves one row down only.
        raw_mode.c_oflag &= ~static_cast<tcflag_t>(OPOST);
        raw_mode.c_cc[VMIN] = 1;
        raw_mode.c_cc[VTIME] = 0;
        raw_mode_set = true;
    }

    sigprocmask(SIG_BLOCK, nullptr, &original_mask);
    if (!open_wake_pipe()) throw std::runtime_error("no pipe for the terminal's signals");

    repaint_requested = 0;
    terminal_held = 1;
    held_ = true;
    install_ending_handlers();
    install(SIGWINCH, on_window_change, &original_winch);
    install(SIGTSTP, on_stop, &original_tstp);
    install(SIGCONT, on_continue, &original_cont);
    take_terminal();
}

int terminal_wake_fd() {
    return wake_read_fd;
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
    while (wake_read_fd >= 0 && ::read(wake_read_fd, bytes, sizeof bytes) > 0) {
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
    release_terminal(false);
    terminal_held = 0;
    restore_ending_handlers();
    sigaction(SIGWINCH, &original_winch, nullptr);
    sigaction(SIGTSTP, &original_tstp, nullptr);
    sigaction(SIGCONT, &original_cont, nullptr);
    close_wake_pipe();
    sigprocmask(SIG_SETMASK, &original_mask, nullptr);
}

} // namespace zk
