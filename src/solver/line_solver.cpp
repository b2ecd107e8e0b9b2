#include "solver/line_solver.hpp"

namespace zk {

namespace {

constexpr int MAX_RUNS = MAX_LINE;

// One line's runs and cells, with the lookups the reachability tables need.
struct LineProblem {
    int size = 0;
    int run_count = 0;
    std::array<int, MAX_RUNS> colour{};
    std::array<int, MAX_RUNS> length{};
    // blocked[c][j]: how many of the first j cells cannot take colour c.
    std::array<std::array<int, MAX_LINE + 1>, COLOUR_COUNT> blocked{};
    std::span<ColourSet> cells;

    bool white_ok(int j) const { return (cells[j] & WHITE_BIT) != 0; }

    // Run i may cover cells s .. s + length - 1.
    bool fits(int i, int s) const {
        const int e = s + length[i];
        return e <= size && blocked[colour[i]][e] == blocked[colour[i]][s];
    }

    // Run i may start right after run i - 1 ends.
    bool may_touch(int i) const { return i == 0 || colour[i - 1] != colour[i]; }
};

using Table = std::array<std::array<bool, MAX_LINE + 1>, MAX_RUNS + 1>;

// Prefix reachability. free_end[i][j]: cells 0 .. j-1 hold runs 0 .. i-1 and cell j-1 is white
// (or j = 0). run_end[i][j]: cells 0 .. j-1 hold runs 0 .. i-1 and run i-1 ends at cell j-1.
struct Forward {
    Table free_end{};
    Table run_end{};
    bool may_start(const LineProblem& p, int i, int j) const {
        return free_end[i][j] || (run_end[i][j] && p.may_touch(i));
    }
};

// Suffix reachability. after_free[i][j]: cells j .. end can hold runs i .. last when cell j-1 is
// white. after_run[i][j]: the same when run i-1 ends at cell j-1.
struct Backward {
    Table after_free{};
    Table after_run{};
};

Forward forward_pass(const LineProblem& p) {
    Forward f;
    f.free_end[0][0] = true;
    for (int j = 0; j <= p.size; ++j) {
        for (int i = 0; i <= p.run_count; ++i) {
            if (!f.free_end[i][j] && !f.run_end[i][j]) continue;
            if (j < p.size && p.white_ok(j)) f.free_end[i][j + 1] = true;
            if (i < p.run_count && f.may_start(p, i, j) && p.fits(i, j))
                f.run_end[i + 1][j + p.length[i]] = true;
        }
    }
    return f;
}

Backward backward_pass(const LineProblem& p) {
    Backward b;
    b.after_free[p.run_count][p.size] = true;
    b.after_run[p.run_count][p.size] = true;
    for (int j = p.size - 1; j >= 0; --j) {
        for (int i = p.run_count; i >= 0; --i) {
            const bool white = p.white_ok(j) && b.after_free[i][j + 1];
            const bool place =
                i < p.run_count && p.fits(i, j) && b.after_run[i + 1][j + p.length[i]];
            b.after_free[i][j] = white || place;
            b.after_run[i][j] = white || (place && p.may_touch(i));
        }
    }
    return b;
}

} // namespace

LineOutcome solve_line(const RunList& runs, std::span<ColourSet> cells) {
    LineProblem p;
    p.size = static_cast<int>(cells.size());
    p.run_count = runs.count;
    p.cells = cells;
    if (p.size > MAX_LINE || p.run_count > MAX_RUNS) return LineOutcome::contradiction;
    for (int i = 0; i < p.run_count; ++i) {
        p.colour[i] = colour_index(runs[i].letter);
        p.length[i] = runs[i].length;
        if (p.colour[i] < 0 || p.colour[i] == WHITE_INDEX || p.length[i] < 1)
            return LineOutcome::contradiction;
    }
    for (int c = 0; c < COLOUR_COUNT; ++c)
        for (int j = 0; j < p.size; ++j)
            p.blocked[c][j + 1] = p.blocked[c][j] + ((cells[j] >> c & 1) == 0 ? 1 : 0);

    const Forward f = forward_pass(p);
    if (!f.free_end[p.run_count][p.size] && !f.run_end[p.run_count][p.size])
        return LineOutcome::contradiction;
    const Backward b = backward_pass(p);

    // Every placement that some whole arrangement uses adds its colour to the cells it covers;
    // coverage is summed through difference counts so the pass stays O(cells * runs).
    std::array<ColourSet, MAX_LINE> possible{};
    std::array<std::array<int, MAX_LINE + 1>, COLOUR_COUNT - 1> cover{};
    for (int j = 0; j < p.size; ++j) {
        for (int i = 0; i <= p.run_count; ++i) {
            if ((f.free_end[i][j] || f.run_end[i][j]) && p.white_ok(j) && b.after_free[i][j + 1])
                possible[j] |= WHITE_BIT;
            if (i < p.run_count && f.may_start(p, i, j) && p.fits(i, j) &&
                b.after_run[i + 1][j + p.length[i]]) {
                ++cover[p.colour[i]][j];
                --cover[p.colour[i]][j + p.length[i]];
            }
        }
    }
    for (int c = 0; c < COLOUR_COUNT - 1; ++c) {
        int depth = 0;
        for (int j = 0; j < p.size; ++j) {
            depth += cover[c][j];
            if (depth > 0) possible[j] |= static_cast<ColourSet>(1 << c);
        }
    }

    bool changed = false;
    for (int j = 0; j < p.size; ++j) {
        const ColourSet narrowed = cells[j] & possible[j];
        if (narrowed != cells[j]) {
            cells[j] = narrowed;
            changed = true;
        }
    }
    return changed ? LineOutcome::narrowed : LineOutcome::unchanged;
}

} // namespace zk
