// Tests of the line solver, against every colouring of random lines.

#include "model/runs.hpp"
#include "solver/line_solver.hpp"

#include <gtest/gtest.h>

#include <bit>

#include <random>
#include <string>
#include <vector>

namespace zk {
namespace {

// The runs of a picture line such as "RRpYY".
RunList runs_of(const std::string& line) {
    return line_runs(std::span(reinterpret_cast<const std::uint8_t*>(line.data()), line.size()));
}

// A set from its letters, e.g. "Ep" for green-or-white.
ColourSet set_of(const std::string& letters) {
    ColourSet s = 0;
    for (char ch : letters) s |= colour_bit(ch);
    return s;
}

// Each cell as its letters in colour table order, cells separated by '|'.
std::string sets_text(const std::vector<ColourSet>& cells) {
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) text += '|';
        for (int c = 0; c < COLOUR_COUNT; ++c)
            if (cells[i] >> c & 1) text += static_cast<char>(COLOUR_TABLE[c].letter);
    }
    return text;
}

std::vector<ColourSet> open_line(int size) {
    return std::vector<ColourSet>(size, ALL_COLOURS);
}

TEST(LineSolver, TouchingRunsOfTwoColoursFillTheirExactLength) {
    std::vector<ColourSet> cells = open_line(4);
    EXPECT_EQ(solve_line(runs_of("RRYY"), cells), LineOutcome::narrowed);
    EXPECT_EQ(sets_text(cells), "R|R|Y|Y");
}

TEST(LineSolver, TouchingRunsWithOneSpareCell) {
    // RRYYp, RRpYY and pRRYY are the three arrangements.
    std::vector<ColourSet> cells = open_line(5);
    EXPECT_EQ(solve_line(runs_of("RRYY"), cells), LineOutcome::narrowed);
    EXPECT_EQ(sets_text(cells), "Rp|R|YRp|Y|Yp");
}

TEST(LineSolver, RunsOfOneColourNeedAWhiteCellBetween) {
    std::vector<ColourSet> cells = open_line(5);
    EXPECT_EQ(solve_line(runs_of("RRpRR"), cells), LineOutcome::narrowed);
    EXPECT_EQ(sets_text(cells), "R|R|p|R|R");

    std::vector<ColourSet> tight = open_line(4);
    const std::vector<ColourSet> before = tight;
    EXPECT_EQ(solve_line(runs_of("RRpRR"), tight), LineOutcome::contradiction);
    EXPECT_EQ(tight, before) << "a contradiction leaves the cells as they were";
}

TEST(LineSolver, LineWithoutRoomIsAContradiction) {
    std::vector<ColourSet> cells = open_line(6);
    EXPECT_EQ(solve_line(runs_of("EEEpEEE"), cells), LineOutcome::contradiction);

    // Room enough in length, but a white cell in the middle leaves none for a run of 3.
    std::vector<ColourSet> blocked = open_line(5);
    blocked[2] = WHITE_BIT;
    EXPECT_EQ(solve_line(runs_of("EEE"), blocked), LineOutcome::contradiction);

    // A run's colour excluded where every placement would need it.
    std::vector<ColourSet> no_red = {ALL_COLOURS, set_of("Ep"), ALL_COLOURS};
    EXPECT_EQ(solve_line(runs_of("RR"), no_red), LineOutcome::contradiction);
}

TEST(LineSolver, FullyDeterminedLine) {
    std::vector<ColourSet> cells = open_line(15);
    const std::string picture = "EEYBBRRRpRRGGGE";
    EXPECT_EQ(solve_line(runs_of(picture), cells), LineOutcome::narrowed);
    EXPECT_EQ(sets_text(cells), "E|E|Y|B|B|R|R|R|p|R|R|G|G|G|E");
    EXPECT_EQ(solve_line(runs_of(picture), cells), LineOutcome::unchanged);
}

TEST(LineSolver, LineWithoutRunsIsWhite) {
    std::vector<ColourSet> cells = open_line(3);
    EXPECT_EQ(solve_line(RunList{}, cells), LineOutcome::narrowed);
    EXPECT_EQ(sets_text(cells), "p|p|p");
}

TEST(LineSolver, NothingDecidableLeavesEveryCellOpen) {
    // One green cell somewhere in three: each cell may be green or white, no more.
    std::vector<ColourSet> cells = open_line(3);
    EXPECT_EQ(solve_line(runs_of("E"), cells), LineOutcome::narrowed);
    EXPECT_EQ(sets_text(cells), "Ep|Ep|Ep");
    EXPECT_EQ(solve_line(runs_of("E"), cells), LineOutcome::unchanged);

    std::vector<ColourSet> two = open_line(4);
    EXPECT_EQ(solve_line(runs_of("EY"), two), LineOutcome::narrowed);
    for (ColourSet s : two) EXPECT_FALSE(is_decided(s)) << sets_text(two);
}

TEST(LineSolver, KnownCellsPinTheRuns) {
    std::vector<ColourSet> cells = open_line(6);
    cells[4] = colour_bit('B');
    EXPECT_EQ(solve_line(runs_of("B"), cells), LineOutcome::narrowed);
    EXPECT_EQ(sets_text(cells), "p|p|p|p|B|p");

    // The first of two blue runs seen at cell 1 forces its neighbours apart.
    std::vector<ColourSet> two = open_line(6);
    two[1] = colour_bit('B');
    two[4] = colour_bit('B');
    EXPECT_EQ(solve_line(runs_of("BBpBB"), two), LineOutcome::narrowed);
    EXPECT_EQ(sets_text(two), "Bp|B|Bp|Bp|B|Bp");
}

TEST(LineSolver, RejectsRunsThatAreNoColourAndOverlongLines) {
    RunList white_run;
    white_run.items[0] = zk::Run{'p', 1};
    white_run.count = 1;
    std::vector<ColourSet> cells = open_line(3);
    EXPECT_EQ(solve_line(white_run, cells), LineOutcome::contradiction);

    std::vector<ColourSet> too_long = open_line(MAX_LINE + 1);
    EXPECT_EQ(solve_line(RunList{}, too_long), LineOutcome::contradiction);
}

// Every colouring of the line that the cell sets allow, checked against the runs: the union of
// the fitting ones per cell is exactly what the line solver must leave.
std::vector<ColourSet> brute_force(const RunList& runs, const std::vector<ColourSet>& cells,
                                   bool& any) {
    const int n = static_cast<int>(cells.size());
    std::vector<ColourSet> possible(n, 0);
    std::vector<std::vector<int>> values(n);
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < COLOUR_COUNT; ++c)
            if (cells[i] >> c & 1) values[i].push_back(c);
    std::vector<std::size_t> choice(n, 0);
    std::vector<std::uint8_t> line(n);
    any = false;
    for (int i = 0; i < n; ++i)
        if (values[i].empty()) return possible;
    while (true) {
        for (int i = 0; i < n; ++i) line[i] = COLOUR_TABLE[values[i][choice[i]]].letter;
        const RunList found = line_runs(line);
        if (found.count == runs.count && std::equal(found.begin(), found.end(), runs.begin())) {
            any = true;
            for (int i = 0; i < n; ++i)
                possible[i] |= static_cast<ColourSet>(1 << values[i][choice[i]]);
        }
        int i = 0;
        while (i < n && ++choice[i] == values[i].size()) choice[i++] = 0;
        if (i == n) break;
    }
    return possible;
}

// Solves `cells` of a line of `picture` and checks the outcome against trying every colouring:
// a contradiction leaves the cells alone, otherwise exactly the colours some colouring uses
// remain, and the outcome says whether any was removed.
void expect_brute_force_agrees(const std::string& picture, const RunList& runs,
                               const std::vector<ColourSet>& cells) {
    bool any = false;
    const std::vector<ColourSet> expected = brute_force(runs, cells, any);
    std::vector<ColourSet> solved = cells;
    const LineOutcome outcome = solve_line(runs, solved);
    SCOPED_TRACE("picture " + picture + ", cells " + sets_text(cells));
    if (!any) {
        EXPECT_EQ(outcome, LineOutcome::contradiction);
        EXPECT_EQ(solved, cells);
    } else {
        EXPECT_EQ(sets_text(solved), sets_text(expected));
        EXPECT_EQ(outcome, solved == cells ? LineOutcome::unchanged : LineOutcome::narrowed);
    }
}

TEST(LineSolver, AgreesWithEveryColouringOnRandomLines) {
    std::mt19937 rng(20240611);
    const std::string letters = "pEYBRG";
    for (int round = 0; round < 400; ++round) {
        const int n = 1 + static_cast<int>(rng() % 6);
        // Clues from a random picture line over few colours, so same-colour runs are common.
        const int colours = 2 + static_cast<int>(rng() % 3);
        std::string picture;
        for (int i = 0; i < n; ++i) picture += letters[rng() % colours];
        const RunList runs = runs_of(picture);
        std::vector<ColourSet> cells(n);
        for (ColourSet& s : cells)
            s = rng() % 3 == 0 ? static_cast<ColourSet>(rng() % 64) : ALL_COLOURS;

        expect_brute_force_agrees(picture, runs, cells);
    }
}

// Long lines, most cells already decided: the stretches of open cells and the runs that
// must cross them reach every bit position of the line.
TEST(LineSolver, AgreesWithEveryColouringOnLongLines) {
    std::mt19937 rng(77);
    const std::string letters = "pEYBRG";
    for (int round = 0; round < 600; ++round) {
        const int n = 10 + static_cast<int>(rng() % (MAX_LINE - 9));
        const int colours = 2 + static_cast<int>(rng() % 5);
        // White from a fifth of the cells up to nearly all, so long white stretches occur.
        const unsigned white_share = 20 + rng() % 80;
        std::string picture;
        for (int i = 0; i < n; ++i)
            picture += rng() % 100 < white_share ? 'p' : letters[1 + rng() % (colours - 1)];
        const RunList runs = runs_of(picture);
        std::vector<ColourSet> cells(n);
        long combinations = 1;
        for (int i = 0; i < n; ++i) {
            const bool open = rng() % 3 == 0 && combinations < 20000;
            cells[i] = open ? static_cast<ColourSet>(rng() % 64) | colour_bit(picture[i])
                            : colour_bit(rng() % 9 == 0 ? letters[rng() % colours] : picture[i]);
            combinations *= std::popcount(cells[i]);
        }
        expect_brute_force_agrees(picture, runs, cells);
    }
}

} // namespace
} // namespace zk
