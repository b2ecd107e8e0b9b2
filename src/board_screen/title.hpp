#pragma once

// Shared screen parts: the title "ZimvoKrelt" at the top left.

#include "board_screen/layout.hpp"
#include "console/screen.hpp"

namespace zk {

/// Draws the title "ZimvoKrelt" that the game and the editor show, TITLE_WIDTH cells on
/// TITLE_ROW from TITLE_COLUMN: "Zimvo" in light red, "Krelt" in light green.
void draw_title(Screen& s);

} // namespace zk
