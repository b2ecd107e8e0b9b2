// Typed words and keys in the real program in a pseudo-terminal: Ctrl-D, Tab, Polish letters,
// Alt keys and half sequences, and keys typed while the window is too small.

#include "pty_session.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace zk::e2e {
namespace {

constexpr std::string_view MENU_PROMPT = "Podaj nazwe poziomu: ";
constexpr std::string_view NOT_FOUND = "Brak planszy o podanej nazwie";
constexpr std::string_view QUIT_DIALOG_TOP = "        UWAGA!        ";
constexpr std::string_view ENLARGE = "Powieksz okno do 80 x 25";
constexpr char32_t CURSOR_MARK = U'\u00B0';

// A level won by painting cells (0, 0) and (1, 1) green.
constexpr std::string_view DIAGONAL_PICTURE = "Ep\r\npE\r\nn";
const std::string WIN_DIAGONAL =
    std::string("1") + std::string(KEY_ARROW_DOWN) + std::string(KEY_ARROW_RIGHT) + "1c";

class InputE2e : public ::testing::Test {
  protected:
    InputE2e() {
        dir.write_level("t1", std::string(DIAGONAL_PICTURE) + "KOT");
        dir.write_level("e1", std::string(DIAGONAL_PICTURE) + "A");
        dir.write_level("e2", std::string(DIAGONAL_PICTURE) + "B");
    }

    std::unique_ptr<PtySession> start() const {
        SessionOptions o;
        o.working_dir = dir.path();
        auto s = std::make_unique<PtySession>(o);
        EXPECT_TRUE(s->wait_for_text(22, 42, MENU_PROMPT)) << s->screen_text();
        return s;
    }

    // Types `keys` and waits for `text` at `row`, `col`.
    static bool step(PtySession& s, std::string_view keys, int row, int col,
                     std::string_view text) {
        s.send(keys);
        const bool shown = s.wait_for_text(row, col, text);
        if (!shown)
            ADD_FAILURE() << "no \"" << text << "\" after \"" << keys << "\"\n" << s.screen_text();
        return shown;
    }

    TempWorkDir dir;
};

TEST_F(InputE2e, CtrlDEndsTheProgramOnlyAtAnEmptyTypedLine) {
    auto s = start();
    ASSERT_TRUE(step(*s, "t1\r", 3, 0, "  Mapa: t1"));
    s->send("1");
    ASSERT_TRUE(s->wait_for([&] { return s->attr_at(9, 25) == 160; })) << s->screen_text();
    s->send(KEY_CTRL_D); // in the game: dropped
    ASSERT_TRUE(step(*s, "q", 1, 45, QUIT_DIALOG_TOP));
    s->send(KEY_CTRL_D); // in the quit question: dropped, the question stays
    s->settle(200);
    EXPECT_EQ(s->text_at(1, 45, 22), QUIT_DIALOG_TOP);
    s->send("n");
    ASSERT_TRUE(s->wait_for([&] { return s->text_at(1, 45, 6) == "      "; }));
    EXPECT_EQ(s->attr_at(9, 25), 160); // the painted cell is still there
    // The rest of the win; the first cell is painted already and stays painted.
    ASSERT_TRUE(step(*s, std::string(KEY_ARROW_DOWN) + std::string(KEY_ARROW_RIGHT) + "1c", 8, 6,
                     "GRATULACJE!"));
    s->send(KEY_CTRL_D); // a key like any other in the win box's wait
    ASSERT_TRUE(s->wait_for_text(22, 42, MENU_PROMPT)) << s->screen_text();
    ASSERT_TRUE(step(*s, "e", 22, 63, "e"));
    s->send(KEY_CTRL_D); // half-way through a word: dropped
    ASSERT_TRUE(step(*s, "1\r", 3, 0, "  Mapa: e1"));
    ASSERT_TRUE(step(*s, "qt", 22, 42, MENU_PROMPT));
    ASSERT_TRUE(step(*s, "zz\r", 22, 38, NOT_FOUND));
    s->send(KEY_CTRL_D); // ends the wait of the level-not-found screen
    ASSERT_TRUE(s->wait_for_text(22, 42, MENU_PROMPT)) << s->screen_text();
    s->send(KEY_CTRL_D); // nothing typed at a word prompt: the input ends
    const ExitStatus status = s->wait_exit();
    ASSERT_TRUE(status.exited) << s->screen_text();
    EXPECT_EQ(status.code, 1);
}

TEST_F(InputE2e, TabSeparatesWordsAndNumbers) {
    auto s = start();
    ASSERT_TRUE(step(*s, "e1\te2\r", 3, 0, "  Mapa: e1"));
    ASSERT_TRUE(step(*s, "qt", 3, 0, "  Mapa: e2")); // the menu takes the pending word
    ASSERT_TRUE(step(*s, "qt", 22, 42, MENU_PROMPT));
    ASSERT_TRUE(step(*s, "edytor\r", 15, 1, "Podaj wysokosc: "));
    s->send("7\t9\r"); // height 7, width 9
    ASSERT_TRUE(s->wait_for([&] { return s->char_at(9, 25) == CURSOR_MARK; })) << s->screen_text();
    EXPECT_EQ(s->attr_at(9 + 6, 25 + 8), 240); // the last cell of a 7 x 9 board
    EXPECT_NE(s->attr_at(9 + 7, 25), 240);
    EXPECT_NE(s->attr_at(9, 25 + 9), 240);
}

TEST_F(InputE2e, EmptyLinesAtTheMenuAndTheSizePromptsLeaveTheScreenStill) {
    auto s = start();
    ASSERT_TRUE(step(*s, "\r  \r\r\re", 22, 63, "e")); // still echoed right after the prompt
    EXPECT_EQ(s->text_at(0, 0, 6), " _____") << s->screen_text();
    ASSERT_TRUE(step(*s, "dytor\r" + std::string(10, '\r') + "7", 15, 17, "7"));
    EXPECT_EQ(s->text_at(1, 4, 16), "ZimvoKreltEdytor") << s->screen_text();
    EXPECT_EQ(s->text_at(3, 1, 21), "     Pare zasad:     ");
}

TEST_F(InputE2e, PolishLettersNameTheFileInUtf8AndTheAnswerInCodePage852) {
    dir.write_level("w", "EE\r\nEE\r\nnINNY");
    auto s = start();
    ASSERT_TRUE(step(*s, "edytor\r", 15, 1, "Podaj wysokosc: "));
    ASSERT_TRUE(step(*s, "2\r", 16, 1, "Podaj szerokosc"));
    s->send("2\r");
    ASSERT_TRUE(s->wait_for([&] { return s->char_at(9, 25) == CURSOR_MARK; })) << s->screen_text();
    s->send("1");
    s->send(KEY_ARROW_DOWN);
    s->send("d1");
    ASSERT_TRUE(s->wait_for([&] { return s->attr_at(10, 26) == 160; })) << s->screen_text();
    ASSERT_TRUE(step(*s, "z", 2, 45, "Skonczyles juz prace ?"));
    ASSERT_TRUE(step(*s, "t", 19, 0, "Podaj rozwiazanie"));
    s->send("je\u017c\u20ac"); // the euro sign has no code page 852 byte: not taken
    // Three cells; what the line shows is what is used.
    ASSERT_TRUE(s->wait_for([&] { return s->text_at(20, 0, 3) == "je\u017c"; }));
    s->settle(100);
    EXPECT_EQ(s->row_text(20), "je\u017c");
    ASSERT_TRUE(step(*s, "\r", 21, 0, "Podaj nazwe pliku"));
    ASSERT_TRUE(step(*s, "\u017c\u00f3\u0142w\r", 23, 7, "Zapis udany"));

    EXPECT_EQ(dir.read_file("plansze/\u017c\u00f3\u0142w.txt"),
              std::optional<std::string>("Ep\r\npE\r\nnje\xBE"));
    EXPECT_EQ(dir.read_file("plansze/w.txt"), std::optional<std::string>("EE\r\nEE\r\nnINNY"));

    s->send("x");
    ASSERT_TRUE(s->wait_for_text(22, 42, MENU_PROMPT)) << s->screen_text();
    s->send("\u017c\u00f3\u0142w\r");
    ASSERT_TRUE(s->wait_for([&] { return s->char_at(9, 25) == CURSOR_MARK; })) << s->screen_text();
    EXPECT_NE(s->row_text(3).find("\u017c\u00f3\u0142w"), std::string::npos) << s->row_text(3);
    ASSERT_TRUE(step(*s, WIN_DIAGONAL, 8, 6, "GRATULACJE!"));
    EXPECT_EQ(s->text_at(11, 4, 4), "je\u017c ") << s->screen_text();
}

TEST_F(InputE2e, AltKeysAndHalfSequencesFollowedByAPauseSwallowNothingAfter) {
    auto s = start();
    for (std::string_view start : {"\x1bP", "\x1b]", "\x1bX", "\x1b_", "\x1b^", "\x1b[", "\x1bO"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(start)));
        s->send(start);
        s->settle(150);
        ASSERT_TRUE(step(*s, "e1\r", 3, 0, "  Mapa: e1"));
        ASSERT_TRUE(step(*s, "qt", 22, 42, MENU_PROMPT));
    }
}

TEST_F(InputE2e, KeysTypedWhileTheWindowIsTooSmallAreDropped) {
    auto s = start();
    ASSERT_TRUE(step(*s, "t1\r", 3, 0, "  Mapa: t1"));
    s->resize(20, 60);
    ASSERT_TRUE(s->wait_for_text(0, 0, ENLARGE)) << s->screen_text();
    s->send("1q");
    s->send(KEY_CTRL_D);
    s->settle(200);
    s->resize(12, 9); // very narrow: only the needed size
    ASSERT_TRUE(s->wait_for_text(0, 0, "80 x 25")) << s->screen_text();
    s->resize(25, 80);
    ASSERT_TRUE(s->wait_for_text(3, 0, "  Mapa: t1")) << s->screen_text();
    s->settle(200);
    EXPECT_EQ(s->attr_at(9, 25), 240) << s->screen_text(); // not painted
    EXPECT_NE(s->text_at(1, 45, 22), QUIT_DIALOG_TOP);     // no quit question
    ASSERT_TRUE(step(*s, "q", 1, 45, QUIT_DIALOG_TOP));    // the game still takes keys
    ASSERT_TRUE(step(*s, "t", 22, 42, MENU_PROMPT));
}

} // namespace
} // namespace zk::e2e
