// Tests of the editor's key loop, its quit dialog and its save question.

#include "editor_fixture.hpp"

#include "board_screen/glyphs.hpp"

#include <string>

namespace zk::test {
namespace {

using EditorLoopTest = EditorTest;

const std::string BLANK_22(22, ' ');

TEST_F(EditorLoopTest, MovesAndPaintsLikeTheGame) {
    open_board(2, 3);
    draw("1d1s4d4");
    EXPECT_EQ(canvas_row(0, 4), "EEp\n");
    EXPECT_EQ(canvas_row(1, 4), "pRR\n");
    EXPECT_EQ(puzzle().cursor_row, 1);
    EXPECT_EQ(puzzle().cursor_col, 2);
    EXPECT_EQ(attr_at(screen(), 9, 25), 160);
    EXPECT_EQ(glyph_at(screen(), 9, 26), ' ');
    EXPECT_EQ(attr_at(screen(), 9, 26), 160);
    EXPECT_EQ(attr_at(screen(), 9, 27), 240);
    EXPECT_EQ(attr_at(screen(), 10, 25), 240);
    EXPECT_EQ(glyph_at(screen(), 10, 27), GLYPH_CURSOR);
    EXPECT_EQ(attr_at(screen(), 10, 27), 192);
    // Painting never touches the board's extent.
    EXPECT_EQ(at(puzzle().target, 0, 0), 'p');
    EXPECT_EQ(at(puzzle().target, 1, 2), 'p');
}

TEST_F(EditorLoopTest, PrefixRuleAppliesToTheFirstCodeAndMovesStopAtTheEdge) {
    open_board(2, 3);
    draw("\xE0P\xE0P\xE0Mddd");
    EXPECT_EQ(puzzle().cursor_row, 1);
    EXPECT_EQ(puzzle().cursor_col, 2);
    draw_more("\xE0H"
              "ww"
              "aaaa");
    EXPECT_EQ(puzzle().cursor_row, 0);
    EXPECT_EQ(puzzle().cursor_col, 0);
}

TEST_F(EditorLoopTest, CheckKeysAndUnknownCodesChangeNothing) {
    open_board(3, 3);
    draw("");
    const Screen before = screen();
    const PuzzleState state = puzzle();
    draw_more(std::string("cCxhp\r\x1b") + '\0' + "\xE0\xE0");
    std::string difference;
    EXPECT_TRUE(looks_the_same(screen(), before, &difference)) << difference;
    EXPECT_EQ(puzzle().canvas, state.canvas);
    EXPECT_EQ(puzzle().target, state.target);
    EXPECT_EQ(puzzle().cursor_row, 0);
    EXPECT_EQ(puzzle().cursor_col, 0);
}

TEST_F(EditorLoopTest, QuitDialogWaitsAndDropsEveryOtherCode) {
    open_board(2, 3);
    draw("q1d\xE0Pzq\r\x1b");
    EXPECT_EQ(text_at(screen(), 1, 45, 22), "        UWAGA!        ");
    EXPECT_EQ(text_at(screen(), 2, 45, 22), " Mapa sie nie zapisze ");
    EXPECT_EQ(text_at(screen(), 3, 45, 22), "    na pewno wyjsc?   ");
    EXPECT_EQ(text_at(screen(), 4, 45, 22), "        [T/N]         ");
    EXPECT_EQ(attr_at(screen(), 1, 53), 12);
    EXPECT_EQ(attr_at(screen(), 2, 46), 10);
    EXPECT_EQ(attr_at(screen(), 3, 49), 10);
    EXPECT_EQ(attr_at(screen(), 4, 53), 15);
    EXPECT_EQ(canvas_row(0, 3), "ppp");
    EXPECT_EQ(puzzle().cursor_col, 0);
    EXPECT_EQ(row_text(screen(), 2).substr(0, 45).find_first_not_of(' '), std::string::npos);
}

TEST_F(EditorLoopTest, QuitAnsweredNoErasesTheDialogAndDrawingGoesOn) {
    open_board(2, 3);
    draw("1dqNd");
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(text_at(screen(), row, 45, 22), BLANK_22) << "row " << row;
        EXPECT_EQ(attr_at(screen(), row, 45), 7) << "row " << row;
    }
    EXPECT_EQ(canvas_row(0, 3), "Epp");
    EXPECT_EQ(puzzle().cursor_col, 2); // the key after the dialog was handled
    EXPECT_EQ(at(puzzle().target, 0, 0), 'p');
}

TEST_F(EditorLoopTest, QuitAnsweredYesLeavesForTheMenuWithoutWriting) {
    TempWorkingDir dir;
    open_board(2, 3);
    keys.add("1\xE0HQT");
    EXPECT_EQ(start_editor(ctx), ScreenId::menu);
    EXPECT_EQ(keys.remaining(), 0u);
    EXPECT_EQ(puzzle().target, Grid{});
    EXPECT_EQ(puzzle().answer[0], '\0');
    EXPECT_TRUE(dir.files().empty());
}

TEST_F(EditorLoopTest, SaveQuestionWaitsAndDropsEveryOtherCode) {
    open_board(2, 3);
    draw("3Zs4\xE0Mq\r");
    EXPECT_EQ(text_at(screen(), 2, 45, 22), "Skonczyles juz prace ?");
    EXPECT_EQ(attr_at(screen(), 2, 45), 11);
    EXPECT_EQ(text_at(screen(), 4, 45, 22), "        [T/N]         ");
    EXPECT_EQ(attr_at(screen(), 4, 53), 15);
    EXPECT_EQ(text_at(screen(), 1, 45, 22), BLANK_22); // the q opened no quit dialog
    EXPECT_EQ(canvas_row(0, 3), "Bpp");
    EXPECT_EQ(canvas_row(1, 3), "ppp");
    EXPECT_EQ(puzzle().cursor_row, 0);
    EXPECT_EQ(puzzle().cursor_col, 0);
    EXPECT_EQ(keys.remaining(), 0u);
}

TEST_F(EditorLoopTest, SaveQuestionAnsweredNoErasesItAndDrawingGoesOn) {
    TempWorkingDir dir;
    open_board(2, 3);
    draw("3zs4nd");
    for (int row = 2; row <= 4; ++row) { // the verdict on row 3 goes with the question
        EXPECT_EQ(text_at(screen(), row, 45, 22), BLANK_22) << "row " << row;
        EXPECT_EQ(attr_at(screen(), row, 45), 7) << "row " << row;
    }
    EXPECT_EQ(canvas_row(0, 3), "Bpp");
    EXPECT_EQ(puzzle().cursor_col, 1);
    EXPECT_EQ(row_text(screen(), 19).substr(0, 25), std::string(25, ' ')); // no prompt
    EXPECT_TRUE(dir.files().empty());
}

} // namespace
} // namespace zk::test
