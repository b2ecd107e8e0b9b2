// Tests of the editor's first screen: rules, size prompts, refusals and the board laid out.

#include "editor_fixture.hpp"

#include "board_screen/colour_looks.hpp"
#include "board_screen/glyphs.hpp"
#include "screen_block.hpp"

#include <string>
#include <tuple>

namespace zk::test {
namespace {

// True when board cell (r, c) shows on screen as a white blank.
bool shows_white_cell(const Screen& s, int r, int c) {
    return glyph_at(s, 9 + r, 25 + c) == ' ' && attr_at(s, 9 + r, 25 + c) == 240;
}

using EditorSetupTest = EditorTest;

TEST_F(EditorSetupTest, RulesPromptsAndLegendShowInTheirColours) {
    open_board(7, 9);
    const Screen& s = screen();
    const AttrKey key{{'R', 12}, {'G', 10}, {'C', 11}, {'W', 15}};
    // The advice limits stand right after the text before them.
    EXPECT_TRUE(shows(s, 1, 0,
                      {{
                           "    ZimvoKreltEdytor   ",
                           "                       ",
                           "      Pare zasad:      ",
                           "                       ",
                           " *Maksymalny wymiar to ",
                           "         15x15         ",
                           "                       ",
                           " *Maksymalna ilosc grup",
                           "       w pionie 8      ",
                           "                       ",
                           "   *Maksymalna ilosc   ",
                           " wystapien tego samego ",
                           " koloru pod rzad to 9  ",
                           "                       ",
                           " Podaj wysokosc: 7     ",
                           " Podaj szerokosc: 9    ",
                       },
                       {
                           "    RRRRRGGGGGCCCCCC",
                           "",
                           " RRRRRRRRRRRRRRRRRRRRR",
                           "",
                           " WWWWWWWWWWWWWWWWWWWWW",
                           " GGGGGGGGGGGGGGGGGGGGG",
                           "",
                           " WWWWWWWWWWWWWWWWWWWWWW",
                           " WWWWWWWWWWWWWWWG",
                           "",
                           " WWWWWWWWWWWWWWWWWWWWW",
                           " WWWWWWWWWWWWWWWWWWWWW",
                           " WWWWWWWWWWWWWWWWWWWG",
                           "",
                           " WWWWWWWWWWWWWWWWG",
                           " WWWWWWWWWWWWWWWWWG",
                       }},
                      key));

    EXPECT_EQ(text_at(s, 8, 45, 18), "   WSAD / STRZALKI");
    EXPECT_EQ(attr_at(s, 8, 48), 15);
    EXPECT_EQ(attr_at(s, 8, 53), 12);
    EXPECT_EQ(attr_at(s, 8, 55), 15);
    for (const Colour& colour : COLOUR_TABLE) {
        const int row = 10 + (colour.key - '1');
        EXPECT_EQ(row_text(s, row).substr(45),
                  std::string("[") + colour.key + "] - " + look_of(colour).legend_name)
            << "legend row " << row;
        EXPECT_EQ(attr_at(s, row, 45), look_of(colour).legend_attr) << "legend row " << row;
    }
    EXPECT_EQ(text_at(s, 17, 45, 13), "[Z] - zapisz ");
    EXPECT_EQ(attr_at(s, 17, 45), 15);
    EXPECT_EQ(row_text(s, 19).substr(45), " [Q] - wroc do menu");
    EXPECT_EQ(attr_at(s, 19, 46), 12);
}

TEST_F(EditorSetupTest, BoardIsAWhiteRectangleAndTheMarkShowsBeforeTheFirstKey) {
    open_board(7, 9);
    EXPECT_THROW(start_editor(ctx), InputEnded); // no first key yet
    const Screen& s = screen();
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 9; ++c)
            if (r != 0 || c != 0) {
                EXPECT_TRUE(shows_white_cell(s, r, c)) << r << "," << c;
            }
    EXPECT_EQ(glyph_at(s, 9, 25), GLYPH_CURSOR);
    EXPECT_EQ(attr_at(s, 9, 25), 240);
    EXPECT_FALSE(shows_white_cell(s, 0, 9));
    EXPECT_FALSE(shows_white_cell(s, 7, 0));
    EXPECT_EQ(puzzle().cursor_row, 0);
    EXPECT_EQ(puzzle().cursor_col, 0);
}

TEST_F(EditorSetupTest, LargestBoardStaysBetweenRulesAndLegend) {
    open_board(15, 15);
    const Screen& s = screen();
    EXPECT_TRUE(shows_white_cell(s, 0, 0));
    EXPECT_TRUE(shows_white_cell(s, 14, 14)); // column 39, row 23
    EXPECT_EQ(attr_at(s, 24, 39), 7);
    EXPECT_EQ(attr_at(s, 23, 40), 7);
    EXPECT_EQ(attr_at(s, 23, 24), 7);
    EXPECT_EQ(text_at(s, 5, 1, 21), "*Maksymalny wymiar to");
    EXPECT_EQ(text_at(s, 14, 45, 11), "[5] - szary");
}

struct SizeCase {
    const char* typed;
    int height;
    int width;
    friend void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.height << "x" << c.width; }
};

class AcceptedSizeTest : public EditorTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(AcceptedSizeTest, LaysOutTheBoardAsTheLevelFileText) {
    const SizeCase size = GetParam();
    keys.add(size.typed);
    ASSERT_EQ(editor_setup(ctx), ScreenId::editor);
    EXPECT_EQ(keys.remaining(), 0u);
    for (int r = 0; r < GRID_STRIDE; ++r)
        for (int c = 0; c < GRID_STRIDE; ++c) {
            const bool board = r < size.height && c < size.width;
            std::uint8_t expected = board ? 'p' : 0;
            if (r < size.height && c == size.width) expected = '\n';
            if (r == size.height && c == 0) expected = 'x';
            EXPECT_EQ(at(puzzle().canvas, r, c), expected) << "canvas " << r << "," << c;
            EXPECT_EQ(at(puzzle().target, r, c), board ? 'p' : 0) << "target " << r << "," << c;
            if (r < 15 && c < 15) {
                EXPECT_EQ(shows_white_cell(screen(), r, c), board) << "cell " << r << "," << c;
            }
        }
}

INSTANTIATE_TEST_SUITE_P(Sizes, AcceptedSizeTest,
                         ::testing::Values(SizeCase{"2\r15\r", 2, 15}, SizeCase{"15\r2\r", 15, 2},
                                           SizeCase{"2\r3\r", 2, 3},
                                           // both numbers on the height line, no second line
                                           SizeCase{"7 9\r", 7, 9}));

TEST_F(EditorSetupTest, TwoNumbersOnOneLineStillDrawTheWidthPrompt) {
    keys.add("7 9\r");
    ASSERT_EQ(editor_setup(ctx), ScreenId::editor);
    EXPECT_EQ(text_at(screen(), 15, 1, 19), "Podaj wysokosc: 7 9");
    EXPECT_EQ(row_text(screen(), 16), " Podaj szerokosc:");
}

TEST_F(EditorSetupTest, LayoutIgnoresAnEarlierLargerBoardAndGame) {
    open_board(15, 15);
    keys.add("ssss1dddd3qt");
    EXPECT_EQ(start_editor(ctx), ScreenId::menu);
    // A game's leftovers: a picture in target and paint all over canvas.
    puzzle().target.fill('E');
    puzzle().canvas.fill('R');
    open_board(2, 3);
    EXPECT_EQ(canvas_row(0, 17), std::string("ppp\n") + std::string(13, '\0'));
    EXPECT_EQ(canvas_row(1, 17), std::string("ppp\n") + std::string(13, '\0'));
    EXPECT_EQ(canvas_row(2, 17), std::string("x") + std::string(16, '\0'));
    int board_cells = 0;
    for (int i = 0; i < GRID_CELLS; ++i) {
        if (i >= 3 * GRID_STRIDE) {
            EXPECT_EQ(puzzle().canvas[i], 0) << "canvas byte " << i;
        }
        if (puzzle().target[i] != 0) ++board_cells;
    }
    EXPECT_EQ(board_cells, 6);
    EXPECT_EQ(at(puzzle().target, 1, 2), 'p');
}

class RefusedSizeTest : public EditorTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedSizeTest, ShowsTheMessageWaitsForAKeyAndAsksForAFreshSetup) {
    puzzle().canvas.fill('R');
    const PuzzleState before = puzzle();
    keys.add(std::string(GetParam()) + "k");
    EXPECT_EQ(editor_setup(ctx), ScreenId::editor_setup);
    EXPECT_EQ(keys.remaining(), 0u); // the key was waited for
    EXPECT_EQ(row_text(screen(), 18), " Podano nieprawidlowy wymiar");
    EXPECT_EQ(row_text(screen(), 19), "     sprobuj jeszcze raz");
    EXPECT_EQ(attr_at(screen(), 18, 1), 12);
    EXPECT_EQ(attr_at(screen(), 19, 5), 12);
    EXPECT_FALSE(shows_white_cell(screen(), 0, 0));
    EXPECT_EQ(puzzle().canvas, before.canvas);
    EXPECT_EQ(puzzle().target, before.target);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RefusedSizeTest,
                         ::testing::Values("1\r5\r", "16\r5\r", "0\r5\r", "-3\r5\r", "5\r1\r",
                                           "5\r16\r", "5\r0\r", "5\r-3\r", "5\rabc\r",
                                           "99999999999\r5\r"));

TEST_F(EditorSetupTest, LettersForTheHeightGiveTheMessage) {
    // "%d" takes no number, one letter is dropped and the width read finds "bc": no number.
    keys.add("abc\rk");
    EXPECT_EQ(editor_setup(ctx), ScreenId::editor_setup);
    EXPECT_EQ(keys.remaining(), 0u);
    EXPECT_EQ(row_text(screen(), 16), " Podaj szerokosc:");
    EXPECT_EQ(row_text(screen(), 17), " Podano nieprawidlowy wymiar");
    EXPECT_EQ(row_text(screen(), 18), "     sprobuj jeszcze raz");
}

TEST_F(EditorSetupTest, TheNextSetupStartsFromACleanScreen) {
    keys.add("1\r5\rk");
    ASSERT_EQ(editor_setup(ctx), ScreenId::editor_setup);
    open_board(3, 4);
    EXPECT_EQ(text_at(screen(), 15, 0, 25), " Podaj wysokosc: 3       ");
    EXPECT_EQ(text_at(screen(), 16, 0, 25), " Podaj szerokosc: 4      ");
    EXPECT_EQ(row_text(screen(), 18), "");
    EXPECT_EQ(row_text(screen(), 19).substr(0, 25), std::string(25, ' '));
}

} // namespace
} // namespace zk::test
