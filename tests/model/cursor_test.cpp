// Tests of the cursor's move rule.

#include "model/cursor.hpp"

#include "model/colours.hpp"

#include <gtest/gtest.h>

namespace zk {
namespace {

// A 2 x 3 board, all white, with a hole at (1, 1) and the cursor on (0, 1).
PuzzleState board_with_hole() {
    PuzzleState p;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) at(p.target, r, c) = at(p.canvas, r, c) = WHITE;
    at(p.target, 1, 1) = 0;
    p.cursor_row = 0;
    p.cursor_col = 1;
    return p;
}

TEST(CursorStep, LeadsToTheNeighbourOnTheBoardAndRefusesEveryOtherPosition) {
    const PuzzleState p = board_with_hole();
    EXPECT_EQ(cursor_step(p, Direction::left), (CellPos{0, 0}));
    EXPECT_EQ(cursor_step(p, Direction::right), (CellPos{0, 2}));
    EXPECT_EQ(cursor_step(p, Direction::up), std::nullopt);   // above the grid
    EXPECT_EQ(cursor_step(p, Direction::down), std::nullopt); // not a board cell
    PuzzleState right_edge = p;
    right_edge.cursor_col = 2;
    EXPECT_EQ(cursor_step(right_edge, Direction::right), std::nullopt);
    EXPECT_EQ(cursor_step(right_edge, Direction::down), (CellPos{1, 2}));
}

TEST(CursorStep, ACellWithoutAColourHoldsTheCursor) {
    PuzzleState p = board_with_hole();
    at(p.canvas, 0, 1) = 'x';
    EXPECT_EQ(cursor_step(p, Direction::left), std::nullopt);
    at(p.canvas, 0, 1) = 'R';
    EXPECT_EQ(cursor_step(p, Direction::left), (CellPos{0, 0}));
}

} // namespace
} // namespace zk
