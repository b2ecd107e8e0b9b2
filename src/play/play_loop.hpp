#pragma once

#include "board_screen/context.hpp"

namespace zk {

/// Draws the game screen for the loaded level (ctx.display_path), then plays it.
/// Returns the main menu once the game is left or won.
NextScreen play_game(Context& ctx);

/// Starts the clock, homes the cursor and runs the play loop.
NextScreen start_game(Context& ctx);

/// The key loop of a game: reads each key and handles it. Returns the main menu.
NextScreen play_loop(Context& ctx);

} // namespace zk
