#pragma once

#include "console/screen.hpp"

namespace zk {

/// Column where the key legend of the game and the editor starts.
constexpr int LEGEND_COLUMN = 45;

/// Draws the key legend that the game and the editor share, from LEGEND_COLUMN: the controls,
/// the six colours in their legend attributes, the screen's own action on row 17 (drawn by
/// `draw_action_line` at its place in the drawing order) and the way back to the menu.
/// Leaves attribute 7.
void draw_key_legend(Screen& s, void (*draw_action_line)(Screen&));

} // namespace zk
