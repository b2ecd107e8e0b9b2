// The console's screen model and its drawing: positioned text and glyphs, plain output that wraps
// and scrolls, and clearing.

#include "console/screen.hpp"

#include <algorithm>

namespace zk {

namespace {

void mark_row(Screen& s, int row) {
    s.dirty_rows |= 1u << row;
}

void scroll_up(Screen& s, std::uint8_t attr) {
    std::copy(s.cells.begin() + SCREEN_COLUMNS, s.cells.end(), s.cells.begin());
    std::fill(s.cells.end() - SCREEN_COLUMNS, s.cells.end(), Cell{' ', attr});
    s.dirty_rows = (1u << SCREEN_ROWS) - 1;
}

// Moves to column 0 of the next row, scrolling when that row is below the screen; the new
// bottom row is blank in `attr`.
void next_line(Screen& s, std::uint8_t attr) {
    s.x = 0;
    const bool was_on_screen = s.y >= 0 && s.y < SCREEN_ROWS;
    ++s.y;
    if (was_on_screen && s.y == SCREEN_ROWS) {
        scroll_up(s, attr);
        s.y = SCREEN_ROWS - 1;
    }
}

// Prints one byte in `attr` at the current position, without the pending wrap of plain output.
void print_here(Screen& s, std::uint8_t ch, std::uint8_t attr) {
    if (ch == '\n') {
        next_line(s, attr);
        return;
    }
    if (is_on_screen(s.y, s.x)) {
        s.cells[s.y * SCREEN_COLUMNS + s.x] = Cell{ch, attr};
        mark_row(s, s.y);
    }
    ++s.x;
}

} // namespace

void move_output_to(Screen& s, int row, int col) {
    s.x = col;
    s.y = row;
}

void put_byte(Screen& s, int attr, std::uint8_t ch) {
    const auto a = static_cast<std::uint8_t>(attr);
    if (s.x == SCREEN_COLUMNS) next_line(s, a); // the wrap left pending by a write in column 79
    print_here(s, ch, a);
}

void put_text(Screen& s, int attr, std::string_view text) {
    for (char ch : text) put_byte(s, attr, static_cast<std::uint8_t>(ch));
}

void put_glyph_at(Screen& s, int row, int col, int attr, std::uint8_t glyph) {
    move_output_to(s, row, col);
    print_here(s, glyph, static_cast<std::uint8_t>(attr));
}

void put_text_at(Screen& s, int row, int col, int attr, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        put_glyph_at(s, row, col + static_cast<int>(i), attr, static_cast<std::uint8_t>(text[i]));
}

void clear_screen(Screen& s, int attr) {
    const Cell blank{' ', static_cast<std::uint8_t>(attr)};
    s.cells.fill(blank);
    s.dirty_rows = (1u << SCREEN_ROWS) - 1;
    move_output_to(s, 0, 0);
}

void draw_texts(Screen& s, std::span<const ScreenText> texts) {
    for (const ScreenText& t : texts) put_text_at(s, t.row, t.col, t.attr, t.text);
}

} // namespace zk
