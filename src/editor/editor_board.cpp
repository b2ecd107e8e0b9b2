// The editor's board: its layout as the text of a level file, and its rows restored after a
// dialog.

#include "editor/editor_board.hpp"

#include "board_screen/board_view.hpp"
#include "editor/editor_legend.hpp"
#include "model/level_file.hpp"
#include "model/level_format.hpp"

#include <string>

namespace zk {

void lay_out_editor_board(PuzzleState& p, int height, int width) {
    p.target.fill(0);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) at(p.target, r, c) = WHITE;
    p.canvas = level_layout(p.target, height, width);
}

void restore_editor_rows(const PuzzleState& p, Screen& s, int first_row, int last_row) {
    const std::string blank_row(SCREEN_COLUMNS, ' ');
    for (int row = first_row; row <= last_row; ++row) put_text_at(s, row, 0, ATTR_GREY, blank_row);
    draw_editor_legend(s);
    draw_board_cells(p, s);
    draw_cursor(p, s);
}

} // namespace zk
