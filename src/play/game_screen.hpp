#pragma once

// Game screen: the frame and the board with its clues as the game starts.

#include "console/screen.hpp"
#include "model/puzzle.hpp"

#include <string_view>

namespace zk {

/// Clears the screen and draws the game's fixed frame: title, "  Mapa: " with the level name
/// (the display path minus its "plansze\" prefix, in light cyan from column 8), the check
/// counter at 0 and the key legend. The dialog rows stay blank for the quit dialog.
void draw_game_screen(Screen& s, std::string_view display_path);

/// Draws every board cell as a blank in its canvas colour (white for a game just started), draws
/// the grey edge marks left of the board rows and above the board columns, and prints the clues of
/// every row and column in the clue colours of their runs. Column clues that would lie above the
/// top screen row are left out.
void draw_board_and_clues(const PuzzleState& p, Screen& s);

} // namespace zk
