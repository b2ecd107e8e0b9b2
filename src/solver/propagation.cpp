// The solver's propagation: the line solver run over every line that changed until no cell narrows.

#include "solver/propagation.hpp"

#include "solver/line_solver.hpp"

#include <algorithm>

namespace zk {

SolverBoard open_board(const Clues& clues) {
    SolverBoard board;
    board.height = clues.height;
    board.width = clues.width;
    for (int r = 0; r < board.height; ++r)
        for (int c = 0; c < board.width; ++c) board.cell(r, c) = ALL_COLOURS;
    return board;
}

LineMask all_lines(const SolverBoard& board) {
    return (LineMask{1} << (board.height + board.width)) - 1;
}

LineMask lines_through(const SolverBoard& board, int r, int c) {
    return LineMask{1} << r | LineMask{1} << (board.height + c);
}

bool is_complete(const SolverBoard& board) {
    for (int r = 0; r < board.height; ++r)
        for (int c = 0; c < board.width; ++c)
            if (!is_decided(board.cell(r, c))) return false;
    return true;
}

namespace {

// Solves line `line` of the board in place and marks the crossing lines of narrowed cells.
LineOutcome solve_board_line(const Clues& clues, SolverBoard& board, int line, LineMask& dirty) {
    const bool is_row = line < board.height;
    const int index = is_row ? line : line - board.height;
    const int size = is_row ? board.width : board.height;
    std::array<ColourSet, MAX_BOARD> cells{};
    for (int k = 0; k < size; ++k) cells[k] = is_row ? board.cell(index, k) : board.cell(k, index);
    const RunList& runs = is_row ? clues.rows[index] : clues.columns[index];
    const LineOutcome outcome = solve_line(runs, std::span(cells.data(), size));
    if (outcome != LineOutcome::narrowed) return outcome;
    for (int k = 0; k < size; ++k) {
        ColourSet& cell = is_row ? board.cell(index, k) : board.cell(k, index);
        if (cell == cells[k]) continue;
        cell = cells[k];
        dirty |= is_row ? LineMask{1} << (board.height + k) : LineMask{1} << k;
    }
    return outcome;
}

} // namespace

Propagation propagate(const Clues& clues, SolverBoard& board, LineMask dirty,
                      PropagationCounters& counters) {
    const int line_count = board.height + board.width;
    dirty &= all_lines(board);
    while (dirty != 0) {
        ++counters.passes;
        const LineMask pass = dirty;
        for (int line = 0; line < line_count; ++line) {
            const LineMask bit = LineMask{1} << line;
            // A line of this pass that a later change made dirty again is still looked at
            // only once: by then it sees that change.
            if ((pass & bit) == 0 || (dirty & bit) == 0) continue;
            dirty &= ~bit;
            ++counters.line_steps;
            counters.solved_lines |= bit;
            const LineOutcome outcome = solve_board_line(clues, board, line, dirty);
            if (outcome == LineOutcome::contradiction) return Propagation::contradiction;
            if (outcome == LineOutcome::narrowed) ++counters.narrowing_steps;
        }
    }
    return is_complete(board) ? Propagation::solved : Propagation::stalled;
}

} // namespace zk
