// The checker's reading of the advice breaches: each one the solver finds becomes a problem at
// the cell where it starts.

#include "checker/advice_check.hpp"

#include <string>

namespace zk {

namespace {

// The report of one breach: a long run at its first cell, a crowded column at its top cell.
FileProblem problem_of(const AdviceBreach& breach) {
    const int line = breach.index + 1;
    if (breach.kind == AdviceBreach::Kind::crowded_column)
        return {1, line,
                "column " + std::to_string(line) + " has " + std::to_string(breach.count) +
                    " runs; only " + std::to_string(ADVICE_MAX_COLUMN_RUNS) +
                    " clues fit above the board",
                ProblemKind::crowded_column};
    const bool is_row = breach.line == LineKind::row;
    const int cell = breach.cell + 1;
    const std::string where = (is_row ? "row " : "column ") + std::to_string(line);
    return {is_row ? line : cell, is_row ? cell : line,
            "run of " + std::to_string(breach.count) + " " + static_cast<char>(breach.letter) +
                " cells in " + where + " is longer than " + std::to_string(ADVICE_MAX_RUN) +
                ": its two-digit clue covers its neighbour",
            ProblemKind::long_run};
}

} // namespace

std::vector<FileProblem> check_advice(const Grid& picture, BoardSize size) {
    std::vector<FileProblem> problems;
    for (const AdviceBreach& breach : advice_breaches(picture, size))
        problems.push_back(problem_of(breach));
    return problems;
}

} // namespace zk
