// The board on screen for the game and the editor: its cells, the cursor mark, the moves and the
// painting.

#include "board_screen/board_view.hpp"

#include "board_screen/colour_looks.hpp"
#include "board_screen/glyphs.hpp"

namespace zk {

std::optional<Direction> direction_of_code(int code) {
    switch (code) {
    case 'w':
    case 'W':
    case KEY_UP:
        return Direction::up;
    case 's':
    case 'S':
    case KEY_DOWN:
        return Direction::down;
    case 'a':
    case 'A':
    case KEY_LEFT:
        return Direction::left;
    case 'd':
    case 'D':
    case KEY_RIGHT:
        return Direction::right;
    default:
        return std::nullopt;
    }
}

namespace {

// The attribute a board cell holding `letter` is drawn in; white for a byte that is no colour.
std::uint8_t cell_attr_of(std::uint8_t letter) {
    const ColourLook* look = look_of_letter(letter);
    return look != nullptr ? look->cell_attr : look_of_letter(WHITE)->cell_attr;
}

void draw_cell(Screen& s, int r, int c, std::uint8_t letter, std::uint8_t glyph) {
    put_glyph_at(s, BOARD_TOP + r, BOARD_LEFT + c, cell_attr_of(letter), glyph);
}

} // namespace

void draw_board_cells(const PuzzleState& p, Screen& s) {
    for (int r = 0; r < GRID_STRIDE; ++r)
        for (int c = 0; c < GRID_STRIDE; ++c)
            if (is_board_cell(p, r, c)) draw_cell(s, r, c, at(p.canvas, r, c), ' ');
}

void home_cursor(PuzzleState& p, Screen& s) {
    p.cursor_row = 0;
    p.cursor_col = 0;
    draw_cell(s, 0, 0, WHITE, GLYPH_CURSOR);
}

void draw_cursor(const PuzzleState& p, Screen& s) {
    const std::uint8_t letter = at(p.canvas, p.cursor_row, p.cursor_col);
    if (colour_of_letter(letter) == nullptr) return;
    draw_cell(s, p.cursor_row, p.cursor_col, letter, GLYPH_CURSOR);
}

void move_cursor(PuzzleState& p, Screen& s, Direction d) {
    const std::optional<CellPos> to = cursor_step(p, d);
    if (!to) return;
    draw_cell(s, p.cursor_row, p.cursor_col, at(p.canvas, p.cursor_row, p.cursor_col), ' ');
    p.cursor_row = to->row;
    p.cursor_col = to->col;
    draw_cursor(p, s);
}

void paint_cell(PuzzleState& p, Screen& s, std::uint8_t letter) {
    at(p.canvas, p.cursor_row, p.cursor_col) = letter;
    draw_cell(s, p.cursor_row, p.cursor_col, letter, GLYPH_CURSOR);
}

bool handle_cursor_code(PuzzleState& p, Screen& s, int code) {
    if (const auto d = direction_of_code(code)) {
        move_cursor(p, s, *d);
        return true;
    }
    if (const Colour* colour = colour_of_key(code)) {
        paint_cell(p, s, colour->letter);
        return true;
    }
    return false;
}

} // namespace zk
