// A one-colour 15 x 15 board on which a plain depth-first search runs out of guesses.

#include "solver/board_solver.hpp"
#include "solver/clues.hpp"

#include "picture.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zk {
namespace {

const std::vector<std::string> HARD_BOARD = {
    "EEpEppppEpppppE", "ppEppEpEpppEppp", "pppEppEppEEpEpp", "pppEpppEEpEppEp", "EEEppEpppppEpEp",
    "EpEpppEEppppppE", "pppEpEEEpEEEEpE", "EEppEEpppEppEEp", "pEpEpEEppEEpppp", "ppEEEppppEEEpEE",
    "EpppppEEEEpppEp", "pEpppEppEEEpppE", "EppEEEpEpEppppp", "EpppEpEppEppEEp", "EEppEppEppppEEp"};

bool same_clues(const Clues& a, const Clues& b) {
    const auto same = [](const RunList& x, const RunList& y) {
        return x.count == y.count && std::equal(x.begin(), x.end(), y.begin());
    };
    for (int r = 0; r < a.height; ++r)
        if (!same(a.rows[r], b.rows[r])) return false;
    for (int c = 0; c < a.width; ++c)
        if (!same(a.columns[c], b.columns[c])) return false;
    return a.height == b.height && a.width == b.width;
}

// Counts the green-and-white pictures with the given clues, up to 2, by brute force: every row
// pattern that fits its row clue, rows placed top to bottom, each column's runs so far checked
// against its clue.
struct SimpleCounter {
    const Clues& clues;
    std::vector<std::vector<unsigned>> row_patterns;
    std::vector<unsigned> rows;
    int found = 0;

    RunList runs_of(unsigned bits, int size) const {
        std::vector<std::uint8_t> line(static_cast<std::size_t>(size));
        for (int k = 0; k < size; ++k) line[k] = (bits >> k & 1) ? 'E' : 'p';
        return line_runs(line);
    }

    // True when the top `height` rows can still grow into column c's clue.
    bool column_prefix_fits(int c, int height) const {
        unsigned bits = 0;
        for (int r = 0; r < height; ++r) bits |= (rows[r] >> c & 1) << r;
        const RunList done = runs_of(bits, height);
        const RunList& clue = clues.columns[c];
        if (done.count > clue.count) return false;
        for (int i = 0; i < done.count; ++i) {
            // A run touching the bottom may still grow, unless the bottom is the board's.
            const bool open =
                i == done.count - 1 && (bits >> (height - 1) & 1) && height < clues.height;
            if (open ? done[i].length > clue[i].length : !(done[i] == clue[i])) return false;
        }
        return height < clues.height || done.count == clue.count;
    }

    void place(int row) {
        if (found == 2) return;
        if (row == clues.height) {
            ++found;
            return;
        }
        for (unsigned pattern : row_patterns[row]) {
            rows[row] = pattern;
            bool fits = true;
            for (int c = 0; c < clues.width && fits; ++c) fits = column_prefix_fits(c, row + 1);
            if (fits) place(row + 1);
        }
    }

    int count() {
        row_patterns.resize(clues.height);
        rows.resize(clues.height);
        for (int r = 0; r < clues.height; ++r)
            for (unsigned bits = 0; bits < (1u << clues.width); ++bits) {
                const RunList runs = runs_of(bits, clues.width);
                if (runs.count == clues.rows[r].count &&
                    std::equal(runs.begin(), runs.end(), clues.rows[r].begin()))
                    row_patterns[r].push_back(bits);
            }
        place(0);
        return found;
    }
};

TEST(HardBoard, IsDecidedWithTwoCheckedSolutions) {
    const Grid picture = test::picture_of(HARD_BOARD);
    const Clues clues = clues_of_picture(picture, {15, 15});
    const SolveReport report = solve_board(clues);
    ASSERT_NE(report.verdict, Verdict::undecided);
    // Two different pictures that both give these clues prove there are several.
    ASSERT_EQ(report.verdict, Verdict::several);
    ASSERT_EQ(report.solution_count, 2);
    EXPECT_NE(report.solutions[0], report.solutions[1]);
    for (const Grid& solution : report.solutions)
        EXPECT_TRUE(same_clues(clues_of_picture(solution, {15, 15}), clues));
    EXPECT_LT(report.guesses, DEFAULT_GUESS_LIMIT / 10);
}

// On cuts of the board the solver's verdict agrees with the brute-force count.
TEST(HardBoard, CutsAgreeWithABruteForceCount) {
    int unique = 0;
    int several = 0;
    for (int top = 0; top <= 8; top += 2) {
        for (int left = 0; left <= 8; left += 4) {
            std::vector<std::string> rows;
            for (int r = 0; r < 7; ++r) rows.push_back(HARD_BOARD[top + r].substr(left, 7));
            const Grid cut = test::picture_of(rows);
            const Clues clues = clues_of_picture(cut, {7, 7});
            SimpleCounter counter{clues, {}, {}};
            const int count = counter.count();
            const SolveReport report = solve_board(clues);
            ASSERT_GE(count, 1);
            ASSERT_EQ(report.verdict, count == 1 ? Verdict::unique : Verdict::several)
                << "cut at " << top << ", " << left;
            if (count == 1) {
                EXPECT_EQ(report.solutions[0], cut);
            }
            (count == 1 ? unique : several) += 1;
        }
    }
    // The cuts cover both verdicts.
    EXPECT_GT(unique, 0);
    EXPECT_GT(several, 0);
}

} // namespace
} // namespace zk
