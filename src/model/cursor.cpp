// The model's rule of the cursor's one-cell moves on the board.

#include "model/cursor.hpp"

#include "model/colours.hpp"

namespace zk {

std::optional<CellPos> cursor_step(const PuzzleState& p, Direction d) {
    CellPos to{p.cursor_row, p.cursor_col};
    switch (d) {
    case Direction::up:
        --to.row;
        break;
    case Direction::down:
        ++to.row;
        break;
    case Direction::left:
        --to.col;
        break;
    case Direction::right:
        ++to.col;
        break;
    }
    if (!is_board_cell(p, to.row, to.col)) return std::nullopt;
    if (colour_of_letter(at(p.canvas, p.cursor_row, p.cursor_col)) == nullptr) return std::nullopt;
    return to;
}

} // namespace zk
