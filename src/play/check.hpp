#pragma once

// Game screen: checking the canvas against the picture, and the win box.

#include "console/screen.hpp"
#include "model/puzzle.hpp"

#include <cstdint>

namespace zk {

/// Counts one check and prints the count at COUNTER_COLUMN of COUNTER_ROW in COUNTER_ATTR, then
/// marks every board row (at EDGE_MARK_COLUMN) and board column (at EDGE_MARK_ROW) in RIGHT_ATTR
/// when all its cells agree with the picture and in WRONG_ATTR otherwise. When no board cell
/// disagrees and the board has at least one cell, sets `solved` and takes finish_ticks = `now_ms`
/// and the elapsed whole seconds since start_ticks; when a cell disagrees, clears `solved`; a board
/// without cells leaves it alone.
void check_canvas(PuzzleState& p, Screen& s, std::int64_t now_ms);

/// Draws the congratulations box over the row clues and blanks the column clue area, shows the
/// answer, the check count and the elapsed time as "Mm Ss". Reads no key and changes nothing
/// but the screen.
void show_win_screen(const PuzzleState& p, Screen& s);

} // namespace zk
