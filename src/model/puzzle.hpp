#pragma once

// Model: the puzzle state (the picture, the painting, the answer, the cursor and the counters of
// a game), the grid and the board sizes.

#include "model/level_format.hpp"

#include <array>
#include <cstdint>

namespace zk {

/// Cells in one line of a grid: every line the game keeps, board or not, is this long.
constexpr int GRID_STRIDE = 17;
constexpr int GRID_CELLS = GRID_STRIDE * GRID_STRIDE;
/// Largest board height and width; rows and columns 15 and 16 are never board cells.
constexpr int MAX_BOARD = 15;
/// Smallest board height and width a level may have.
constexpr int MIN_BOARD = 2;

/// True when both sides lie in MIN_BOARD .. MAX_BOARD.
constexpr bool is_valid_board_size(int height, int width) {
    return height >= MIN_BOARD && height <= MAX_BOARD && width >= MIN_BOARD && width <= MAX_BOARD;
}

/// 17 x 17 bytes, addressed grid[r * GRID_STRIDE + c].
using Grid = std::array<std::uint8_t, GRID_CELLS>;

/// The byte at row r, column c of a grid. r and c must lie in 0 .. 16.
inline std::uint8_t& at(Grid& g, int r, int c) {
    return g[r * GRID_STRIDE + c];
}
inline std::uint8_t at(const Grid& g, int r, int c) {
    return g[r * GRID_STRIDE + c];
}

/// True when (r, c) lies inside the grid.
constexpr bool in_grid(int r, int c) {
    return r >= 0 && r < GRID_STRIDE && c >= 0 && c < GRID_STRIDE;
}

/// Everything the game and the editor share: the level's picture, the painting, the answer,
/// the grid cursor and the counters of a game. All zero at start.
struct PuzzleState {
    std::array<char, ANSWER_CAPACITY + 1> answer{}; ///< zero-terminated answer word
    Grid canvas{}; ///< what is painted (in the editor: the level file's layout)
    std::int32_t cursor_row = 0;
    std::int32_t cursor_col = 0;
    Grid target{}; ///< the picture: a colour letter on each board cell, 0 elsewhere
    std::int32_t check_count = 0;
    std::int32_t solved = 0;
    std::int64_t finish_ticks = 0; ///< clock in milliseconds at the successful check
    std::int64_t start_ticks = 0;  ///< clock in milliseconds when the game started
    std::int32_t elapsed_seconds = 0;
};

/// True when (r, c) is inside the grid and its target byte is non-zero.
inline bool is_board_cell(const PuzzleState& p, int r, int c) {
    return in_grid(r, c) && at(p.target, r, c) != 0;
}

/// Sets every board cell of the canvas to white, the painting a game starts from; other canvas
/// bytes are left alone.
void whiten_canvas(PuzzleState& p);

/// Clears every byte of target and answer, so the next level loads onto a clear state.
void reset_puzzle(PuzzleState& p);

/// Ends a game, won or left: clears the level (as reset_puzzle), the check count and the
/// solved flag, so the next game starts from a clear state.
void finish_game(PuzzleState& p);

} // namespace zk
