// The board solver: propagation of the line solver over the board, probing one cell at a time,
// and a search by guesses that counts solutions up to two.

#include "solver/board_solver.hpp"

#include "solver/propagation.hpp"

#include <bit>
#include <climits>
#include <memory>

namespace zk {

namespace {

constexpr int BOARD_CELLS = MAX_BOARD * MAX_BOARD;

struct Search {
    const Clues& clues;
    SolveReport& report;
    int guess_limit;
    bool out_of_guesses = false;
};

// Keeps a solved board as a solution unless it is one already kept (a trial on a cell may
// reach a solution that the search reaches again later).
void record_solution(const SolverBoard& board, SolveReport& report) {
    if (report.solution_count == 2) return;
    Grid grid{};
    for (int r = 0; r < board.height; ++r)
        for (int c = 0; c < board.width; ++c) at(grid, r, c) = letter_of(board.cell(r, c));
    for (int i = 0; i < report.solution_count; ++i)
        if (report.solutions[i] == grid) return;
    report.solutions[report.solution_count++] = grid;
}

int decided_count(const SolverBoard& board) {
    int count = 0;
    for (int r = 0; r < board.height; ++r)
        for (int c = 0; c < board.width; ++c) count += is_decided(board.cell(r, c)) ? 1 : 0;
    return count;
}

// What the trials of each cell looked at, so that they are repeated only when they could
// find something new.
struct ProbeMemory {
    /// The cell's trials must run again.
    std::array<bool, BOARD_CELLS> stale{};
    /// The lines the cell's last trials solved.
    std::array<LineMask, BOARD_CELLS> looked_at{};
    /// The fewest cells one of the cell's values decided in its last trials.
    std::array<int, BOARD_CELLS> score{};

    ProbeMemory() { stale.fill(true); }

    // Marks stale every cell whose trials looked at a line where `after` differs from `before`.
    void forget(const SolverBoard& before, const SolverBoard& after) {
        LineMask changed_lines = 0;
        for (int r = 0; r < after.height; ++r)
            for (int c = 0; c < after.width; ++c)
                if (after.cell(r, c) != before.cell(r, c))
                    changed_lines |= lines_through(after, r, c);
        for (int k = 0; k < BOARD_CELLS; ++k)
            if ((looked_at[k] & changed_lines) != 0) stale[k] = true;
    }
};

// What probing left: where the board stands, and the undecided cell whose every value, tried
// alone, decided the most other cells (the cell to guess next), or -1.
struct ProbeOutcome {
    Propagation state = Propagation::stalled;
    int branch_cell = -1;
};

// What trying every value of one cell alone found: stalled unless every value failed
// (contradiction) or the trials found a second solution (solved); the colours each cell has
// in some trial that did not fail; and the fewest other cells one value decided.
struct CellTrials {
    Propagation state = Propagation::stalled;
    std::array<ColourSet, BOARD_CELLS> seen{};
    int weakest = INT_MAX;
};

// Tries every value of undecided cell (r, c) on a copy of the board and propagates it,
// noting in `memory` the lines the trials looked at.
CellTrials try_cell(const Clues& clues, const SolverBoard& board, int r, int c, ProbeMemory& memory,
                    SolveReport& report) {
    const int index = r * MAX_BOARD + c;
    const int decided_before = decided_count(board);
    CellTrials trials;
    memory.looked_at[index] = 0;
    for (ColourSet rest = board.cell(r, c); rest != 0; rest &= rest - 1) {
        SolverBoard trial = board;
        trial.cell(r, c) = rest & -rest;
        ++report.probes;
        PropagationCounters scratch;
        const Propagation state = propagate(clues, trial, lines_through(board, r, c), scratch);
        memory.looked_at[index] |= scratch.solved_lines;
        if (state == Propagation::contradiction) continue;
        if (state == Propagation::solved) {
            record_solution(trial, report);
            if (report.solution_count == 2) return {Propagation::solved};
        }
        for (int k = 0; k < BOARD_CELLS; ++k) trials.seen[k] |= trial.cells[k];
        trials.weakest = std::min(trials.weakest, decided_count(trial) - decided_before);
    }
    if (trials.weakest == INT_MAX) trials.state = Propagation::contradiction;
    return trials;
}

// Keeps in each cell of `board` only the colours of `seen`; returns the lines through the
// cells that changed.
LineMask keep_seen(SolverBoard& board, const std::array<ColourSet, BOARD_CELLS>& seen) {
    LineMask dirty = 0;
    for (int r = 0; r < board.height; ++r) {
        for (int c = 0; c < board.width; ++c) {
            const ColourSet kept = board.cell(r, c) & seen[r * MAX_BOARD + c];
            if (kept == board.cell(r, c)) continue;
            board.cell(r, c) = kept;
            dirty |= lines_through(board, r, c);
        }
    }
    return dirty;
}

// The undecided cell with the highest score (the first of equals), or -1.
int best_branch_cell(const SolverBoard& board, const ProbeMemory& memory) {
    int branch_cell = -1;
    int best = -1;
    for (int r = 0; r < board.height; ++r) {
        for (int c = 0; c < board.width; ++c) {
            const int index = r * MAX_BOARD + c;
            if (is_decided(board.cell(r, c)) || memory.score[index] <= best) continue;
            best = memory.score[index];
            branch_cell = index;
        }
    }
    return branch_cell;
}

// Tries every value of every undecided cell on a copy of the board and propagates it. A cell
// may afterwards keep only the colours it has in some trial that did not end in a
// contradiction (so a value that fails is removed, and a colour every surviving trial rules
// out is removed too). Repeats until no cell changes. A cell is tried again only when the
// board has changed in a line its last trials looked at: otherwise they would run exactly as
// before and tell nothing new. `counters` collects the work on the board itself.
ProbeOutcome probe(const Clues& clues, SolverBoard& board, ProbeMemory& memory, SolveReport& report,
                   PropagationCounters& counters) {
    bool changed = true;
    while (changed) {
        changed = false;
        for (int r = 0; r < board.height; ++r) {
            for (int c = 0; c < board.width; ++c) {
                const int index = r * MAX_BOARD + c;
                if (is_decided(board.cell(r, c)) || !memory.stale[index]) continue;
                memory.stale[index] = false;
                const CellTrials trials = try_cell(clues, board, r, c, memory, report);
                if (trials.state != Propagation::stalled) return {trials.state, -1};
                memory.score[index] = trials.weakest;
                const SolverBoard before = board;
                const LineMask dirty = keep_seen(board, trials.seen);
                if (dirty == 0) continue;
                changed = true;
                const Propagation after = propagate(clues, board, dirty, counters);
                if (after != Propagation::stalled) return {after, -1};
                memory.forget(before, board);
            }
        }
    }
    return {Propagation::stalled, best_branch_cell(board, memory)};
}

// Finishes a board on which propagation has stalled: probes it, then guesses each value of
// the chosen cell in turn and carries on from there, until two solutions are found, every
// branch has ended, or the guesses run out.
void search(Search& s, SolverBoard& board, ProbeMemory& memory, PropagationCounters& counters) {
    const ProbeOutcome probed = probe(s.clues, board, memory, s.report, counters);
    if (probed.state == Propagation::contradiction || s.report.solution_count == 2) return;
    if (probed.state == Propagation::solved) {
        record_solution(board, s.report);
        return;
    }
    const int r = probed.branch_cell / MAX_BOARD;
    const int c = probed.branch_cell % MAX_BOARD;
    for (ColourSet rest = board.cell(r, c); rest != 0; rest &= rest - 1) {
        if (s.report.guesses >= s.guess_limit) {
            s.out_of_guesses = true;
            return;
        }
        ++s.report.guesses;
        SolverBoard trial = board;
        trial.cell(r, c) = rest & -rest;
        PropagationCounters scratch;
        const Propagation state = propagate(s.clues, trial, lines_through(trial, r, c), scratch);
        if (state == Propagation::solved) record_solution(trial, s.report);
        if (state == Propagation::stalled) {
            // On the heap: nested guesses may go as deep as the board has cells.
            const auto child = std::make_unique<ProbeMemory>(memory);
            child->forget(board, trial);
            search(s, trial, *child, scratch);
        }
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
    const Propagation state = propagate(clues, board, all_lines(board), counters);
    report.line_solvable = state == Propagation::solved;
    if (state == Propagation::solved) record_solution(board, report);
    bool out_of_guesses = false;
    if (state == Propagation::stalled) {
        Search s{clues, report, guess_limit};
        ProbeMemory memory;
        search(s, board, memory, counters);
        out_of_guesses = s.out_of_guesses;
    }
    report.line_passes = counters.passes;
    report.line_steps = counters.narrowing_steps;
    report.verdict = out_of_guesses && report.solution_count < 2
                         ? Verdict::undecided
                         : verdict_of(report.solution_count);
    report.difficulty =
        report.line_steps + PROBE_WEIGHT * report.probes + GUESS_WEIGHT * report.guesses;
    return report;
}

} // namespace zk
