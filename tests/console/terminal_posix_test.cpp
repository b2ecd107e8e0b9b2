#include "console/terminal.hpp"

#include "console/keys.hpp"
#include "console/presenter.hpp"
#include "console/terminal_keys.hpp"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

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
        pollfd p{master, POLLIN, 0};
        while (poll(&p, 1, 50) > 0) {
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
        Presenter presenter(sink);
        TerminalKeys keys(terminal, presenter);
        Screen screen;
        keys.show(screen);
        for (int expected : {int{'a'}, KEY_PREFIX, KEY_UP, 4, KEY_ENTER, KEY_ESCAPE})
            EXPECT_EQ(keys.read_code(), expected);
        EXPECT_THROW(keys.read_code(), InputEnded);
        EXPECT_THROW(keys.read_code(), InputEnded);     // and stays ended
        EXPECT_EQ(count_of(sink.bytes, "\x1b[2J"), 1u); // presented: one full repaint
        put_text_at(screen, 0, 0, "x");
        keys.present();
        EXPECT_EQ(sink.bytes.substr(sink.bytes.size() - 5), "\x1b[1Hx");
    }
    close(input[0]);
    close(output[0]);
    close(output[1]);
}

TEST(TerminalKeys, CtrlDOnATerminalEndsTheInputAfterWhatCameBefore) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    Terminal terminal(pty.slave, pty.slave);
    StringSink sink;
    Presenter presenter(sink);
    TerminalKeys keys(terminal, presenter);
    pty.type("x\x04y");
    EXPECT_EQ(keys.read_code(), 'x');
    EXPECT_THROW(keys.read_code(), InputEnded);
}

TEST(TerminalKeys, ALoneEscapeOnATerminalIsTheEscapeKey) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    Terminal terminal(pty.slave, pty.slave);
    StringSink sink;
    Presenter presenter(sink);
    TerminalKeys keys(terminal, presenter);
    pty.type("\x1b[B");
    EXPECT_EQ(keys.read_code(), KEY_PREFIX);
    EXPECT_EQ(keys.read_code(), KEY_DOWN);
    pty.type("\x1b");
    EXPECT_EQ(keys.read_code(), KEY_ESCAPE); // after the short wait, with nothing more typed
    pty.type("[A");
    EXPECT_EQ(keys.read_code(), '[');
    EXPECT_EQ(keys.read_code(), 'A');
}

TEST(TerminalKeys, AWindowChangeRepaintsAtItsNewSize) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    Terminal terminal(pty.slave, pty.slave);
    StringSink sink;
    Presenter presenter(sink);
    TerminalKeys keys(terminal, presenter);
    Screen screen;
    keys.show(screen);
    pty.type("a");
    EXPECT_EQ(keys.read_code(), 'a');
    EXPECT_EQ(count_of(sink.bytes, "\x1b[2J"), 1u);

    winsize small{};
    small.ws_row = 20;
    small.ws_col = 60;
    ioctl(pty.master, TIOCSWINSZ, &small);
    raise(SIGWINCH); // held back until the next wait for input
    pty.type("b");
    EXPECT_EQ(keys.read_code(), 'b');
    EXPECT_NE(sink.bytes.find(std::string(ENLARGE_REQUEST)), std::string::npos);

    winsize large{};
    large.ws_row = 30;
    large.ws_col = 100;
    ioctl(pty.master, TIOCSWINSZ, &large);
    raise(SIGWINCH);
    sink.bytes.clear();
    pty.type("c");
    EXPECT_EQ(keys.read_code(), 'c');
    EXPECT_EQ(count_of(sink.bytes, "\x1b[2J"), 1u);
    EXPECT_EQ(sink.bytes.rfind("\x1b[0m", 0), 0u); // the whole screen again, colours reset
}

} // namespace
} // namespace zk
