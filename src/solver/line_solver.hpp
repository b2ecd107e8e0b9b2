#pragma once

// Solver: narrowing one line's cells by its runs.

#include "model/puzzle.hpp"
#include "model/runs.hpp"
#include "solver/colour_set.hpp"

#include <span>

namespace zk {

/// What narrowing one line did to its cells.
enum class LineOutcome { unchanged, narrowed, contradiction };

/// Longest line the line solver takes.
constexpr int MAX_LINE = GRID_STRIDE;

/// Narrows every cell of `cells` (at most MAX_LINE) to exactly the colours it takes in some
/// arrangement of `runs` that agrees with all cells' current sets. Runs of different colours
/// may touch; runs of one colour need a white cell between them; every cell outside the runs
/// is white. On a contradiction (no arrangement fits) the cells are left as they were.
/// Takes a few word operations per run and cell: each step handles every position at once.
LineOutcome solve_line(const RunList& runs, std::span<ColourSet> cells);

} // namespace zk
