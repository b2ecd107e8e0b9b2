// The model's puzzle state cleared: a white canvas, a new level, a game finished.

#include "model/puzzle.hpp"

#include "model/colours.hpp"

namespace zk {

void whiten_canvas(PuzzleState& p) {
    for (int r = 0; r < GRID_STRIDE; ++r)
        for (int c = 0; c < GRID_STRIDE; ++c)
            if (is_board_cell(p, r, c)) at(p.canvas, r, c) = WHITE;
}

void reset_puzzle(PuzzleState& p) {
    p.target.fill(0);
    p.answer.fill(0);
}

void finish_game(PuzzleState& p) {
    reset_puzzle(p);
    p.check_count = 0;
    p.solved = 0;
}

} // namespace zk
