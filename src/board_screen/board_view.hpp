#pragma once

// Shared screen parts: the board cells and the cursor mark, moved and painted by key codes.

#include "board_screen/layout.hpp"
#include "console/console.hpp"
#include "model/cursor.hpp"
#include "model/puzzle.hpp"

#include <optional>

namespace zk {

/// The direction that key code `code` selects (w W H, s S P, a A K, d D M), if any.
std::optional<Direction> direction_of_code(int code);

/// Draws every board cell as a blank in the colour of its canvas letter (white when the canvas
/// byte is not a colour letter).
void draw_board_cells(const PuzzleState& p, Screen& s);

/// Puts the cursor on the top-left cell and draws the mark there in white.
void home_cursor(PuzzleState& p, Screen& s);

/// Draws the mark on the cell under the cursor in that cell's colour; nothing when the
/// cell's canvas byte is not a colour letter.
void draw_cursor(const PuzzleState& p, Screen& s);

/// Moves the cursor one cell, redrawing only the cell left and the cell reached. A move to a
/// position that is not a board cell, or away from a cell without a colour, changes nothing.
void move_cursor(PuzzleState& p, Screen& s, Direction d);

/// Stores `letter` under the cursor and redraws that cell with the mark in the new colour
/// (white when `letter` is no colour letter).
void paint_cell(PuzzleState& p, Screen& s, std::uint8_t letter);

/// Handles a movement or paint code as both the game and the editor do. An arrow key's
/// KEY_PREFIX is neither; its second code is the movement.
/// Returns false when the code is neither, leaving everything unchanged.
bool handle_cursor_code(PuzzleState& p, Screen& s, int code);

} // namespace zk
