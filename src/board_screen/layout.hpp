#pragma once

// Where the screens of the program draw and in which attributes: every place and attribute that
// more than one screen part uses, each stated once. The screen's size is the screen model's
// SCREEN_COLUMNS x SCREEN_ROWS.

#include "console/screen.hpp"
#include "model/level_format.hpp"

namespace zk {

// Console attributes the screens draw in: foreground in the low four bits, background in the
// high four.
constexpr int ATTR_GREY = DEFAULT_ATTR; ///< light grey on black: the screens' ground
constexpr int ATTR_LIGHT_BLUE = 9;
constexpr int ATTR_LIGHT_GREEN = 10;
constexpr int ATTR_LIGHT_CYAN = 11;
constexpr int ATTR_LIGHT_RED = 12;
constexpr int ATTR_YELLOW = 14;
constexpr int ATTR_WHITE = 15;
constexpr int ATTR_BLACK_ON_CYAN = 48;

/// Black on the colour that `attr` has as its foreground: how a blank cell shows that colour.
constexpr int black_on(int attr) {
    return (attr & 15) << 4;
}

/// A check mark (and its legend sample) for a line that agrees with the picture, and for one
/// that does not.
constexpr int RIGHT_ATTR = ATTR_LIGHT_GREEN;
constexpr int WRONG_ATTR = ATTR_LIGHT_RED;

/// The title "ZimvoKrelt" of the game and the editor: its row, first column and width.
constexpr int TITLE_ROW = 1;
constexpr int TITLE_COLUMN = 4;
constexpr int TITLE_WIDTH = 10;

/// Board cell (0, 0): cell (r, c) stands at column BOARD_LEFT + c, row BOARD_TOP + r. The board
/// stands below the edge marks' row and the ADVICE_MAX_COLUMN_RUNS rows of column clues above it.
constexpr int BOARD_LEFT = 25;
constexpr int BOARD_TOP = ADVICE_MAX_COLUMN_RUNS + 1;
/// The edge marks: one left of each board row, one above each board column.
constexpr int EDGE_MARK_COLUMN = BOARD_LEFT - 1;
constexpr int EDGE_MARK_ROW = BOARD_TOP - 1;
/// Slot 0 of the row clues, next to the edge mark; slot k of a row stands k columns further left.
constexpr int ROW_CLUE_COLUMN = EDGE_MARK_COLUMN - 1;
/// Slot 0 of the column clues, above the edge mark; slot k of a column stands k rows higher.
constexpr int COLUMN_CLUE_ROW = EDGE_MARK_ROW - 1;

/// The game's check counter: its number starts here, in COUNTER_ATTR.
constexpr int COUNTER_ROW = 4;
constexpr int COUNTER_COLUMN = 14;
constexpr int COUNTER_ATTR = ATTR_BLACK_ON_CYAN;

/// A rectangle of cells, its edges included.
struct CellBox {
    int left;
    int top;
    int right;
    int bottom;
};

/// The double-line frame of the win box, over the row clues.
constexpr CellBox WIN_FRAME{2, 6, 20, 23};

/// The key legend of the game and the editor starts in this column; the screen's own action
/// line stands on LEGEND_ACTION_ROW.
constexpr int LEGEND_COLUMN = 45;
constexpr int LEGEND_ACTION_ROW = 17;

/// The dialogs stand above the key legend: DIALOG_WIDTH cells from DIALOG_COLUMN, on the rows
/// from DIALOG_TOP_ROW down to the answer keys' row.
constexpr int DIALOG_COLUMN = LEGEND_COLUMN;
constexpr int DIALOG_WIDTH = 22;
constexpr int DIALOG_TOP_ROW = 1;
constexpr int DIALOG_KEYS_ROW = DIALOG_TOP_ROW + 3;

} // namespace zk
