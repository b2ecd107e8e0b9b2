#pragma once

// Level checker: the advice rules (run length, runs per column) reported as file problems.

#include "checker/file_problem.hpp"
#include "model/puzzle.hpp"
#include "solver/clues.hpp"
#include "solver/drawing_verdict.hpp"

#include <vector>

namespace zk {

/// Every breach of the advice that advice_breaches finds in the top-left `size` rectangle of
/// `picture`, in its order, as a problem: a long run at its first cell, a column with too many
/// runs at its top cell.
std::vector<FileProblem> check_advice(const Grid& picture, BoardSize size);

} // namespace zk
