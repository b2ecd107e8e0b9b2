// Ctrl-Z under a shell with job control: the game lets go of the terminal before it stops and
// takes it back, repainted, when the shell continues it.

#include "pty_session.hpp"

#include <gtest/gtest.h>

namespace zk::e2e {
namespace {

TEST(StopE2e, CtrlZRestoresTheTerminalBeforeStoppingAndFgRepaintsTheGame) {
    TempWorkDir dir;
    dir.write_level("t1", "Ep\r\npE\r\nnKOT");
    SessionOptions o;
    o.working_dir = dir.path();
    // The shell runs the game as a job of its own, says when it stopped, and continues it
    // in the foreground once a line is typed.
    o.arguments = {"-m", "-c", "\"$@\"; echo STOPPED; read line; fg", "sh", o.program};
    o.arguments.insert(o.arguments.end(), game_arguments().begin(), game_arguments().end());
    o.program = "/bin/sh";
    PtySession s(o);
    ASSERT_TRUE(s.wait_for_text(22, 42, "Podaj nazwe poziomu: ")) << s.screen_text();
    s.send("t1\r");
    ASSERT_TRUE(s.wait_for_text(3, 0, "  Mapa: t1")) << s.screen_text();
    s.settle(200);
    const std::string game_screen = s.screen_text();
    const std::size_t before_stop = s.output().size();

    s.send("\x1a");
    ASSERT_TRUE(s.wait_for_output("STOPPED")) << s.screen_text();
    const std::string stopping = s.output().substr(before_stop);
    // All the game sends is the restore, its line end sent as the terminal's mode has it.
    EXPECT_EQ(stopping.substr(0, stopping.find("STOPPED")), "\x1b[0m\x1b[?25h\x1b[25;1H\r\r\n");
    EXPECT_TRUE(same_terminal_mode(s.initial_mode(), s.current_mode()));
    EXPECT_NE(s.screen_text(), game_screen); // the shell's line scrolled it

    s.send("\r");
    EXPECT_TRUE(s.wait_for([&] { return s.screen_text() == game_screen; })) << s.screen_text();
    EXPECT_FALSE(same_terminal_mode(s.initial_mode(), s.current_mode()));
}

} // namespace
} // namespace zk::e2e
