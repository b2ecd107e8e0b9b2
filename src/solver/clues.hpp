#pragma once

// Solver: the clues of a board and the board's size, as the solver takes them.

#include "model/puzzle.hpp"
#include "model/runs.hpp"

#include <array>

namespace zk {

/// The clues of a board: the runs of every row (left to right) and every column (top to
/// bottom). Height and width lie in 0 .. MAX_BOARD.
struct Clues {
    int height = 0;
    int width = 0;
    std::array<RunList, MAX_BOARD> rows{};
    std::array<RunList, MAX_BOARD> columns{};
};

/// Height and width of a board.
struct BoardSize {
    int height = 0;
    int width = 0;
};

/// The size of the board whose top-left cell is row 0, column 0 of `target`: the board cells
/// down column 0 and along row 0, each at most MAX_BOARD.
BoardSize board_size(const Grid& target);

/// The clues of the top-left `size` rectangle of `picture`, computed with line_runs.
/// Height and width are clamped to 0 .. MAX_BOARD.
Clues clues_of_picture(const Grid& picture, BoardSize size);

} // namespace zk
