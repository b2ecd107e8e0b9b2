#pragma once

#include "console/screen.hpp"

namespace zk {

/// Draws the title "ZimvoKrelt" at row 1 from column 4 that the game and the editor show:
/// "Zimvo" in light red, "Krelt" in light green.
void draw_title(Screen& s);

} // namespace zk
