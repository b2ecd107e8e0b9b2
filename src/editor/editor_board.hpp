#pragma once

// Level editor: laying out a blank board and restoring the rows a dialog covered.

#include "console/screen.hpp"
#include "model/puzzle.hpp"

namespace zk {

/// Lays out a white board of a valid size as the text of its future level file: canvas holds
/// 'p' on the board cells, a newline byte after each row and 'x' where the answer line goes;
/// target holds 'p' on the board cells. Every other byte of both grids becomes 0.
void lay_out_editor_board(PuzzleState& p, int height, int width);

/// Blanks rows first_row .. last_row across the whole screen, then redraws the legend, every
/// board cell and the cursor mark, so the drawing shows exactly as before anything was written
/// over those rows.
void restore_editor_rows(const PuzzleState& p, Screen& s, int first_row, int last_row);

} // namespace zk
