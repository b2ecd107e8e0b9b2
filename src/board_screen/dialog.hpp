#pragma once

// Shared screen parts: the yes/no question and the quit dialog below the legend.

#include "board_screen/layout.hpp"
#include "console/console.hpp"

#include <string_view>

namespace zk {

/// Shows the answer keys of Action::yes and Action::no on DIALOG_KEYS_ROW and waits for one of
/// them, in either case (true for yes); every other code is dropped, both codes of an arrow key
/// included.
bool ask_yes(Console& console);

/// Asks whether to leave: "UWAGA!", the screen's own `warning` and the question on the rows
/// from DIALOG_TOP_ROW to DIALOG_KEYS_ROW at DIALOG_COLUMN. True when the user answers yes; on
/// no those rows are blanked again and false is returned.
bool confirm_quit(Console& console, std::string_view warning);

/// Erases the dialog rows from `first_row` to DIALOG_KEYS_ROW with blanks in ATTR_GREY.
void erase_dialog(Screen& s, int first_row);

} // namespace zk
