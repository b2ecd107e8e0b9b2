#pragma once

// Level editor: saving the drawing as a level file.

#include "board_screen/layout.hpp"
#include "model/level_file.hpp"
#include "screens/context.hpp"

namespace zk {

/// Asks for the answer word and the file name below the board and writes the drawing to
/// plansze/NAME.txt, with "n" and the answer in place of the answer marker. Only the first
/// word of each typed line counts. A word over 15 characters, or a name with '/' or '\' or a
/// leading '.', is refused with a red line and asked for again, so nothing is cut and nothing
/// lands outside the level directory.
/// After a successful write: the success message, one key, true. When the file cannot be
/// written: a red message, one key, the drawing's screen restored, false. Ctrl-D on a prompt's
/// line with nothing typed cancels the save: nothing written, the drawing's screen restored,
/// false. Canvas, target and cursor are unchanged in every case.
bool save_drawing(Context& ctx);

/// The red line that says why a file name is refused for `fault`, nullptr for
/// NameFault::none. Each fits in SAVE_MESSAGE_WIDTH cells, so it never covers the board.
const char* name_refusal_text(NameFault fault);

/// The width of the save dialog's lines: left of the board, one blank column before it.
inline constexpr int SAVE_MESSAGE_WIDTH = BOARD_LEFT - 1;

} // namespace zk
