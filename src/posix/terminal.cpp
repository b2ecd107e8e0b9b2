#include "console/terminal.hpp"
#include "posix/terminal_wait.hpp"

#include "console/fd_sink.hpp"
#include "console/screen.hpp"
#include "console/signal_cleanup.hpp"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
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
sigset_t wait_mask{};
sigset_t original_mask{};

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

// The file a signal that ends the program removes first (see signal_cleanup.hpp).
char file_to_remove[4096];
volatile std::sig_atomic_t file_to_remove_set = 0;

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
    if (file_to_remove_set) ::unlink(file_to_remove);
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

bool set_file_to_remove_on_signal(const char* path) {
    file_to_remove_set = 0;
    const std::size_t length = std::strlen(path);
    if (length >= sizeof file_to_remove) return false;
    std::memcpy(file_to_remove, path, length + 1);
    // The whole path is in place before a handler can see it named.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    file_to_remove_set = 1;
    return true;
}

void clear_file_to_remove_on_signal() {
    file_to_remove_set = 0;
}

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

    sigset_t winch{};
    sigemptyset(&winch);
    sigaddset(&winch, SIGWINCH);
    sigprocmask(SIG_BLOCK, &winch, &original_mask);
    wait_mask = original_mask;
    sigdelset(&wait_mask, SIGWINCH);

    repaint_requested = 0;
    terminal_held = 1;
    held_ = true;
    install_ending_handlers();
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
    return {SCREEN_COLUMNS, SCREEN_ROWS};
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
    release_terminal(false);
    terminal_held = 0;
    restore_ending_handlers();
    sigaction(SIGWINCH, &original_winch, nullptr);
    sigaction(SIGTSTP, &original_tstp, nullptr);
    sigaction(SIGCONT, &original_cont, nullptr);
    sigprocmask(SIG_SETMASK, &original_mask, nullptr);
}

} // namespace zk
