#pragma once

#include "board_screen/context.hpp"

namespace zk {

/// Draws the fixed menu content on a cleared screen.
void draw_menu_screen(Screen& s);

/// One visit of the main menu: draws it, reads a word and returns the screen it leads to
/// (exit, the editor, a loaded game, or the level-not-found screen).
NextScreen show_menu(Context& ctx);

/// The menu with the level-not-found message; any key leads back to the main menu.
NextScreen show_level_not_found(Context& ctx);

} // namespace zk
