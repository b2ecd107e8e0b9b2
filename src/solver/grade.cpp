// Grades from the solver's trace, and their names.

#include "solver/grade.hpp"

#include <array>

namespace zk {

namespace {

constexpr std::array<std::string_view, 3> GRADE_NAMES{"easy", "medium", "hard"};

} // namespace

std::optional<Grade> grade_of(const SolveReport& report) {
    if (!report.line_solvable) return std::nullopt;
    if (report.line_passes <= EASY_MAX_PASSES) return Grade::easy;
    if (report.line_passes >= HARD_MIN_PASSES) return Grade::hard;
    return Grade::medium;
}

std::string_view grade_name(Grade grade) {
    return GRADE_NAMES[static_cast<std::size_t>(grade)];
}

std::optional<Grade> grade_named(std::string_view name) {
    for (std::size_t i = 0; i < GRADE_NAMES.size(); ++i)
        if (GRADE_NAMES[i] == name) return static_cast<Grade>(i);
    return std::nullopt;
}

} // namespace zk
