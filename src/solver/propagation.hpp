#pragma once

// Solver: the board of cell colour sets and the propagation of the line solver over it.

#include "solver/clues.hpp"
#include "solver/colour_set.hpp"

#include <array>
#include <cstdint>

namespace zk {

/// The colours each board cell may still take, row r and column c at r * MAX_BOARD + c.
struct SolverBoard {
    int height = 0;
    int width = 0;
    std::array<ColourSet, MAX_BOARD * MAX_BOARD> cells{};

    ColourSet& cell(int r, int c) { return cells[r * MAX_BOARD + c]; }
    ColourSet cell(int r, int c) const { return cells[r * MAX_BOARD + c]; }
};

/// A set of lines of a board: bit r for row r, bit height + c for column c.
using LineMask = std::uint32_t;

/// Work done by propagation: passes over the lines that needed another look, line solver
/// calls, and the calls among them that narrowed some cell.
struct PropagationCounters {
    int passes = 0;
    int line_steps = 0;
    int narrowing_steps = 0;
    /// Every line the line solver was called on.
    LineMask solved_lines = 0;
};

/// Where propagation stopped.
enum class Propagation { stalled, solved, contradiction };

/// A board of the clues' size on which every cell may take every colour.
SolverBoard open_board(const Clues& clues);

/// Every row and column of `board`.
LineMask all_lines(const SolverBoard& board);

/// The row and the column through cell (r, c).
LineMask lines_through(const SolverBoard& board, int r, int c);

/// True when every cell has exactly one colour left.
bool is_complete(const SolverBoard& board);

/// Narrows the `dirty` lines with the line solver, and every line crossing a narrowed cell,
/// until no line changes. Each pass takes the lines dirty at its start in order, rows first.
/// Returns solved when every cell is decided, contradiction when some line has no arrangement
/// (the board is then partly narrowed and of no further use), stalled otherwise.
Propagation propagate(const Clues& clues, SolverBoard& board, LineMask dirty,
                      PropagationCounters& counters);

} // namespace zk
