#pragma once

// Model: cell positions, the four directions and where a cursor move may lead.

#include "model/puzzle.hpp"

#include <optional>

namespace zk {

enum class Direction { up, down, left, right };

/// A cell of the grid, by row and column.
struct CellPos {
    int row;
    int col;
    friend bool operator==(const CellPos&, const CellPos&) = default;
};

/// Where a one-cell move of the cursor in direction `d` leads: the neighbouring cell, or
/// nothing when the move is refused because that position is not a board cell or the cell
/// under the cursor has no colour letter in the canvas. Changes nothing.
std::optional<CellPos> cursor_step(const PuzzleState& p, Direction d);

} // namespace zk
