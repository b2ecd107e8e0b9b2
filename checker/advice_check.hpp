#pragma once

#include "checker/file_problem.hpp"
#include "model/puzzle.hpp"
#include "solver/clues.hpp"
#include "solver/drawing_verdict.hpp"

#include <vector>

namespace zk {

/// Every run longer than ADVICE_MAX_RUN (at its first cell) and every column with more than
/// ADVICE_MAX_COLUMN_RUNS runs (at its top cell) in the top-left `size` rectangle of
/// `picture`, rows first, each in board order.
std::vector<FileProblem> check_advice(const Grid& picture, BoardSize size);

} // namespace zk
