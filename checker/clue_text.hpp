#pragma once

#include "console/presenter.hpp"
#include "model/runs.hpp"
#include "solver/clues.hpp"

#include <optional>
#include <ostream>
#include <string>

namespace zk {

/// The runs of one line as "2R 1Y", in order; "0" for a line without runs. With `colours`,
/// each run is wrapped in the terminal colour the game's presenter sends for its clue with
/// those options (colour mode and palette).
std::string clue_list_text(const RunList& runs, const std::optional<PresenterOptions>& colours);

/// Prints every row clue and every column clue, one line each, indented for a file's block.
void print_clues(const Clues& clues, const std::optional<PresenterOptions>& colours,
                 std::ostream& out);

} // namespace zk
