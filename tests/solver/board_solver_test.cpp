// Tests of the board solver's verdicts, against counts of every small picture.

#include "solver/board_solver.hpp"
#include "solver/clues.hpp"

#include "picture.hpp"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace zk {
namespace {

using test::picture_of;

BoardSize size_of(const std::vector<std::string>& rows) {
    return {static_cast<int>(rows.size()), static_cast<int>(rows.front().size())};
}

std::string clue_key(const Clues& clues) {
    std::string key;
    auto add = [&](const RunList& runs) {
        for (const Run& run : runs)
            key += std::to_string(run.length) + static_cast<char>(run.letter);
        key += '/';
    };
    for (int r = 0; r < clues.height; ++r) add(clues.rows[r]);
    for (int c = 0; c < clues.width; ++c) add(clues.columns[c]);
    return key;
}

bool same_clues(const Clues& a, const Clues& b) {
    return clue_key(a) == clue_key(b);
}

TEST(BoardSize, MeasuresTheBoardFromTheTopLeftCorner) {
    const Grid g = picture_of({"pRRp", "EEEE", "pppp"});
    EXPECT_EQ(board_size(g).height, 3);
    EXPECT_EQ(board_size(g).width, 4);
    EXPECT_EQ(board_size(Grid{}).height, 0);
}

TEST(Clues, RowsLeftToRightAndColumnsTopToBottom) {
    const Clues clues = clues_of_picture(picture_of({"RRYY", "EpEp", "GGGG", "BpRp"}), {4, 4});
    ASSERT_EQ(clues.rows[0].count, 2);
    EXPECT_EQ(clues.rows[0][0], (zk::Run{'R', 2}));
    EXPECT_EQ(clues.rows[0][1], (zk::Run{'Y', 2}));
    ASSERT_EQ(clues.columns[0].count, 4);
    EXPECT_EQ(clues.columns[0][0], (zk::Run{'R', 1}));
    EXPECT_EQ(clues.columns[0][3], (zk::Run{'B', 1}));
    EXPECT_EQ(clues.columns[3].count, 2);
}

TEST(BoardSolver, UniqueBoardSolvedByLineReasoning) {
    const std::vector<std::string> rows = {"pRRRRp", "RRpRRR", "RRRRpR",
                                           "ppGGpp", "ppGGpp", "pEEEEp"};
    const Grid picture = picture_of(rows);
    const SolveReport report = solve_board(clues_of_picture(picture, size_of(rows)));
    EXPECT_EQ(report.verdict, Verdict::unique);
    EXPECT_TRUE(report.line_solvable);
    ASSERT_EQ(report.solution_count, 1);
    EXPECT_EQ(report.solutions[0], picture);
    EXPECT_EQ(report.probes, 0);
    EXPECT_EQ(report.guesses, 0);
    EXPECT_GT(report.line_passes, 0);
    EXPECT_EQ(report.difficulty, report.line_steps);
}

TEST(BoardSolver, DiagonalTwoByTwoHasTwoSolutions) {
    const std::vector<std::string> rows = {"Ep", "pE"};
    const Clues clues = clues_of_picture(picture_of(rows), size_of(rows));
    const SolveReport report = solve_board(clues);
    EXPECT_EQ(report.verdict, Verdict::several);
    EXPECT_FALSE(report.line_solvable);
    ASSERT_EQ(report.solution_count, 2);
    EXPECT_NE(report.solutions[0], report.solutions[1]);
    for (const Grid& solution : report.solutions)
        EXPECT_TRUE(same_clues(clues_of_picture(solution, size_of(rows)), clues));
    EXPECT_GT(report.probes + report.guesses, 0);
}

TEST(BoardSolver, GuessLimitGivesUndecided) {
    // Every permutation of four green cells fits; trying one cell leaves a 3 x 3 still open,
    // so no solution appears before the search guesses.
    const std::vector<std::string> rows = {"Eppp", "pEpp", "ppEp", "pppE"};
    const Clues clues = clues_of_picture(picture_of(rows), size_of(rows));
    EXPECT_EQ(solve_board(clues, 0).verdict, Verdict::undecided);
    const SolveReport one_guess = solve_board(clues, 1);
    EXPECT_EQ(one_guess.verdict, Verdict::undecided);
    EXPECT_EQ(one_guess.guesses, 1);
    EXPECT_EQ(solve_board(clues).verdict, Verdict::several);
}

TEST(BoardSolver, ContradictoryCluesHaveNoSolution) {
    // Row 0 says two greens; both columns say they are empty.
    Clues clues;
    clues.height = 2;
    clues.width = 2;
    clues.rows[0].items[0] = zk::Run{'E', 2};
    clues.rows[0].count = 1;
    const SolveReport report = solve_board(clues);
    EXPECT_EQ(report.verdict, Verdict::none);
    EXPECT_EQ(report.solution_count, 0);

    // Each line alone fits, only the board as a whole does not: rows want one red and one
    // yellow cell each, the columns want two reds and no yellow.
    Clues crossed;
    crossed.height = 2;
    crossed.width = 2;
    for (int r = 0; r < 2; ++r) {
        crossed.rows[r].items[0] = zk::Run{'R', 1};
        crossed.rows[r].items[1] = zk::Run{'Y', 1};
        crossed.rows[r].count = 2;
    }
    crossed.columns[0].items[0] = zk::Run{'R', 2};
    crossed.columns[0].count = 1;
    crossed.columns[1].items[0] = zk::Run{'R', 2};
    crossed.columns[1].count = 1;
    EXPECT_EQ(solve_board(crossed).verdict, Verdict::none);
}

TEST(BoardSolver, BoardThatNeedsProbing) {
    const std::vector<std::string> rows = {"ppEE", "ppEE", "EEpp", "Eppp"};
    const Grid picture = picture_of(rows);
    const SolveReport report = solve_board(clues_of_picture(picture, size_of(rows)));
    EXPECT_EQ(report.verdict, Verdict::unique);
    EXPECT_FALSE(report.line_solvable);
    EXPECT_GT(report.probes, 0);
    EXPECT_EQ(report.guesses, 0);
    ASSERT_EQ(report.solution_count, 1);
    EXPECT_EQ(report.solutions[0], picture);
    EXPECT_GE(report.difficulty, PROBE_WEIGHT * report.probes);
}

TEST(BoardSolver, EmptyAndSingleColourBoards) {
    const std::vector<std::string> white = {"ppp", "ppp"};
    const SolveReport blank = solve_board(clues_of_picture(picture_of(white), size_of(white)));
    EXPECT_EQ(blank.verdict, Verdict::unique);
    EXPECT_TRUE(blank.line_solvable);
    EXPECT_EQ(blank.solutions[0], picture_of(white));
}

// On every picture in green, yellow and white of 3 x 3 cells, and of boards wider than tall
// and taller than wide, the solver's verdict matches a count of all pictures with the same
// clues.
TEST(BoardSolver, VerdictsMatchACountOfAllSmallPictures) {
    const std::string letters = "pEY";
    for (const BoardSize size : {BoardSize{3, 3}, BoardSize{2, 4}, BoardSize{4, 2}}) {
        const int cells = size.height * size.width;
        int picture_count = 1;
        for (int cell = 0; cell < cells; ++cell) picture_count *= 3;
        std::map<std::string, int> pictures_per_clue;
        std::vector<Grid> pictures;
        for (int code = 0; code < picture_count; ++code) {
            Grid g{};
            int rest = code;
            for (int cell = 0; cell < cells; ++cell, rest /= 3)
                at(g, cell / size.width, cell % size.width) = letters[rest % 3];
            pictures.push_back(g);
            ++pictures_per_clue[clue_key(clues_of_picture(g, size))];
        }
        int checked_unique = 0;
        int checked_several = 0;
        for (const Grid& g : pictures) {
            const Clues clues = clues_of_picture(g, size);
            const SolveReport report = solve_board(clues);
            const int count = pictures_per_clue[clue_key(clues)];
            if (count == 1) {
                ASSERT_EQ(report.verdict, Verdict::unique);
                ASSERT_EQ(report.solutions[0], g);
                ++checked_unique;
            } else {
                ASSERT_EQ(report.verdict, Verdict::several);
                ASSERT_NE(report.solutions[0], report.solutions[1]);
                ASSERT_TRUE(same_clues(clues_of_picture(report.solutions[1], size), clues));
                ++checked_several;
            }
        }
        EXPECT_GT(checked_unique, 0) << size.height << " x " << size.width;
        EXPECT_GT(checked_several, 0) << size.height << " x " << size.width;
    }
}

TEST(BoardSolver, LargeRandomPicturesAreAmongTheSolutions) {
    std::mt19937 rng(5);
    const std::string letters = "pEYBRG";
    for (int round = 0; round < 50; ++round) {
        Grid g{};
        for (int r = 0; r < MAX_BOARD; ++r)
            for (int c = 0; c < MAX_BOARD; ++c) at(g, r, c) = letters[rng() % (2 + round % 5)];
        const Clues clues = clues_of_picture(g, {MAX_BOARD, MAX_BOARD});
        const SolveReport report = solve_board(clues);
        ASSERT_NE(report.verdict, Verdict::none);
        ASSERT_NE(report.verdict, Verdict::undecided);
        if (report.verdict == Verdict::unique) {
            ASSERT_EQ(report.solutions[0], g);
        }
        for (int i = 0; i < report.solution_count; ++i)
            ASSERT_TRUE(same_clues(clues_of_picture(report.solutions[i], {15, 15}), clues));
    }
}

TEST(BoardSolver, SameCluesGiveTheSameReport) {
    const std::vector<std::string> rows = {"EEpYY", "pEpYp", "RRRRR", "pBpBp"};
    const Clues clues = clues_of_picture(picture_of(rows), size_of(rows));
    const SolveReport a = solve_board(clues);
    const SolveReport b = solve_board(clues);
    EXPECT_EQ(a.difficulty, b.difficulty);
    EXPECT_EQ(a.line_passes, b.line_passes);
    EXPECT_EQ(a.solutions, b.solutions);
}

} // namespace
} // namespace zk
