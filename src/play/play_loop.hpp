#pragma once

// Game screen: playing a loaded level until it is won or left.

#include "screens/context.hpp"

namespace zk {

/// Draws the game screen for the loaded level (ctx.display_path) on a white canvas, starts the
/// clock, homes the cursor, then reads each key and handles it. Returns the main menu once the
/// game is left or won; either way the level, the count and the solved flag are cleared.
ScreenId play_game(Context& ctx);

} // namespace zk
