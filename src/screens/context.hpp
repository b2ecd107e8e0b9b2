#pragma once

// What every screen of the program takes and returns: the context it works on and the names of
// the screens. Below the game, the editor and the menu, which chain them.

#include "console/console.hpp"
#include "model/level_file.hpp"
#include "model/puzzle.hpp"

#include <string>
#include <vector>

namespace zk {

/// Names a screen of the program. Each screen function returns the name of the one that comes
/// next; the chain in menu/screen_chain.hpp runs the named screen.
enum class ScreenId {
    menu,            ///< draw the main menu and read a word
    level_not_found, ///< the typed level could not be opened
    game,            ///< a level is loaded: draw it and play
    editor_setup,    ///< the editor's size prompts
    editor,          ///< the editor's drawing loop on a prepared board
    exit,            ///< the player typed "exit"
};

/// What every screen works on: the console, the puzzle state, the display path that the menu
/// hands to the game screen ("plansze\" followed by the level name), and the folders the
/// menu looks for level files in (level_search_dirs; only the working directory's unless the
/// program sets them).
struct Context {
    Context(Screen& screen, KeySource& keys) : console(screen, keys) {}

    Console console;
    PuzzleState puzzle;
    std::string display_path;
    std::vector<std::string> level_dirs{std::string(LEVEL_DIR)};

    Screen& screen() { return console.screen; }
};

} // namespace zk
