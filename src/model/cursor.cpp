#include "model/cursor.hpp"

#include "console/colours.hpp"

namespace zk {

namespace {

struct Step {
    int dr;
    int dc;
};

Step step_of(Direction d) {
    switch (d) {
    case Direction::up:
        return {-1, 0};
    case Direction::down:
        return {1, 0};
    case Direction::left:
        return {0, -1};
    case Direction::right:
        return {0, 1};
    }
    return {0, 0};
}

} // namespace

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

int read_command_code(Console& c) {
    int code = get_key(c);
    if (code == KEY_PREFIX) code = get_key(c);
    return code;
}

void home_cursor(PuzzleState& p, Screen& s) {
    p.cursor_row = 0;
    p.cursor_col = 0;
    set_colour(s, colour_of_letter(WHITE)->cell_attr);
    put_char_at(s, BOARD_LEFT, BOARD_TOP, GLYPH_CURSOR);
    set_colour(s, 7);
}

void draw_cursor(const PuzzleState& p, Screen& s) {
    const Colour* colour = colour_of_letter(at(p.canvas, p.cursor_row, p.cursor_col));
    if (colour == nullptr) return;
    set_colour(s, colour->cell_attr);
    put_char_at(s, BOARD_LEFT + p.cursor_col, BOARD_TOP + p.cursor_row, GLYPH_CURSOR);
}

void move_cursor(PuzzleState& p, Screen& s, Direction d) {
    const Step step = step_of(d);
    const int row = p.cursor_row + step.dr;
    const int col = p.cursor_col + step.dc;
    if (!is_board_cell(p, row, col)) return;
    const Colour* left = colour_of_letter(at(p.canvas, p.cursor_row, p.cursor_col));
    if (left == nullptr) return;
    set_colour(s, left->cell_attr);
    put_char_at(s, BOARD_LEFT + p.cursor_col, BOARD_TOP + p.cursor_row, ' ');
    p.cursor_row = row;
    p.cursor_col = col;
    draw_cursor(p, s);
}

void paint_cell(PuzzleState& p, Screen& s, std::uint8_t letter) {
    at(p.canvas, p.cursor_row, p.cursor_col) = letter;
    const Colour* colour = colour_of_letter(letter);
    if (colour != nullptr) set_colour(s, colour->cell_attr);
    put_char_at(s, BOARD_LEFT + p.cursor_col, BOARD_TOP + p.cursor_row, GLYPH_CURSOR);
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
