#pragma once

#include "console/console.hpp"
#include "model/puzzle.hpp"

#include <string>

namespace zk {

/// The screens of the program. Each screen function returns the one that comes next.
enum class NextScreen {
    menu,            ///< draw the main menu and read a word
    level_not_found, ///< the typed level could not be opened
    game,            ///< a level is loaded: draw it and play
    editor_setup,    ///< the editor's size prompts
    editor,          ///< the editor's drawing loop on a prepared board
    exit,            ///< the player typed "exit"
};

/// What every screen works on: the console, the puzzle state, and the display path that
/// the menu hands to the game screen ("plansze\" followed by the level name).
struct Context {
    Context(Screen& screen, KeySource& keys) : console(screen, keys) {}

    Console console;
    PuzzleState puzzle;
    std::string display_path;

    Screen& screen() { return console.screen; }
};

} // namespace zk
