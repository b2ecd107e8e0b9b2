// Tests of the shared board view: the cursor's home, moves and marks, and painting.

#include "board_screen/board_view.hpp"

#include "board_screen/glyphs.hpp"
#include "model/colours.hpp"
#include "screen_text.hpp"
#include "scripted_keys.hpp"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace zk {
namespace {

using test::attr_at;
using test::glyph_at;
using namespace std::string_view_literals;

constexpr int MARK = GLYPH_CURSOR;

// A board from its rows as target letters, with every board cell white in the canvas.
PuzzleState board(std::initializer_list<std::string_view> rows) {
    PuzzleState p;
    int r = 0;
    for (std::string_view row : rows) {
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            at(p.target, r, c) = static_cast<std::uint8_t>(row[c]);
            if (row[c] != '\0') at(p.canvas, r, c) = WHITE;
        }
        ++r;
    }
    return p;
}

// Cell (r, c) of the board as it is shown.
int cell_glyph(const Screen& s, int r, int c) {
    return glyph_at(s, BOARD_TOP + r, BOARD_LEFT + c);
}
int cell_attr(const Screen& s, int r, int c) {
    return attr_at(s, BOARD_TOP + r, BOARD_LEFT + c);
}

void expect_refused(PuzzleState& p, Screen& s, Direction d) {
    const PuzzleState before = p;
    const Screen screen_before = s;
    move_cursor(p, s, d);
    EXPECT_EQ(p.cursor_row, before.cursor_row);
    EXPECT_EQ(p.cursor_col, before.cursor_col);
    EXPECT_EQ(s.cells, screen_before.cells);
}

TEST(Cursor, HomeDrawsTheWhiteMarkOnTheTopLeftCell) {
    PuzzleState p = board({"ppp", "ppp"});
    p.cursor_row = 1;
    p.cursor_col = 2;
    Screen s;
    home_cursor(p, s);
    EXPECT_EQ(p.cursor_row, 0);
    EXPECT_EQ(p.cursor_col, 0);
    EXPECT_EQ(cell_glyph(s, 0, 0), MARK);
    EXPECT_EQ(cell_attr(s, 0, 0), 240);
}

TEST(Cursor, MovesStopAtEveryEdgeOfATwoByTwoBoard) {
    PuzzleState p = board({"EE", "EE"});
    Screen s;
    home_cursor(p, s);
    expect_refused(p, s, Direction::up);
    expect_refused(p, s, Direction::left);
    move_cursor(p, s, Direction::right);
    EXPECT_EQ(p.cursor_col, 1);
    expect_refused(p, s, Direction::right); // column 2 is not a board cell
    expect_refused(p, s, Direction::up);
    move_cursor(p, s, Direction::down);
    EXPECT_EQ(p.cursor_row, 1);
    expect_refused(p, s, Direction::down);
    expect_refused(p, s, Direction::right);
    move_cursor(p, s, Direction::left);
    expect_refused(p, s, Direction::left);
    expect_refused(p, s, Direction::down);
    EXPECT_EQ(p.cursor_row, 1);
    EXPECT_EQ(p.cursor_col, 0);
}

TEST(Cursor, TopRowUpAndColumnZeroLeftAreRefusedEverywhere) {
    PuzzleState p = board({"ppp", "ppp", "ppp"});
    Screen s;
    for (int i = 0; i < 3; ++i) {
        p.cursor_row = 0;
        p.cursor_col = i;
        expect_refused(p, s, Direction::up);
        p.cursor_row = i;
        p.cursor_col = 0;
        expect_refused(p, s, Direction::left);
    }
}

TEST(Cursor, AMoveRedrawsOnlyTheCellLeftAndTheCellReached) {
    PuzzleState p = board({"ppp", "ppp"});
    Screen s;
    home_cursor(p, s);
    Screen expected = s;
    move_cursor(p, s, Direction::right);
    EXPECT_EQ(cell_glyph(s, 0, 0), ' ');
    EXPECT_EQ(cell_attr(s, 0, 0), 240);
    EXPECT_EQ(cell_glyph(s, 0, 1), MARK);
    EXPECT_EQ(cell_attr(s, 0, 1), 240);
    // Every other cell is as it was.
    put_glyph_at(expected, BOARD_TOP, BOARD_LEFT, 7, ' ');
    put_glyph_at(expected, BOARD_TOP, BOARD_LEFT + 1, 7, ' ');
    put_glyph_at(s, BOARD_TOP, BOARD_LEFT, 7, ' ');
    put_glyph_at(s, BOARD_TOP, BOARD_LEFT + 1, 7, ' ');
    for (int i = 0; i < SCREEN_COLUMNS * SCREEN_ROWS; ++i)
        EXPECT_EQ(s.cells[i].glyph, expected.cells[i].glyph) << "cell " << i;
}

TEST(Cursor, PaintingStoresTheLetterAndShowsTheMarkInItsColourAtOnce) {
    PuzzleState p = board({"ppp", "ppp"});
    Screen s;
    home_cursor(p, s);
    ASSERT_TRUE(handle_cursor_code(p, s, '3'));
    EXPECT_EQ(at(p.canvas, 0, 0), 'B');
    EXPECT_EQ(cell_glyph(s, 0, 0), MARK);
    EXPECT_EQ(cell_attr(s, 0, 0), 144);
    handle_cursor_code(p, s, 'd');
    EXPECT_EQ(cell_glyph(s, 0, 0), ' '); // a blue blank is left behind
    EXPECT_EQ(cell_attr(s, 0, 0), 144);
    EXPECT_EQ(cell_attr(s, 0, 1), 240);

    handle_cursor_code(p, s, '1');
    handle_cursor_code(p, s, '4');
    EXPECT_EQ(at(p.canvas, 0, 1), 'R');
    EXPECT_EQ(cell_attr(s, 0, 1), 192);
    handle_cursor_code(p, s, '6');
    EXPECT_EQ(at(p.canvas, 0, 1), 'p');
    EXPECT_EQ(cell_attr(s, 0, 1), 240);
    EXPECT_EQ(at(p.target, 0, 1), 'p'); // painting never touches the picture
}

TEST(Cursor, APaintedCellKeepsItsColourAsTheCursorPassesOverIt) {
    PuzzleState p = board({"ppp"});
    Screen s;
    home_cursor(p, s);
    handle_cursor_code(p, s, 'd');
    handle_cursor_code(p, s, '2');
    handle_cursor_code(p, s, 'd');
    handle_cursor_code(p, s, 'a'); // arriving draws the mark in yellow
    EXPECT_EQ(cell_glyph(s, 0, 1), MARK);
    EXPECT_EQ(cell_attr(s, 0, 1), 224);
    handle_cursor_code(p, s, 'a'); // leaving draws a yellow blank
    EXPECT_EQ(cell_glyph(s, 0, 1), ' ');
    EXPECT_EQ(cell_attr(s, 0, 1), 224);
    EXPECT_EQ(at(p.canvas, 0, 1), 'Y');
}

TEST(Cursor, DirectionTableTakesCapitalArrowLettersButNotSmallOnes) {
    EXPECT_EQ(direction_of_code('H'), Direction::up);
    EXPECT_EQ(direction_of_code('w'), Direction::up);
    EXPECT_EQ(direction_of_code('S'), Direction::down);
    EXPECT_EQ(direction_of_code(KEY_DOWN), Direction::down);
    EXPECT_EQ(direction_of_code('A'), Direction::left);
    EXPECT_EQ(direction_of_code(KEY_LEFT), Direction::left);
    EXPECT_EQ(direction_of_code('d'), Direction::right);
    EXPECT_EQ(direction_of_code(KEY_RIGHT), Direction::right);
    for (int code : std::initializer_list<int>{'h', 'p', 'k', 'm', 0, KEY_PREFIX, 'x', '7', '0'})
        EXPECT_FALSE(direction_of_code(code).has_value()) << code;
}

TEST(Cursor, EveryCodeIsHandledOnItsOwnAndAnArrowMovesOnceThroughItsSecondCode) {
    PuzzleState p = board({"ppp", "ppp", "ppp", "ppp", "ppp"});
    Screen s;
    home_cursor(p, s);
    p.cursor_row = 4;
    ScriptedKeys keys(std::string{"\xE0\x48Hh\0H\xE0S", 8});
    Console console(s, keys);
    std::string handled;
    while (keys.remaining() > 0)
        handled.push_back(handle_cursor_code(p, s, get_key(console)) ? '+' : '-');
    EXPECT_EQ(handled, "-++--+-+"); // arrow (prefix, up), H, h, 0, H, Delete (prefix, S)
    EXPECT_EQ(p.cursor_row, 2);
}

TEST(Cursor, ATopLeftPositionOutsideTheBoardHoldsTheCursorUntilPainted) {
    PuzzleState p = board({"\0pp"sv, "ppp"sv});
    Screen s;
    home_cursor(p, s);
    EXPECT_EQ(cell_glyph(s, 0, 0), MARK);
    expect_refused(p, s, Direction::right); // the cell left has no colour to redraw
    expect_refused(p, s, Direction::down);
    EXPECT_TRUE(handle_cursor_code(p, s, '2'));
    EXPECT_EQ(at(p.canvas, 0, 0), 'Y');
    EXPECT_EQ(cell_attr(s, 0, 0), 224);
    move_cursor(p, s, Direction::right);
    EXPECT_EQ(p.cursor_col, 1);
    EXPECT_EQ(cell_glyph(s, 0, 0), ' ');
    EXPECT_EQ(cell_attr(s, 0, 0), 224);
    EXPECT_EQ(cell_glyph(s, 0, 1), MARK);
    expect_refused(p, s, Direction::left); // (0, 0) is still no board cell
}

TEST(Cursor, DrawCursorSkipsACellWithoutAColour) {
    PuzzleState p = board({"\0p"sv});
    Screen s;
    const Screen before = s;
    draw_cursor(p, s);
    EXPECT_EQ(s.cells, before.cells);
    at(p.canvas, 0, 0) = 'G';
    draw_cursor(p, s);
    EXPECT_EQ(cell_glyph(s, 0, 0), MARK);
    EXPECT_EQ(cell_attr(s, 0, 0), 112);
}

} // namespace
} // namespace zk
