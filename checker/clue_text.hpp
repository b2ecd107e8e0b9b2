#pragma once

#include "model/runs.hpp"
#include "solver/clues.hpp"

#include <ostream>
#include <string>

namespace zk {

/// The runs of one line as "2R 1Y", in order; "0" for a line without runs. With `colour`,
/// each run is wrapped in the ANSI colour of its letter (as the game prints its clues).
std::string clue_list_text(const RunList& runs, bool colour);

/// Prints every row clue and every column clue, one line each, indented for a file's block.
void print_clues(const Clues& clues, bool colour, std::ostream& out);

} // namespace zk
