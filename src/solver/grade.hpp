#pragma once

// The grade of a fair puzzle, read from the solver's trace of its solve.

#include "solver/board_solver.hpp"

#include <optional>
#include <string_view>

namespace zk {

/// How much reasoning a fair puzzle takes, easiest first.
enum class Grade { easy, medium, hard };

/// Passes of line reasoning over the board (SolveReport::line_passes) that an easy puzzle
/// takes at most; a hard one takes at least HARD_MIN_PASSES; a medium one lies between. The
/// first pass looks at every row, then every column; each later one at the lines that changed
/// since they were last looked at, so the count says how long reasoning goes on before every
/// cell is known.
constexpr int EASY_MAX_PASSES = 4;
constexpr int HARD_MIN_PASSES = 8;

/// The grade of a puzzle that line reasoning alone solves (report.line_solvable), from its
/// passes: easy up to EASY_MAX_PASSES, hard from HARD_MIN_PASSES, medium between. nullopt for a
/// puzzle line reasoning does not solve: it is not fair, so it has no grade.
std::optional<Grade> grade_of(const SolveReport& report);

/// "easy", "medium" or "hard".
std::string_view grade_name(Grade grade);

/// The grade named `name` exactly as grade_name writes it, or nullopt.
std::optional<Grade> grade_named(std::string_view name);

} // namespace zk
