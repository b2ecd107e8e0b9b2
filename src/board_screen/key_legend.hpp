#pragma once

#include "console/screen.hpp"

#include <span>

namespace zk {

/// Column where the key legend of the game and the editor starts.
constexpr int LEGEND_COLUMN = 45;
/// Row of the screen's own action line in the key legend.
constexpr int LEGEND_ACTION_ROW = 17;

/// Draws the key legend that the game and the editor share, from LEGEND_COLUMN: the controls,
/// the six colours in their legend attributes, the screen's own `action_line` (texts on
/// LEGEND_ACTION_ROW, drawn at their place in the drawing order) and the way back to the menu.
void draw_key_legend(Screen& s, std::span<const ScreenText> action_line);

} // namespace zk
