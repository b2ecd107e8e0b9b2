// End-to-end tests of a game played in the real program, won and left.

#include "pty_session.hpp"

#include <gtest/gtest.h>

namespace zk::e2e {
namespace {

constexpr std::string_view MENU_PROMPT = "Podaj nazwe poziomu: ";
constexpr char32_t CURSOR_MARK = U'\u00B0';

class GameE2e : public ::testing::Test {
  protected:
    GameE2e() {
        dir.write_level("t1", "Ep\r\npE\r\nnKOT");
        SessionOptions options;
        options.working_dir = dir.path();
        session.emplace(options);
    }

    // Waits until the cursor mark stands on board cell (r, c).
    bool cursor_on(int r, int c) {
        return session->wait_for([&] { return session->char_at(9 + r, 25 + c) == CURSOR_MARK; });
    }

    void open_level() {
        ASSERT_TRUE(session->wait_for_text(22, 42, MENU_PROMPT)) << session->screen_text();
        session->send("t1\r");
        ASSERT_TRUE(session->wait_for_text(3, 0, "  Mapa: t1")) << session->screen_text();
        ASSERT_TRUE(cursor_on(0, 0)) << session->screen_text();
    }

    void leave_program() {
        ASSERT_TRUE(session->wait_for_text(22, 42, MENU_PROMPT)) << session->screen_text();
        session->send("exit\r");
        const ExitStatus status = session->wait_exit();
        EXPECT_TRUE(status.exited);
        EXPECT_EQ(status.code, 0);
    }

    TempWorkDir dir;
    std::optional<PtySession> session;
};

TEST_F(GameE2e, PlaysASmallLevelWithArrowAndPaintKeysToTheWinBoxAndBackToTheMenu) {
    open_level();
    EXPECT_EQ(session->attr_at(9, 25), 240);
    EXPECT_EQ(session->text_at(9, 23, 1), "1"); // row 0's clue, green
    EXPECT_EQ(session->attr_at(9, 23), 10);
    EXPECT_EQ(session->text_at(7, 26, 1), "1"); // column 1's clue
    EXPECT_EQ(session->row_text(4), "  Sprawdzenia:0");

    session->send("1");
    ASSERT_TRUE(session->wait_for([&] { return session->attr_at(9, 25) == 160; }));
    session->send("c"); // one cell is still missing: row 1 and column 1 turn red
    ASSERT_TRUE(session->wait_for_text(4, 14, "1")) << session->screen_text();
    ASSERT_TRUE(session->wait_for([&] { return session->attr_at(10, 24) == 12; }));
    EXPECT_EQ(session->attr_at(9, 24), 10);

    session->send(KEY_ARROW_DOWN);
    ASSERT_TRUE(cursor_on(1, 0)) << session->screen_text();
    session->send(KEY_ARROW_RIGHT);
    ASSERT_TRUE(cursor_on(1, 1)) << session->screen_text();
    session->send("1");
    ASSERT_TRUE(session->wait_for([&] { return session->attr_at(10, 26) == 160; }));
    session->send("C");
    ASSERT_TRUE(session->wait_for_text(8, 6, "GRATULACJE!")) << session->screen_text();
    EXPECT_EQ(session->text_at(11, 4, 3), "KOT");
    EXPECT_EQ(session->text_at(14, 8, 7), "2 razem");
    EXPECT_EQ(session->text_at(17, 9, 2), "0m");
    EXPECT_EQ(session->text_at(6, 2, 1), "\u2554"); // the box's top-left corner

    session->send("x"); // any key closes the box
    leave_program();
}

TEST_F(GameE2e, LeavesAGameThroughTheQuitDialog) {
    open_level();
    session->send("d");
    ASSERT_TRUE(cursor_on(0, 1));
    session->send("q");
    ASSERT_TRUE(session->wait_for_text(1, 45, "        UWAGA!        ")) << session->screen_text();
    session->send(std::string(KEY_ARROW_LEFT) + "n");
    ASSERT_TRUE(session->wait_for_text(1, 45, std::string(22, ' ')));
    EXPECT_EQ(session->char_at(9, 26), CURSOR_MARK); // the arrow was dropped by the dialog
    session->send("Q");
    ASSERT_TRUE(session->wait_for_text(4, 45, "        [T/N]         "));
    session->send("t");
    leave_program();
}

} // namespace
} // namespace zk::e2e
