#include "editor/editor_board.hpp"

#include "console/colours.hpp"
#include "editor/editor_legend.hpp"
#include "model/cursor.hpp"

#include <string>

namespace zk {

void lay_out_editor_board(PuzzleState& p, int height, int width) {
    p.canvas.fill(0);
    p.target.fill(0);
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            at(p.canvas, r, c) = WHITE;
            at(p.target, r, c) = WHITE;
        }
        at(p.canvas, r, width) = '\n';
    }
    at(p.canvas, height, 0) = 'x';
}

void draw_editor_board(const PuzzleState& p, Screen& s) {
    for (int r = 0; r < GRID_STRIDE; ++r) {
        for (int c = 0; c < GRID_STRIDE; ++c) {
            if (!is_board_cell(p, r, c)) continue;
            const Colour* colour = colour_of_letter(at(p.canvas, r, c));
            set_colour(s,
                       colour != nullptr ? colour->cell_attr : colour_of_letter(WHITE)->cell_attr);
            put_char_at(s, BOARD_LEFT + c, BOARD_TOP + r, ' ');
            set_colour(s, 7);
        }
    }
}

void restore_editor_rows(const PuzzleState& p, Screen& s, int first_row, int last_row) {
    const std::string blank_row(SCREEN_COLUMNS, ' ');
    set_colour(s, 7);
    for (int row = first_row; row <= last_row; ++row) put_text_at(s, row, 0, blank_row);
    draw_editor_legend(s);
    draw_editor_board(p, s);
    draw_cursor(p, s);
    set_colour(s, 7);
}

} // namespace zk
