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

} // namespace

// Reachability over positions, each a set of positions computed a word at a time.
// Forward, for i runs placed: after_white[i] holds j when cells 0 .. j-1 can hold runs
// 0 .. i-1 with cell j-1 white (or j = 0); after_run[i] holds j when run i-1 can end at cell
// j-1. Backward: rest_white[i] holds j when cells j .. end can hold runs i .. last given that
// cell j-1 is white; rest_run[i] the same given that run i-1 ends at cell j-1.
LineOutcome solve_line(const RunList& runs, std::span<ColourSet> cells) {
    const int size = static_cast<int>(cells.size());
    const int run_count = runs.count;
    if (size > MAX_LINE || run_count > MAX_RUNS) return LineOutcome::contradiction;

    std::array<Positions, COLOUR_COUNT> allows{};
    for (int j = 0; j < size; ++j)
        for (int c = 0; c < COLOUR_COUNT; ++c)
            if (cells[j] >> c & 1) allows[c] |= Positions{1} << j;
    const Positions white = allows[WHITE_INDEX];

    std::array<int, MAX_RUNS> colour{};
    std::array<int, MAX_RUNS> length{};
    std::array<bool, MAX_RUNS> may_touch{};
    // starts[i] holds j when every cell j .. j + length - 1 may take run i's colour.
    std::array<Positions, MAX_RUNS> starts{};
    for (int i = 0; i < run_count; ++i) {
        colour[i] = colour_index(runs[i].letter);
        length[i] = runs[i].length;
        if (colour[i] < 0 || colour[i] == WHITE_INDEX || length[i] < 1 || length[i] > size)
            return LineOutcome::contradiction;
        may_touch[i] = i == 0 || colour[i - 1] != colour[i];
        Positions fit = allows[colour[i]];
        for (int k = 1; k < length[i]; ++k) fit &= allows[colour[i]] >> k;
        starts[i] = fit;
    }

    std::array<Positions, MAX_RUNS + 1> after_white{};
    std::array<Positions, MAX_RUNS + 1> after_run{};
    std::array<Positions, MAX_RUNS> may_start{};
    for (int i = 0; i <= run_count; ++i) {
        const Positions seeds = (i == 0 ? Positions{1} : 0) | (after_run[i] & white) << 1;
        after_white[i] = reach_right(seeds, white);
        if (i == run_count) break;
        may_start[i] = after_white[i] | (may_touch[i] ? after_run[i] : 0);
        after_run[i + 1] = (may_start[i] & starts[i]) << length[i];
    }
    const Positions end = Positions{1} << size;
    if (((after_white[run_count] | after_run[run_count]) & end) == 0)
        return LineOutcome::contradiction;

    std::array<Positions, MAX_RUNS + 1> rest_white{};
    std::array<Positions, MAX_RUNS + 1> rest_run{};
    rest_white[run_count] = reach_left(end, white);
    rest_run[run_count] = end | (white & rest_white[run_count] >> 1);
    for (int i = run_count - 1; i >= 0; --i) {
        const Positions place = starts[i] & rest_run[i + 1] >> length[i];
        rest_white[i] = reach_left(place, white);
        rest_run[i] = (white & rest_white[i] >> 1) | (may_touch[i] ? place : 0);
    }

    // A cell may be white where some prefix ends before it and the rest fits after it; it may
    // take a run's colour where some whole arrangement places that run over it.
    std::array<Positions, COLOUR_COUNT> possible{};
    for (int i = 0; i <= run_count; ++i)
        possible[WHITE_INDEX] |= (after_white[i] | after_run[i]) & white & rest_white[i] >> 1;
    for (int i = 0; i < run_count; ++i) {
        const Positions placed = may_start[i] & starts[i] & rest_run[i + 1] >> length[i];
        possible[colour[i]] |= cover(placed, length[i]);
    }

    bool changed = false;
    for (int j = 0; j < size; ++j) {
        ColourSet kept = 0;
        for (int c = 0; c < COLOUR_COUNT; ++c)
            if (possible[c] >> j & 1) kept |= static_cast<ColourSet>(1 << c);
        const ColourSet narrowed = cells[j] & kept;
        if (narrowed != cells[j]) {
            cells[j] = narrowed;
            changed = true;
        }
    }
    return changed ? LineOutcome::narrowed : LineOutcome::unchanged;
}

} // namespace zk
