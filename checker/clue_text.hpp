#pragma once

#include "model/runs.hpp"
#include "solver/clues.hpp"

#include <ostream>
#include <string>

namespace zk {

/// The runs of one line as "2R 1Y", in order; "0" for a line without runs. With `colour`,
/// each run is wrapped in the terminal colour the game's presenter sends for its clue.
std::string clue_list_text(const RunList& runs, bool colour);

/// Prints every row clue and every column clue, one line each, indented for a file's block.
void print_clues(const Clues& clues, bool colour, std::ostream& out);

} // namespace zk
