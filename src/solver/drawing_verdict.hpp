#pragma once

// Solver: the advice breaches of a drawing and the verdict the editor and the checker give it.

#include "model/puzzle.hpp"
#include "model/runs.hpp"
#include "solver/board_solver.hpp"
#include "solver/clues.hpp"

#include <cstdint>
#include <vector>

namespace zk {

/// One place where a drawing goes beyond the advice (ADVICE_MAX_RUN, ADVICE_MAX_COLUMN_RUNS).
struct AdviceBreach {
    enum class Kind {
        long_run,       ///< a run longer than ADVICE_MAX_RUN
        crowded_column, ///< a column with more than ADVICE_MAX_COLUMN_RUNS runs
    } kind;
    LineKind line;       ///< the line it lies in: always a column for crowded_column
    int index;           ///< the line's 0-based row or column
    int cell;            ///< the run's first cell along the line (0-based); 0 for a column
    std::uint8_t letter; ///< the run's colour letter; 0 for a column
    int count;           ///< the run's length, or the column's number of runs
};

/// Every breach of the advice in the top-left `size` rectangle of `picture` (at most
/// MAX_BOARD x MAX_BOARD of it): the rows' long runs, then each column's long runs followed by
/// its crowding, lines and runs in board order. Empty when the drawing is within the advice.
std::vector<AdviceBreach> advice_breaches(const Grid& picture, BoardSize size);

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
