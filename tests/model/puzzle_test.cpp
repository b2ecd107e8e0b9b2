#include "model/puzzle.hpp"

#include <gtest/gtest.h>

#include <array>

namespace zk {
namespace {

TEST(PuzzleStateTest, StartsAllZero) {
    const PuzzleState p;
    EXPECT_EQ(p.answer, (std::array<char, 32>{}));
    EXPECT_EQ(p.canvas, Grid{});
    EXPECT_EQ(p.target, Grid{});
    EXPECT_EQ(p.cursor_row, 0);
    EXPECT_EQ(p.cursor_col, 0);
    EXPECT_EQ(p.check_count, 0);
    EXPECT_EQ(p.solved, 0);
    EXPECT_EQ(p.finish_ticks, 0);
    EXPECT_EQ(p.start_ticks, 0);
    EXPECT_EQ(p.elapsed_seconds, 0);
}

TEST(PuzzleStateTest, GridIsAddressedRowTimesStridePlusColumn) {
    Grid g{};
    at(g, 2, 3) = 'E';
    at(g, 16, 16) = 'R';
    EXPECT_EQ(g[2 * 17 + 3], 'E');
    EXPECT_EQ(g[GRID_CELLS - 1], 'R');
}

TEST(PuzzleStateTest, BoardCellsAreTheNonZeroTargetBytesInsideTheGrid) {
    PuzzleState p;
    at(p.target, 0, 0) = 'p';
    at(p.target, 14, 14) = 'E';
    EXPECT_TRUE(is_board_cell(p, 0, 0));
    EXPECT_TRUE(is_board_cell(p, 14, 14));
    EXPECT_FALSE(is_board_cell(p, 0, 1));
    EXPECT_FALSE(is_board_cell(p, -1, 0));
    EXPECT_FALSE(is_board_cell(p, 0, -1));
    EXPECT_FALSE(is_board_cell(p, 17, 0));
    EXPECT_FALSE(is_board_cell(p, 0, 17));
}

TEST(PuzzleStateTest, ResetClearsTargetAndAnswerOnly) {
    PuzzleState p;
    p.target.fill('E');
    p.answer.fill('a');
    p.canvas.fill('R');
    p.check_count = 4;
    reset_puzzle(p);
    EXPECT_EQ(p.target, Grid{});
    EXPECT_EQ(p.answer, (std::array<char, 32>{}));
    // The painting and the counters are left for their own screens to reset.
    EXPECT_EQ(at(p.canvas, 16, 16), 'R');
    EXPECT_EQ(p.check_count, 4);
}

} // namespace
} // namespace zk
