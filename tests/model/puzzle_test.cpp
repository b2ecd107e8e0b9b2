// Tests of the puzzle state: board cells, reset and finishing a game.

#include "model/puzzle.hpp"

#include <gtest/gtest.h>

#include <array>

namespace zk {
namespace {

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

TEST(PuzzleStateTest, FinishingAGameClearsTheLevelTheCountAndTheSolvedFlag) {
    PuzzleState p;
    p.target.fill('E');
    p.answer.fill('a');
    p.check_count = 4;
    p.solved = 1;
    finish_game(p);
    EXPECT_EQ(p.target, Grid{});
    EXPECT_EQ(p.answer, (std::array<char, 32>{}));
    EXPECT_EQ(p.check_count, 0);
    EXPECT_EQ(p.solved, 0);
}

} // namespace
} // namespace zk
