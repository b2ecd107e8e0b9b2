#pragma once

#include "console/screen.hpp"
#include "model/puzzle.hpp"

#include <cstdint>

namespace zk {

/// Counts one check and prints the count at column 14 of row 4 in black on cyan, then marks
/// every board row (column 24) and board column (row 8) green when all its cells agree with
/// the picture and red otherwise. When no board cell disagrees and the board has at least one
/// cell, sets `solved` and takes finish_ticks = `now_ms` and the elapsed whole seconds since
/// start_ticks; when a cell disagrees, clears `solved`; a board without cells leaves it alone.
void check_canvas(PuzzleState& p, Screen& s, std::int64_t now_ms);

/// Draws the congratulations box over the row clues and blanks the column clue area, shows the
/// answer, the check count and the elapsed time as "Mm Ss". Reads no key and changes nothing
/// but the screen.
void show_win_screen(const PuzzleState& p, Screen& s);

} // namespace zk
