// End-to-end tests of the editor in the real game: saving, a failed save, the save question.

#include "pty_session.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zk::e2e {
namespace {

constexpr std::string_view PROMPT = "Podaj nazwe poziomu: ";
constexpr char32_t CURSOR_MARK = U'\u00B0';
constexpr std::string_view BLANK_22 = "                      ";

class EditorE2e : public ::testing::Test {
  protected:
    SessionOptions options() const {
        SessionOptions o;
        o.working_dir = dir.path();
        return o;
    }

    // From the menu: opens the editor on a 2 x 3 board and paints the rows EEp and pRR, the
    // move down through the arrow key.
    static void draw_example(PtySession& s) {
        ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
        s.send("edytor\r");
        ASSERT_TRUE(s.wait_for_text(15, 1, "Podaj wysokosc: ")) << s.screen_text();
        s.send("2\r");
        ASSERT_TRUE(s.wait_for_text(16, 1, "Podaj szerokosc: ")) << s.screen_text();
        s.send("3\r");
        ASSERT_TRUE(s.wait_for([&] { return s.char_at(9, 25) == CURSOR_MARK; })) << s.screen_text();
        EXPECT_EQ(s.text_at(17, 45, 12), "[Z] - zapisz");
        s.send("1d1");
        s.send(KEY_ARROW_DOWN);
        s.send("4d4");
        ASSERT_TRUE(s.wait_for([&] { return s.attr_at(10, 27) == 192; })) << s.screen_text();
    }

    // Answers the save question with yes and types the answer word and the file name.
    static void save_as(PtySession& s, std::string_view answer, std::string_view name) {
        s.send("z");
        ASSERT_TRUE(s.wait_for_text(2, 45, "Skonczyles juz prace ?")) << s.screen_text();
        s.send("t");
        ASSERT_TRUE(s.wait_for_text(19, 0, "Podaj rozwiazanie do 15:")) << s.screen_text();
        s.send(answer);
        s.send("\r");
        ASSERT_TRUE(s.wait_for_text(21, 0, "Podaj nazwe pliku do 15:")) << s.screen_text();
        s.send(name);
        s.send("\r");
    }

    TempWorkDir dir;
};

TEST_F(EditorE2e, DrawnLevelIsSavedAndPlayedFromTheMenu) {
    PtySession s(options());
    draw_example(s);
    save_as(s, "kot", "test");
    ASSERT_TRUE(s.wait_for_text(23, 7, "Zapis udany")) << s.screen_text();
    EXPECT_EQ(s.attr_at(23, 7), 10);
    EXPECT_EQ(s.text_at(24, 0, 24), "nacisnij dowolny klawisz");
    EXPECT_EQ(dir.read_file("plansze/test.txt"), "EEp\r\npRR\r\nnkot");

    s.send("k");
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    s.send("test\r");
    ASSERT_TRUE(s.wait_for([&] { return s.char_at(9, 25) == CURSOR_MARK; })) << s.screen_text();
    EXPECT_EQ(s.text_at(3, 8, 4), "test");
    EXPECT_EQ(s.text_at(9, 23, 1), "2");
    EXPECT_EQ(s.attr_at(9, 23), 10);
    EXPECT_EQ(s.text_at(10, 23, 1), "2");
    EXPECT_EQ(s.attr_at(10, 23), 12);
    EXPECT_EQ(s.text_at(6, 26, 2), "1 ");
    EXPECT_EQ(s.attr_at(6, 26), 10);
    EXPECT_EQ(s.attr_at(7, 26), 12);

    s.send("1d1s4d4c");
    ASSERT_TRUE(s.wait_for_text(11, 4, "kot")) << s.screen_text();
    s.send("k");
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    s.send("exit\r");
    const ExitStatus status = s.wait_exit();
    EXPECT_TRUE(status.exited);
    EXPECT_EQ(status.code, 0);
}

TEST_F(EditorE2e, FailedSaveIsReportedAndTheDrawingCanStillBeSaved) {
    std::filesystem::remove(dir.path() + "/plansze");
    std::ofstream(dir.path() + "/plansze") << "not a directory";
    PtySession s(options());
    draw_example(s);
    save_as(s, "kot", "test");
    ASSERT_TRUE(s.wait_for_text(23, 0, "Zapis nieudany!")) << s.screen_text();
    EXPECT_EQ(s.attr_at(23, 0), 12);

    s.send("k");
    ASSERT_TRUE(s.wait_for([&] { return s.row_text(23).empty(); })) << s.screen_text();
    EXPECT_EQ(s.row_text(19).substr(0, 25), std::string(25, ' '));
    EXPECT_EQ(s.attr_at(9, 25), 160);
    EXPECT_EQ(s.attr_at(10, 27), 192);
    EXPECT_EQ(s.char_at(10, 27), CURSOR_MARK);

    std::filesystem::remove(dir.path() + "/plansze");
    save_as(s, "kot", "test");
    ASSERT_TRUE(s.wait_for_text(23, 7, "Zapis udany")) << s.screen_text();
    EXPECT_EQ(dir.read_file("plansze/test.txt"), "EEp\r\npRR\r\nnkot");
}

TEST_F(EditorE2e, SaveQuestionShowsTheVerdictAndTheAnswerAloneDecides) {
    PtySession s(options());
    ASSERT_TRUE(s.wait_for_text(22, 42, PROMPT)) << s.screen_text();
    s.send("edytor\r2\r3\r");
    ASSERT_TRUE(s.wait_for([&] { return s.char_at(9, 25) == CURSOR_MARK; })) << s.screen_text();

    s.send("1sd1z"); // Epp over pEp: the other diagonal fits the clues too
    ASSERT_TRUE(s.wait_for_text(3, 45, "   Wiele rozwiazan!   ")) << s.screen_text();
    EXPECT_EQ(s.attr_at(3, 48), 12);
    EXPECT_EQ(s.text_at(2, 45, 22), "Skonczyles juz prace ?");
    EXPECT_EQ(s.text_at(4, 45, 22), "        [T/N]         ");

    s.send("n");
    ASSERT_TRUE(s.wait_for_text(3, 45, BLANK_22)) << s.screen_text();
    EXPECT_EQ(s.attr_at(10, 26), 160);

    s.send("a1z"); // Epp over EEp has one picture, and line reasoning finds it
    ASSERT_TRUE(s.wait_for_text(3, 45, "   Jedno rozwiazanie  ")) << s.screen_text();
    EXPECT_EQ(s.attr_at(3, 48), 10);
    s.send("t");
    ASSERT_TRUE(s.wait_for_text(19, 0, "Podaj rozwiazanie do 15:")) << s.screen_text();
    EXPECT_EQ(s.text_at(3, 45, 22), BLANK_22);
    s.send("kot\rtest\r");
    ASSERT_TRUE(s.wait_for_text(23, 7, "Zapis udany")) << s.screen_text();
    EXPECT_EQ(dir.read_file("plansze/test.txt"), "Epp\r\nEEp\r\nnkot");
}

} // namespace
} // namespace zk::e2e
