#pragma once

#include "checker/file_problem.hpp"
#include "model/puzzle.hpp"
#include "solver/clues.hpp"

#include <vector>

namespace zk {

/// The editor's advice: a run of at most 9 cells keeps its clue to one character, and at
/// most 8 runs in a column fit above the board.
constexpr int ADVICE_MAX_RUN = 9;
constexpr int ADVICE_MAX_COLUMN_RUNS = 8;

/// Every run longer than ADVICE_MAX_RUN (at its first cell) and every column with more than
/// ADVICE_MAX_COLUMN_RUNS runs (at its top cell) in the top-left `size` rectangle of
/// `picture`, rows first, each in board order.
std::vector<FileProblem> check_advice(const Grid& picture, BoardSize size);

} // namespace zk
