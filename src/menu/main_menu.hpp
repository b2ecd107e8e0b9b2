#pragma once

// Program entry: the main menu and the level-not-found screen.

#include "screens/context.hpp"

#include <string>
#include <string_view>

namespace zk {

/// Draws the fixed menu content on a cleared screen.
void draw_menu_screen(Screen& s);

/// One visit of the main menu: draws it, reads a word and returns the screen it leads to
/// (exit, the editor, a loaded game, or the level-not-found screen).
ScreenId show_menu(Context& ctx);

/// The word that ends the game at the menu, and at once on the command line.
inline constexpr std::string_view EXIT_WORD = "exit";

/// What the menu does with the word `name`: "exit" leads to the end, "edytor" to the editor,
/// any other word is a level name, loaded from the first of ctx.level_dirs that holds it
/// (the game), or the level-not-found screen when there is none or the name is unsafe.
ScreenId follow_word(Context& ctx, const std::string& name);

/// The menu with the level-not-found message; any key leads back to the main menu.
ScreenId show_level_not_found(Context& ctx);

} // namespace zk
