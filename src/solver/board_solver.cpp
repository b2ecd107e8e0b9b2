#include "solver/board_solver.hpp"

#include "solver/propagation.hpp"

#include <bit>

namespace zk {

namespace {

struct Search {
    const Clues& clues;
    SolveReport& report;
    int guess_limit;
    bool out_of_guesses = false;
};

void record_solution(const SolverBoard& board, SolveReport& report) {
    Grid& grid = report.solutions[report.solution_count++];
    grid.fill(0);
    for (int r = 0; r < board.height; ++r)
        for (int c = 0; c < board.width; ++c) at(grid, r, c) = letter_of(board.cell(r, c));
}

// Tries every value of every undecided cell; a value whose propagation ends in a contradiction
// is removed. Repeats while that removes something. Returns where the board then stands.
Propagation probe(const Clues& clues, SolverBoard& board, SolveReport& report) {
    PropagationCounters main;
    bool removed = true;
    while (removed) {
        removed = false;
        for (int r = 0; r < board.height; ++r) {
            for (int c = 0; c < board.width; ++c) {
                const ColourSet values = board.cell(r, c);
                if (is_decided(values)) continue;
                for (ColourSet rest = values; rest != 0; rest &= rest - 1) {
                    const ColourSet value = rest & -rest;
                    if ((board.cell(r, c) & value) == 0) continue;
                    SolverBoard trial = board;
                    trial.cell(r, c) = value;
                    ++report.probes;
                    PropagationCounters scratch;
                    if (propagate(clues, trial, lines_through(board, r, c), scratch) !=
                        Propagation::contradiction)
                        continue;
                    board.cell(r, c) &= ~value;
                    removed = true;
                    const Propagation after =
                        propagate(clues, board, lines_through(board, r, c), main);
                    if (after != Propagation::stalled) {
                        report.line_passes += main.passes;
                        report.line_steps += main.narrowing_steps;
                        return after;
                    }
                }
            }
        }
    }
    report.line_passes += main.passes;
    report.line_steps += main.narrowing_steps;
    return Propagation::stalled;
}

// The undecided cell with the fewest values left, first in row order among equals.
int branching_cell(const SolverBoard& board) {
    int best = -1;
    int best_count = COLOUR_COUNT + 1;
    for (int r = 0; r < board.height; ++r) {
        for (int c = 0; c < board.width; ++c) {
            const int count = std::popcount(board.cell(r, c));
            if (count > 1 && count < best_count) {
                best = r * MAX_BOARD + c;
                best_count = count;
            }
        }
    }
    return best;
}

// Depth-first search from a stalled board until two solutions are found.
void search(Search& s, const SolverBoard& board) {
    const int index = branching_cell(board);
    const int r = index / MAX_BOARD;
    const int c = index % MAX_BOARD;
    for (ColourSet rest = board.cell(r, c); rest != 0; rest &= rest - 1) {
        if (s.report.guesses >= s.guess_limit) {
            s.out_of_guesses = true;
            return;
        }
        ++s.report.guesses;
        SolverBoard trial = board;
        trial.cell(r, c) = rest & -rest;
        PropagationCounters scratch;
        const Propagation p = propagate(s.clues, trial, lines_through(trial, r, c), scratch);
        if (p == Propagation::solved) record_solution(trial, s.report);
        if (p == Propagation::stalled) search(s, trial);
        if (s.report.solution_count == 2 || s.out_of_guesses) return;
    }
}

Verdict verdict_of(int solution_count) {
    return solution_count == 0   ? Verdict::none
           : solution_count == 1 ? Verdict::unique
                                 : Verdict::several;
}

} // namespace

SolveReport solve_board(const Clues& clues, int guess_limit) {
    SolveReport report;
    SolverBoard board = open_board(clues);
    PropagationCounters counters;
    Propagation p = propagate(clues, board, all_lines(board), counters);
    report.line_passes = counters.passes;
    report.line_steps = counters.narrowing_steps;
    report.line_solvable = p == Propagation::solved;
    if (p == Propagation::stalled) p = probe(clues, board, report);
    if (p == Propagation::solved) record_solution(board, report);
    if (p == Propagation::stalled) {
        Search s{clues, report, guess_limit};
        search(s, board);
        report.verdict = s.out_of_guesses && report.solution_count < 2
                             ? Verdict::undecided
                             : verdict_of(report.solution_count);
    } else {
        report.verdict = verdict_of(report.solution_count);
    }
    report.difficulty =
        report.line_steps + PROBE_WEIGHT * report.probes + GUESS_WEIGHT * report.guesses;
    return report;
}

} // namespace zk
