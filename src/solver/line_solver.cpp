// The line solver: every cell of a line narrowed to the colours some arrangement of its runs
// gives it, with positions as bit sets.

#include "solver/line_solver.hpp"

#include <array>
#include <cstdint>

namespace zk {

namespace {

constexpr int MAX_RUNS = MAX_LINE;

// A set of positions 0 .. MAX_LINE of one line, bit j for position j. Position j is the
// boundary before cell j; position size is the end of the line.
using Positions = std::uint32_t;

// Every position reachable from one in `from` by stepping from j to j + 1 over cells j that
// may be white: the add carries through each stretch of such cells and lands one past it.
Positions reach_right(Positions from, Positions white) {
    return from | (((from & white) + white) ^ white);
}

// Every position from which one in `to` is reached the same way, walking left.
Positions reach_left(Positions to, Positions white) {
    Positions step = white;
    to |= step & (to >> 1);
    step &= step >> 1;
    to |= step & (to >> 2);
    step &= step >> 2;
    to |= step & (to >> 4);
    step &= step >> 4;
    to |= step & (to >> 8);
    step &= step >> 8;
    to |= step & (to >> 16);
    return to;
}

// The cells j .. j + length - 1 for every j in `starts`.
Positions cover(Positions starts, int length) {
    Positions covered = 0;
    for (int k = 0; k < length; ++k) covered |= starts << k;
    return covered;
}

// The colours each cell may take, as one set of positions per colour.
using ColourPositions = std::array<Positions, COLOUR_COUNT>;

// One line's work, filled in step by step. The runs as the passes read them: starts[i] holds
// j when every cell j .. j + length - 1 may take run i's colour; may_touch[i] when run i may
// follow run i-1 without a white cell between. Forward, for i runs placed: after_white[i]
// holds j when cells 0 .. j-1 can hold runs 0 .. i-1 with cell j-1 white (or j = 0);
// after_run[i] holds j when run i-1 can end at cell j-1; may_start[i] where run i may start
// after them. Backward: rest_white[i] holds j when cells j .. end can hold runs i .. last
// given that cell j-1 is white; rest_run[i] the same given that run i-1 ends at cell j-1.
struct LineWork {
    int size = 0;
    int run_count = 0;
    ColourPositions allows{};
    Positions white = 0;
    Positions end = 0;
    // Each step writes an entry before the next reads it, so these are left uncleared: a line
    // is solved in a few dozen nanoseconds, and clearing them all takes a good part of that.
    std::array<int, MAX_RUNS> colour;
    std::array<int, MAX_RUNS> length;
    std::array<bool, MAX_RUNS> may_touch;
    std::array<Positions, MAX_RUNS> starts;
    std::array<Positions, MAX_RUNS + 1> after_white;
    std::array<Positions, MAX_RUNS + 1> after_run;
    std::array<Positions, MAX_RUNS> may_start;
    std::array<Positions, MAX_RUNS + 1> rest_white;
    std::array<Positions, MAX_RUNS + 1> rest_run;
};

// The colours each cell allows, as positions.
void read_cells(std::span<const ColourSet> cells, LineWork& w) {
    w.size = static_cast<int>(cells.size());
    for (int j = 0; j < w.size; ++j)
        for (int colour = 0; colour < COLOUR_COUNT; ++colour)
            if (cells[j] >> colour & 1) w.allows[colour] |= Positions{1} << j;
    w.white = w.allows[WHITE_INDEX];
    w.end = Positions{1} << w.size;
}

// The runs read against the cells; false when a run has no run colour or does not fit.
bool read_runs(const RunList& runs, LineWork& w) {
    w.run_count = runs.count;
    for (int i = 0; i < w.run_count; ++i) {
        w.colour[i] = colour_index(runs[i].letter);
        w.length[i] = runs[i].length;
        if (w.colour[i] < 0 || w.colour[i] == WHITE_INDEX || w.length[i] < 1 ||
            w.length[i] > w.size)
            return false;
        w.may_touch[i] = i == 0 || w.colour[i - 1] != w.colour[i];
        Positions fit = w.allows[w.colour[i]];
        for (int k = 1; k < w.length[i]; ++k) fit &= w.allows[w.colour[i]] >> k;
        w.starts[i] = fit;
    }
    return true;
}

// The forward reach; false when no arrangement reaches the line's end.
bool reach_forward(LineWork& w) {
    w.after_run[0] = 0;
    for (int i = 0; i <= w.run_count; ++i) {
        const Positions seeds = (i == 0 ? Positions{1} : 0) | (w.after_run[i] & w.white) << 1;
        w.after_white[i] = reach_right(seeds, w.white);
        if (i == w.run_count) break;
        w.may_start[i] = w.after_white[i] | (w.may_touch[i] ? w.after_run[i] : 0);
        w.after_run[i + 1] = (w.may_start[i] & w.starts[i]) << w.length[i];
    }
    return ((w.after_white[w.run_count] | w.after_run[w.run_count]) & w.end) != 0;
}

// The backward reach from the line's end.
void reach_backward(LineWork& w) {
    w.rest_white[w.run_count] = reach_left(w.end, w.white);
    w.rest_run[w.run_count] = w.end | (w.white & w.rest_white[w.run_count] >> 1);
    for (int i = w.run_count - 1; i >= 0; --i) {
        const Positions place = w.starts[i] & w.rest_run[i + 1] >> w.length[i];
        w.rest_white[i] = reach_left(place, w.white);
        w.rest_run[i] = (w.white & w.rest_white[i] >> 1) | (w.may_touch[i] ? place : 0);
    }
}

// A cell may be white where some prefix ends before it and the rest fits after it; it may
// take a run's colour where some whole arrangement places that run over it.
ColourPositions possible_colours(const LineWork& w) {
    ColourPositions possible{};
    for (int i = 0; i <= w.run_count; ++i)
        possible[WHITE_INDEX] |=
            (w.after_white[i] | w.after_run[i]) & w.white & w.rest_white[i] >> 1;
    for (int i = 0; i < w.run_count; ++i) {
        const Positions placed = w.may_start[i] & w.starts[i] & w.rest_run[i + 1] >> w.length[i];
        possible[w.colour[i]] |= cover(placed, w.length[i]);
    }
    return possible;
}

// Keeps in each cell only the colours of `possible`.
LineOutcome narrow_cells(const ColourPositions& possible, std::span<ColourSet> cells) {
    bool changed = false;
    for (std::size_t j = 0; j < cells.size(); ++j) {
        ColourSet kept = 0;
        for (int colour = 0; colour < COLOUR_COUNT; ++colour)
            if (possible[colour] >> j & 1) kept |= static_cast<ColourSet>(1 << colour);
        const ColourSet narrowed = cells[j] & kept;
        if (narrowed != cells[j]) {
            cells[j] = narrowed;
            changed = true;
        }
    }
    return changed ? LineOutcome::narrowed : LineOutcome::unchanged;
}

} // namespace

// Reachability over positions, each a set of positions computed a word at a time: the
// arrangements of the first runs from the line's start, of the last runs from its end, and
// where they meet, the colours each cell may take.
LineOutcome solve_line(const RunList& runs, std::span<ColourSet> cells) {
    if (cells.size() > MAX_LINE || runs.count > MAX_RUNS) return LineOutcome::contradiction;
    LineWork work;
    read_cells(cells, work);
    if (!read_runs(runs, work) || !reach_forward(work)) return LineOutcome::contradiction;
    reach_backward(work);
    return narrow_cells(possible_colours(work), cells);
}

} // namespace zk
