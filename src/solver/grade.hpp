#pragma once

// The grade of a fair puzzle, read from the solver's trace of its solve.

#include "solver/board_solver.hpp"

#include <optional>
#include <string_view>

namespace zk {

/// How much reasoning a fair puzzle takes, easiest first.
enum class Grade { easy, medium, hard };

/// Sweeps over the clues (line_passes of the solve) that an easy puzzle takes at most; a hard
/// one takes at least HARD_MIN_SWEEPS; a medium one lies between.
constexpr int EASY_MAX_SWEEPS = 4;
constexpr int HARD_MIN_SWEEPS = 8;

/// The grade of a puzzle that line reasoning alone solves (report.line_solvable), counted in
/// sweeps over all lines that still have something to give: easy up to EASY_MAX_SWEEPS,
/// hard from HARD_MIN_SWEEPS, medium between. nullopt for a puzzle line reasoning does not
/// solve: it is not fair, so it has no grade.
std::optional<Grade> grade_of(const SolveReport& report);

/// "easy", "medium" or "hard".
std::string_view grade_name(Grade grade);

/// The grade named `name` exactly as grade_name writes it, or nullopt.
std::optional<Grade> grade_named(std::string_view name);

} // namespace zk
