// End-to-end tests of the real program at its menu: texts, colours, keys, window sizes, signals
// and the end of input.

#include "pty_session.hpp"

#include <gtest/gtest.h>

#include <csignal>

namespace zk::e2e {
namespace {

constexpr std::string_view PROMPT = "Podaj nazwe poziomu: ";
constexpr std::string_view NOT_FOUND = "Brak planszy o podanej nazwie";
constexpr std::string_view ENLARGE = "Powieksz okno do 80 x 25";

class MenuE2e : public ::testing::Test {
  protected:
    SessionOptions options(int rows = 25, int columns = 80) const {
        SessionOptions o;
        o.working_dir = dir.path();
        o.rows = rows;
        o.columns = columns;
        return o;
    }

    // Expects the program gone with the terminal as it was before, the cursor shown.
    static void expect_terminal_restored(PtySession& s) {
        EXPECT_TRUE(same_terminal_mode(s.initial_mode(), s.current_mode()));
        EXPECT_TRUE(s.cursor_visible());
        const std::size_t shown = s.output().rfind("\x1b[?25h");
        ASSERT_NE(shown, std::string::npos);
        const std::size_t hidden = s.output().rfind("\x1b[?25l");
        EXPECT_TRUE(hidden == std::string::npos || hidden < shown);
        EXPECT_NE(s.output().find("\x1b[0m", shown - 4), std::string::npos); // colours reset
    }

    TempWorkDir dir;
};

TEST_F(MenuE2e, MenuTextsAndColoursStandAtTheirCells) {
    PtySession s(options());
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    EXPECT_EQ(s.attr_at(22, 42), 10);
    EXPECT_EQ(s.text_at(6, 14, 8), "Poziomy:");
    EXPECT_EQ(s.attr_at(6, 14), 11);
    EXPECT_EQ(s.text_at(10, 6, 4), "[e1]");
    EXPECT_EQ(s.attr_at(10, 6), 10);
    EXPECT_EQ(s.text_at(12, 16, 4), "[m3]");
    EXPECT_EQ(s.attr_at(12, 16), 14);
    EXPECT_EQ(s.text_at(14, 25, 4), "[h5]");
    EXPECT_EQ(s.attr_at(14, 28), 12);
    EXPECT_EQ(s.text_at(16, 15, 6), "UWAGA!");
    EXPECT_EQ(s.text_at(13, 36, 10), " 3 oznacza");
    EXPECT_EQ(s.attr_at(13, 37), 10);
    EXPECT_EQ(s.attr_at(13, 39), 15);
    EXPECT_EQ(s.text_at(6, 50, 9), "Jak grac?");
    EXPECT_EQ(s.attr_at(6, 50), 11);
    for (int row = 0; row < 5; ++row) { // the title blocks: light red, then light green
        bool red = false;
        bool green = false;
        for (int col = 0; col < 74; ++col) {
            if (s.char_at(row, col) == U' ') continue;
            red = red || (col < 35 && s.attr_at(row, col) == 12);
            green = green || (col >= 35 && s.attr_at(row, col) == 10);
        }
        EXPECT_TRUE(red && green) << "title row " << row << "\n" << s.screen_text();
    }
    EXPECT_FALSE(s.rgb_at(10, 6)); // no 24-bit colours unless COLORTERM says so
    EXPECT_FALSE(s.cursor_visible());
    EXPECT_EQ(s.output().find("\x1b[?1049h"), std::string::npos); // no alternate screen
}

TEST_F(MenuE2e, TrueColourTerminalsGetTheClassicPalette) {
    SessionOptions o = options();
    o.environment.push_back({"COLORTERM", "truecolor"});
    PtySession s(o);
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    EXPECT_TRUE(s.rgb_at(10, 6));
    EXPECT_EQ(s.attr_at(10, 6), 10);
    EXPECT_EQ(s.attr_at(10, 16), 14);
    EXPECT_EQ(s.attr_at(10, 25), 12);
}

TEST_F(MenuE2e, ExitEndsWithStatusZeroLeavingTheMenuAndARestoredTerminal) {
    PtySession s(options(30, 90));
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    const termios playing = s.current_mode();
    EXPECT_EQ(playing.c_lflag & (ICANON | ECHO), 0u); // raw input while the game runs
    EXPECT_NE(playing.c_lflag & ISIG, 0u);            // Ctrl-C still interrupts
    s.send("exit\r");
    const ExitStatus status = s.wait_exit();
    ASSERT_TRUE(status.exited) << s.screen_text();
    EXPECT_EQ(status.code, 0);
    expect_terminal_restored(s);
    EXPECT_EQ(s.text_at(22, 42, 25), "Podaj nazwe poziomu: exit"); // the menu stays visible
    EXPECT_EQ(s.attr_at(22, 63), 10);
    EXPECT_EQ(s.cursor_row(), 25); // the shell goes on below the drawn rows
    EXPECT_EQ(s.cursor_col(), 0);
}

TEST_F(MenuE2e, OnAWindowOfExactly25RowsTheScreenMovesUpForTheShell) {
    PtySession s(options(25, 80));
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    s.send("exit\r");
    ASSERT_EQ(s.wait_exit().code, 0);
    EXPECT_EQ(s.text_at(21, 42, 25), "Podaj nazwe poziomu: exit") << s.screen_text();
    EXPECT_EQ(s.cursor_row(), 24);
    EXPECT_EQ(s.row_text(24), "");
}

TEST_F(MenuE2e, ArrowsAndPageDownTypeNothingAtThePrompt) {
    PtySession s(options(30, 80));
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    s.send(KEY_ARROW_UP);
    s.send(KEY_PAGE_DOWN);
    s.send(KEY_ARROW_LEFT);
    s.send("\x1bOB"); // the other form of an arrow key
    s.send("exit\r");
    ASSERT_EQ(s.wait_exit().code, 0);
    EXPECT_EQ(s.row_text(22).substr(42), "Podaj nazwe poziomu: exit") << s.screen_text();
}

TEST_F(MenuE2e, PageDownIsNoKeyAndAnyKeyLeavesTheLevelNotFoundScreen) {
    PtySession s(options());
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    s.send("nosuch\r");
    ASSERT_TRUE(s.wait_for_text(22, 38, NOT_FOUND)) << s.screen_text();
    EXPECT_EQ(s.attr_at(22, 38), 12);
    s.send(KEY_PAGE_DOWN);
    s.settle(300);
    EXPECT_EQ(s.text_at(22, 38, static_cast<int>(NOT_FOUND.size())), NOT_FOUND);
    s.send("x");
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    EXPECT_EQ(s.text_at(23, 38, 29), std::string(29, ' '));
    s.send("exit\r");
    EXPECT_EQ(s.wait_exit().code, 0);
}

TEST_F(MenuE2e, ArrowKeysMoveTheGameCursorAndGlyphsShowInUtf8) {
    dir.write_level("t1", "EEp\npRR\nnkot");
    PtySession s(options());
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    s.send("t1\r");
    ASSERT_TRUE(s.wait_for([&] { return s.char_at(9, 25) == U'\u00B0'; })) << s.screen_text();
    s.send(KEY_ARROW_RIGHT);
    ASSERT_TRUE(s.wait_for([&] { return s.char_at(9, 26) == U'\u00B0'; })) << s.screen_text();
    EXPECT_EQ(s.char_at(9, 25), U' ');
    s.send(KEY_ARROW_DOWN);
    ASSERT_TRUE(s.wait_for([&] { return s.char_at(10, 26) == U'\u00B0'; })) << s.screen_text();
    s.send(KEY_PAGE_DOWN); // must not paint the cell with its '6'
    s.send(KEY_ARROW_LEFT);
    ASSERT_TRUE(s.wait_for([&] { return s.char_at(10, 25) == U'\u00B0'; })) << s.screen_text();
    EXPECT_EQ(s.attr_at(10, 26), 240); // still white
}

TEST_F(MenuE2e, WithoutUtf8TheGlyphsShowAsAsciiStandIns) {
    dir.write_level("t1", "EEp\npRR\nnkot");
    SessionOptions o = options();
    o.environment.push_back({"LANG", "C"});
    PtySession s(o);
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    s.send("t1\r");
    ASSERT_TRUE(s.wait_for([&] { return s.char_at(9, 25) == U'o'; })) << s.screen_text();
    EXPECT_EQ(s.output().find("\xC2\xB0"), std::string::npos);
}

TEST_F(MenuE2e, CtrlDEndsTheInputWithStatusOne) {
    PtySession s(options());
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    s.send(KEY_CTRL_D);
    const ExitStatus status = s.wait_exit();
    ASSERT_TRUE(status.exited) << s.screen_text();
    EXPECT_EQ(status.code, 1);
    expect_terminal_restored(s);
}

TEST_F(MenuE2e, TerminationSignalsRestoreTheTerminal) {
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) {
        PtySession s(options());
        ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
        if (sig == SIGINT)
            s.send(KEY_CTRL_C); // through the terminal, as a player would
        else
            s.signal(sig);
        const ExitStatus status = s.wait_exit();
        EXPECT_FALSE(status.exited) << sig;
        EXPECT_EQ(status.signal, sig);
        expect_terminal_restored(s);
    }
}

TEST_F(MenuE2e, SmallWindowAsksToBeEnlargedAndLosesNothing) {
    PtySession s(options(20, 60));
    ASSERT_TRUE(s.wait_for_text(0, 0, ENLARGE)) << s.screen_text();
    EXPECT_EQ(s.output().find("Poziomy:"), std::string::npos);
    s.resize(25, 80);
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    s.send("ab");
    ASSERT_TRUE(s.wait_for_text(22, 63, "ab"));
    s.resize(25, 79);
    ASSERT_TRUE(s.wait_for_text(0, 0, ENLARGE)) << s.screen_text();
    s.send("x"); // typed blind: dropped
    s.settle(200);
    s.resize(26, 80);
    ASSERT_TRUE(s.wait_for_text(22, 42, "Podaj nazwe poziomu: ab ")) << s.screen_text();
    s.send("c");
    ASSERT_TRUE(s.wait_for_text(22, 42, "Podaj nazwe poziomu: abc")) << s.screen_text();
    EXPECT_EQ(s.text_at(6, 14, 8), "Poziomy:");
    EXPECT_EQ(s.row_text(25), "");
    s.send("\r"); // the word "abc" names no level
    ASSERT_TRUE(s.wait_for_text(22, 38, NOT_FOUND)) << s.screen_text();
    s.send("x");
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    s.send("exit\r");
    EXPECT_EQ(s.wait_exit().code, 0);
}

TEST_F(MenuE2e, PipedInputPlaysAScript) {
    const PipedRun exit_run = run_piped(dir.path(), "\n  exit\n");
    EXPECT_TRUE(exit_run.status.exited);
    EXPECT_EQ(exit_run.status.code, 0);
    EXPECT_NE(exit_run.output.find("Podaj nazwe poziomu: "), std::string::npos);

    const PipedRun empty = run_piped(dir.path(), "");
    EXPECT_EQ(empty.status.code, 1);

    const PipedRun not_found = run_piped(dir.path(), "nosuch\nx");
    EXPECT_EQ(not_found.status.code, 1); // the input ended at the menu after the key
    EXPECT_NE(not_found.output.find(NOT_FOUND), std::string::npos);
}

} // namespace
} // namespace zk::e2e
