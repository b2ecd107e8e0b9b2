// The POSIX terminal hold and key source on pseudo-terminals and pipes: raw mode and its
// restore, the signals that end the program, window changes, the lone Escape and the input's end.

#include "console/terminal.hpp"

#include "console/fd_sink.hpp"
#include "console/keys.hpp"
#include "console/presenter.hpp"
#include "menu/console_texts.hpp"
#include "posix/terminal_keys.hpp"
#include "string_sink.hpp"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zk {
namespace {

// A pseudo-terminal: the test plays the terminal on `master`; the code under test holds `slave`.
struct Pty {
    Pty() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
        slave = open(ptsname(master), O_RDWR | O_NOCTTY);
        winsize size{};
        size.ws_row = 25;
        size.ws_col = 80;
        ioctl(master, TIOCSWINSZ, &size);
    }
    ~Pty() {
        if (slave >= 0) close(slave);
        if (master >= 0) close(master);
    }
    bool ok() const { return master >= 0 && slave >= 0; }

    void type(const std::string& bytes) const {
        ASSERT_EQ(write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // What the code under test wrote to the terminal so far.
    std::string output() const {
        std::string out;
        std::array<char, 4096> buffer{};
        pollfd readable{master, POLLIN, 0};
        while (poll(&readable, 1, 50) > 0) {
            const ssize_t n = read(master, buffer.data(), buffer.size());
            if (n <= 0) break;
            out.append(buffer.data(), static_cast<std::size_t>(n));
        }
        return out;
    }

    int master = -1;
    int slave = -1;
};

std::size_t count_of(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(Terminal, RawInputWhileHeldAndTheOldModeAfterwards) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    termios before{};
    tcgetattr(pty.slave, &before);
    {
        Terminal terminal(pty.slave, pty.slave);
        EXPECT_TRUE(terminal.input_is_tty());
        termios held{};
        tcgetattr(pty.slave, &held);
        EXPECT_EQ(held.c_lflag & (ICANON | ECHO), 0u);
        EXPECT_NE(held.c_lflag & ISIG, 0u); // Ctrl-C still interrupts
        EXPECT_EQ(held.c_iflag & (ICRNL | IXON), 0u);
        EXPECT_EQ(held.c_cc[VMIN], 1);
        EXPECT_EQ(terminal.size().columns, 80);
        EXPECT_EQ(terminal.size().rows, 25);
        EXPECT_THROW(Terminal(pty.slave, pty.slave), std::logic_error); // one at a time
        terminal.restore();
        termios after{};
        tcgetattr(pty.slave, &after);
        EXPECT_EQ(after.c_lflag, before.c_lflag);
        EXPECT_EQ(after.c_iflag, before.c_iflag);
        EXPECT_EQ(after.c_cc[VMIN], before.c_cc[VMIN]);
        EXPECT_EQ(pty.output().rfind("\x1b[0m\x1b[?25h\x1b[25;1H\r", 0), 0u);
    } // the destructor does not restore a second time
    EXPECT_EQ(pty.output(), "");
    Terminal again(pty.slave, pty.slave); // the terminal is free to be held again
}

// For every signal: whether it is blocked, and its handler.
std::vector<std::pair<bool, void (*)(int)>> signal_state() {
    sigset_t mask{};
    sigprocmask(SIG_BLOCK, nullptr, &mask);
    std::vector<std::pair<bool, void (*)(int)>> state;
    for (int sig = 1; sig < NSIG; ++sig) {
        struct sigaction action {};
        sigaction(sig, nullptr, &action);
        state.emplace_back(sigismember(&mask, sig) == 1, action.sa_handler);
    }
    return state;
}

TEST(Terminal, RestoreGivesBackTheSignalMaskAndHandling) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    // A blocked and an ignored signal of the caller's own, which must stay so.
    sigset_t usr2{};
    sigemptyset(&usr2);
    sigaddset(&usr2, SIGUSR2);
    sigprocmask(SIG_BLOCK, &usr2, nullptr);
    auto* previous_hup = std::signal(SIGHUP, SIG_IGN);
    const auto before = signal_state();
    {
        Terminal terminal(pty.slave, pty.slave);
        const auto held = signal_state();
        const auto handler = [&](int sig) {
            return held[static_cast<std::size_t>(sig - 1)].second;
        };
        EXPECT_EQ(handler(SIGXFSZ), SIG_IGN);
        EXPECT_EQ(handler(SIGHUP), SIG_IGN);
        for (int sig : {SIGTERM, SIGUSR1, SIGALRM, SIGXCPU, SIGABRT, SIGRTMIN + 1})
            EXPECT_NE(handler(sig), SIG_DFL) << strsignal(sig);
        EXPECT_EQ(handler(SIGCHLD), SIG_DFL);
        terminal.restore();
        EXPECT_EQ(signal_state(), before);
    }
    EXPECT_EQ(signal_state(), before);
    std::signal(SIGHUP, previous_hup);
    sigprocmask(SIG_UNBLOCK, &usr2, nullptr);
}

// Waits up to five seconds, without reading the terminal, for the child to end; its wait
// status, or -1 when it had to be killed.
int wait_for_child(pid_t pid) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) != pid) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return -1;
        }
        poll(nullptr, 0, 10);
    }
    return status;
}

bool cooked_mode(int fd) {
    termios mode{};
    tcgetattr(fd, &mode);
    return (mode.c_lflag & (ICANON | ECHO)) == (ICANON | ECHO);
}

TEST(Terminal, ASignalEndsTheProgramAtOnceWhenTheTerminalStoppedReading) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    ASSERT_TRUE(cooked_mode(pty.slave));
    const pid_t child = fork();
    if (child == 0) {
        Terminal terminal(pty.slave, pty.slave);
        // Far more than the terminal holds.
        _exit(write_all(pty.slave, std::string(1 << 24, 'x')) ? 0 : 3);
    }
    // Nothing is read: once the output stops growing, the child waits in its write.
    for (int unread = -1, unchanged = 0; unchanged < 20; poll(nullptr, 0, 10)) {
        int now = 0;
        ioctl(pty.master, FIONREAD, &now);
        unchanged = now > 0 && now == unread ? unchanged + 1 : 0;
        unread = now;
    }
    kill(child, SIGTERM);
    const int status = wait_for_child(child);
    ASSERT_NE(status, -1) << "the child still waits for the terminal";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_TRUE(cooked_mode(pty.slave));
    EXPECT_EQ(fcntl(pty.slave, F_GETFL) & O_NONBLOCK, 0); // shared with the shell
}

volatile int never = -1; // a depth the recursion cannot reach, unknown to the compiler

int recurse_without_end(int depth) {
    if (depth == never) return 0;
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    return recurse_without_end(depth + 1) + frame[0];
}

TEST(Terminal, AStackOverflowRestoresTheTerminalAndEndsBySegmentationFault) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGSEGV, SIG_DFL); // as in the game: no sanitizer's handler first
        rlimit no_core{0, 0};
        setrlimit(RLIMIT_CORE, &no_core);
        Terminal terminal(pty.slave, pty.slave);
        _exit(recurse_without_end(0));
    }
    const int status = wait_for_child(child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGSEGV) << status;
    EXPECT_TRUE(cooked_mode(pty.slave));
    EXPECT_NE(pty.output().find("\x1b[0m\x1b[?25h\x1b[25;1H"), std::string::npos);
}

TEST(TerminalKeys, PipedInputIsDecodedAndItsEndThrows) {
    int input[2];
    int output[2];
    ASSERT_EQ(pipe(input), 0);
    ASSERT_EQ(pipe(output), 0);
    const std::string script = "a\x1b[6~\x1b[A\x04\r\n\x1b";
    ASSERT_EQ(write(input[1], script.data(), script.size()), static_cast<ssize_t>(script.size()));
    close(input[1]);
    {
        Terminal terminal(input[0], output[1]);
        EXPECT_FALSE(terminal.input_is_tty()); // a pipe is left as it is
        EXPECT_EQ(terminal.size().columns, 80);
        StringSink sink;
        Presenter presenter(sink, ENLARGE_REQUEST);
        TerminalKeys keys(terminal, presenter);
        Screen screen;
        keys.show(screen);
        for (int expected : {int{'a'}, KEY_PREFIX, KEY_UP, 4, KEY_ENTER, KEY_ESCAPE})
            EXPECT_EQ(keys.read_code(), expected);
        EXPECT_THROW(keys.read_code(), InputEnded);
        EXPECT_THROW(keys.read_code(), InputEnded);     // and stays ended
        EXPECT_EQ(count_of(sink.bytes, "\x1b[2J"), 1u); // presented: one full repaint
        put_text_at(screen, 0, 0, 7, "x");
        keys.present();
        EXPECT_EQ(sink.bytes.substr(sink.bytes.size() - 5), "\x1b[1Hx");
    }
    close(input[0]);
    close(output[0]);
    close(output[1]);
}

// Keeps what is presented and runs the next of `acts`, if any, at each write: just before the
// key source waits for input.
struct ActingSink : StringSink {
    std::vector<std::function<void()>> acts;
    std::size_t writes = 0;
    bool write(std::string_view out) override {
        StringSink::write(out);
        if (writes < acts.size()) acts[writes]();
        ++writes;
        return true;
    }
};

// The program's key source on a pseudo-terminal held by a Terminal, presenting into memory.
class TerminalKeysOnPty : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(pty.ok()); }

    Pty pty;
    Terminal terminal{pty.slave, pty.slave};
    ActingSink sink;
    Presenter presenter{sink, ENLARGE_REQUEST};
    TerminalKeys keys{terminal, presenter};
};

TEST_F(TerminalKeysOnPty, CtrlDOnATerminalIsACodeAndAHangUpEndsTheInput) {
    pty.type("x\x04y");
    for (int expected : {int{'x'}, KEY_END_OF_TEXT, int{'y'}})
        EXPECT_EQ(keys.read_code(), expected);
    close(pty.master); // the terminal goes away
    pty.master = -1;
    EXPECT_THROW(keys.read_code(), InputEnded);
}

TEST_F(TerminalKeysOnPty, ALoneEscapeOnATerminalIsTheEscapeKey) {
    pty.type("\x1b[B");
    EXPECT_EQ(keys.read_code(), KEY_PREFIX);
    EXPECT_EQ(keys.read_code(), KEY_DOWN);
    pty.type("\x1b");
    EXPECT_EQ(keys.read_code(), KEY_ESCAPE); // after the short wait, with nothing more typed
    pty.type("[A");
    EXPECT_EQ(keys.read_code(), '[');
    EXPECT_EQ(keys.read_code(), 'A');
}

TEST_F(TerminalKeysOnPty, AWindowChangeRepaintsAtItsNewSize) {
    Screen screen;
    keys.show(screen);
    pty.type("a");
    EXPECT_EQ(keys.read_code(), 'a');
    EXPECT_EQ(count_of(sink.bytes, "\x1b[2J"), 1u);

    winsize small{};
    small.ws_row = 20;
    small.ws_col = 60;
    ioctl(pty.master, TIOCSWINSZ, &small);
    raise(SIGWINCH); // taken at the next key read
    pty.type("b");   // typed blind: dropped

    // The window grows while the key read waits; the signal reaches the waiting thread.
    std::string after_small;
    std::thread grow([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        after_small = sink.bytes;
        winsize large{};
        large.ws_row = 30;
        large.ws_col = 100;
        ioctl(pty.master, TIOCSWINSZ, &large);
        kill(getpid(), SIGWINCH);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        pty.type("c");
    });
    EXPECT_EQ(keys.read_code(), 'c');
    grow.join();
    EXPECT_NE(after_small.find(std::string(ENLARGE_REQUEST.request)), std::string::npos);
    const std::string repaint = sink.bytes.substr(after_small.size());
    EXPECT_EQ(count_of(repaint, "\x1b[2J"), 1u);
    EXPECT_EQ(repaint.rfind("\x1b[0m", 0), 0u); // the whole screen again, colours reset
}

TEST_F(TerminalKeysOnPty, AWindowChangeWakesTheWaitForKeys) {
    Screen screen;
    keys.show(screen);
    // The signal goes to another thread, so only the self-pipe can wake the waiting one.
    std::thread change([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        raise(SIGWINCH);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        pty.type("k");
    });
    EXPECT_EQ(keys.read_code(), 'k');
    change.join();
    EXPECT_EQ(count_of(sink.bytes, "\x1b[2J"), 2u); // the repaint came before the key
}

TEST_F(TerminalKeysOnPty, AKeyThatComesWithAWindowChangeCountsUnderTheNewSize) {
    Screen screen;
    // The window changes as a key is typed: the wait for input finds both pending.
    auto resize_and_type = [this](unsigned short rows, const char* key) {
        return [this, rows, key] {
            const winsize size{rows, 80, 0, 0};
            ioctl(pty.master, TIOCSWINSZ, &size);
            raise(SIGWINCH); // comes with the key: the wait finds both
            pty.type(key);
            pollfd typed{pty.slave, POLLIN, 0};
            poll(&typed, 1, 1000);
        };
    };
    sink.acts = {
        [&] { put_text_at(screen, 0, 0, 7, "x"); }, // so the present before the wait writes
        resize_and_type(24, "1"), resize_and_type(25, "c")};
    keys.show(screen);
    EXPECT_EQ(keys.read_code(), 'c'); // the 1 came as the window became too small
}

} // namespace
} // namespace zk
