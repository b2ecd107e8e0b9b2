#pragma once

// Level editor: the key legend.

#include "console/screen.hpp"

namespace zk {

/// Draws the editor's key legend from LEGEND_COLUMN: movement, the six colours in their legend
/// attributes, save and back to the menu.
void draw_editor_legend(Screen& s);

} // namespace zk
