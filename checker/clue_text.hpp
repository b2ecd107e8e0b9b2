#pragma once

// Level checker: the row and column clues as text, in the game's clue colours on a terminal.

#include "console/colour_sgr.hpp"
#include "model/runs.hpp"
#include "solver/clues.hpp"

#include <optional>
#include <ostream>
#include <string>

namespace zk {

/// The colours clues are printed in: the terminal's colour mode and the palette, with which
/// each run gets the colour the game's presenter sends for its clue.
struct ClueColours {
    ColourMode mode = ColourMode::basic16;
    Palette palette = Palette::classic;
};

/// The runs of one line as "2R 1Y", in order; "0" for a line without runs. With `colours`,
/// each run is wrapped in the terminal colour the game's presenter sends for its clue in
/// them.
std::string clue_list_text(const RunList& runs, const std::optional<ClueColours>& colours);

/// Prints every row clue and every column clue, one line each, indented for a file's block.
void print_clues(const Clues& clues, const std::optional<ClueColours>& colours, std::ostream& out);

} // namespace zk
