#pragma once

#include "model/puzzle.hpp"
#include "solver/board_solver.hpp"

namespace zk {

/// The editor's advice: a run of at most 9 cells keeps its clue to one character, and at
/// most 8 runs in a column fit above the board.
constexpr int ADVICE_MAX_RUN = 9;
constexpr int ADVICE_MAX_COLUMN_RUNS = 8;

/// What a drawing is worth as a level, in the order the judgement looks: the first that
/// applies is the verdict.
enum class DrawingVerdict {
    empty,                ///< no cell holds a run colour
    run_too_long,         ///< some row or column has a run longer than ADVICE_MAX_RUN
    too_many_column_runs, ///< some column has more than ADVICE_MAX_COLUMN_RUNS runs
    several,              ///< another picture fits the clues too (or uniqueness is unproven)
    needs_guessing,       ///< the picture is the only one, but line reasoning does not reach it
    unique,               ///< the only picture, and line reasoning alone reaches it
};

/// Judges the top-left `height` x `width` rectangle of `picture` (colour letters; any other
/// byte counts as white), given `report`, the solver's findings on that rectangle's clues.
/// A verdict that is not unique or several (the search's safety bound ran out, which no board
/// up to 15 x 15 has been seen to reach) counts as several: uniqueness is not proven.
DrawingVerdict judge_drawing(const Grid& picture, int height, int width, const SolveReport& report);

/// Judges the drawing as above, solving its clues first when the advice checks pass. Takes
/// well under a tenth of a second on any board up to 15 x 15.
DrawingVerdict judge_drawing(const Grid& picture, int height, int width);

} // namespace zk
