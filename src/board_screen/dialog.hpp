#pragma once

#include "console/console.hpp"

#include <string_view>

namespace zk {

/// Column of the dialogs that the game and the editor draw above their key legend.
constexpr int DIALOG_COLUMN = 45;
/// Width of a dialog line; a line of this many blanks erases one.
constexpr int DIALOG_WIDTH = 22;

/// Waits for T or t (true) or N or n (false); every other code is dropped, both codes of an
/// arrow key included.
bool wait_for_yes(Console& c);

/// Asks whether to leave: "UWAGA!", the screen's own `warning` and the question on rows 1 to 4
/// at DIALOG_COLUMN. True when the user answers yes; on no the four rows are blanked again
/// and false is returned.
bool confirm_quit(Console& c, std::string_view warning);

/// Erases the dialog line on `row` with blanks in attribute 7.
void erase_dialog_line(Screen& s, int row);

} // namespace zk
