#pragma once

// Console: the 80 x 25 screen model of code page 852 cells and attributes every screen draws
// into.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace zk {

constexpr int SCREEN_COLUMNS = 80;
constexpr int SCREEN_ROWS = 25;

/// The attribute a console starts with: light grey on black.
constexpr std::uint8_t DEFAULT_ATTR = 7;

/// One character cell: a code page 852 glyph byte and a console attribute
/// (low four bits foreground, high four bits background).
struct Cell {
    std::uint8_t glyph = ' ';
    std::uint8_t attr = DEFAULT_ATTR;
    friend bool operator==(const Cell&, const Cell&) = default;
};

/// The in-memory console every screen draws into. The presenter shows it on the terminal.
struct Screen {
    std::array<Cell, SCREEN_COLUMNS * SCREEN_ROWS> cells{};
    int x = 0; ///< current output column
    int y = 0; ///< current output row
    /// One bit per row whose cells may have changed since the presenter last looked.
    std::uint32_t dirty_rows = (1u << SCREEN_ROWS) - 1;

    /// The cell at (row, col).
    const Cell& cell(int row, int col) const { return cells[row * SCREEN_COLUMNS + col]; }
};

// Every position on the screen is given as its row, then its column.

/// True when (row, col) lies inside the SCREEN_COLUMNS x SCREEN_ROWS screen.
constexpr bool is_on_screen(int row, int col) {
    return col >= 0 && col < SCREEN_COLUMNS && row >= 0 && row < SCREEN_ROWS;
}

/// Moves the output position to (row, col) without printing.
void move_output_to(Screen& s, int row, int col);
/// Plain output of one byte in attribute `attr` at the current position. A line end goes to
/// column 0 of the next row; a byte after column 79 goes to the next row; output below the
/// bottom row scrolls the screen up, the new bottom row blank in `attr`. Writes outside the
/// screen are dropped.
void put_byte(Screen& s, int attr, std::uint8_t ch);
/// Plain output of every byte of `text` in attribute `attr`, as put_byte.
void put_text(Screen& s, int attr, std::string_view text);
/// Prints the one byte `glyph` at (row, col) in attribute `attr`; the output position ends
/// after it.
void put_glyph_at(Screen& s, int row, int col, int attr, std::uint8_t glyph);
/// Prints each byte of `text` at (row, col + i) in attribute `attr`: never wraps; the output
/// position ends after the last byte; an empty text moves nothing.
void put_text_at(Screen& s, int row, int col, int attr, std::string_view text);
/// Fills every cell with a blank in attribute `attr` and moves to (0, 0).
void clear_screen(Screen& s, int attr);

/// One text of a fixed screen: drawn at (row, col) in `attr`.
struct ScreenText {
    int row;
    int col;
    int attr;
    std::string_view text;
};

/// Draws `texts` in table order with put_text_at.
void draw_texts(Screen& s, std::span<const ScreenText> texts);

} // namespace zk
