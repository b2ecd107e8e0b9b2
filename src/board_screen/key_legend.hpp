#pragma once

// Shared screen parts: the key legend right of the board.

#include "board_screen/layout.hpp"
#include "console/screen.hpp"

#include <span>

namespace zk {

/// Draws the key legend that the game and the editor share, from LEGEND_COLUMN: the controls,
/// the six colours in their legend attributes, the screen's own `action_line` (texts on
/// LEGEND_ACTION_ROW, drawn at their place in the drawing order) and the way back to the menu.
void draw_key_legend(Screen& s, std::span<const ScreenText> action_line);

} // namespace zk
