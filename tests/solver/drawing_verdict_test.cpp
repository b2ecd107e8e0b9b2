// Tests of the verdict on a drawing and the rectangle it judges.

#include "solver/drawing_verdict.hpp"

#include "picture.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace zk {
namespace {

using test::picture_of;

TEST(DrawingVerdict, EveryVerdictInTheOrderOfTheJudgement) {
    const std::vector<std::pair<std::vector<std::string>, DrawingVerdict>> drawings = {
        {{"pppp", "pppp"}, DrawingVerdict::empty},
        {{"YYYYYYYYYYY", "EpppppppppE"}, DrawingVerdict::run_too_long},
        {{"Rp", "RE", "Rp", "Rp", "Rp", "Rp", "Rp", "Rp", "Rp", "Rp"},
         DrawingVerdict::run_too_long},
        {{"Ep", "Yp", "Ep", "Yp", "Ep", "Yp", "Ep", "Yp", "Ep"},
         DrawingVerdict::too_many_column_runs},
        // The limits themselves are allowed, and only columns have a limit on runs.
        {{"RRRRRRRRRp", "pppppppppp"}, DrawingVerdict::unique},
        {{"Ep", "Yp", "Ep", "Yp", "Ep", "Yp", "Ep", "Yp"}, DrawingVerdict::unique},
        {{"EYEYEYEYE", "ppppppppp"}, DrawingVerdict::unique},
        // The first that applies: a long run before several solutions or too many column
        // runs, too many column runs before several solutions.
        {{"EEEEEEEEEEp", "ppppppppppp", "Epppppppppp", "pEppppppppp"},
         DrawingVerdict::run_too_long},
        {{"EEEEEEEEEE", "Yppppppppp", "Eppppppppp", "Yppppppppp", "Eppppppppp", "Yppppppppp",
          "Eppppppppp", "Yppppppppp", "Eppppppppp"},
         DrawingVerdict::run_too_long},
        {{"Epp", "Ypp", "Epp", "Ypp", "Epp", "Ypp", "Epp", "Ypp", "Epp", "ppp", "pEp", "ppE"},
         DrawingVerdict::too_many_column_runs},
        {{"Ep", "pE"}, DrawingVerdict::several},
        {{"RRppp", "pRRpp", "ppRRp", "pppRR", "RpppR"}, DrawingVerdict::several},
        {{"EEpEppppEpppppE", "ppEppEpEpppEppp", "pppEppEppEEpEpp", "pppEpppEEpEppEp",
          "EEEppEpppppEpEp", "EpEpppEEppppppE", "pppEpEEEpEEEEpE", "EEppEEpppEppEEp",
          "pEpEpEEppEEpppp", "ppEEEppppEEEpEE", "EpppppEEEEpppEp", "pEpppEppEEEpppE",
          "EppEEEpEpEppppp", "EpppEpEppEppEEp", "EEppEppEppppEEp"},
         DrawingVerdict::several},
        {{"ppEE", "ppEE", "EEpp", "Eppp"}, DrawingVerdict::needs_guessing},
        {{"pRRRp", "RRpRR", "RRRRR", "ppGpp", "pEGEp"}, DrawingVerdict::unique},
    };
    for (const auto& [rows, expected] : drawings) {
        const DrawingVerdict verdict = judge_drawing(
            picture_of(rows), static_cast<int>(rows.size()), static_cast<int>(rows.front().size()));
        EXPECT_EQ(verdict, expected) << ::testing::PrintToString(rows);
    }
}

TEST(DrawingVerdict, OnlyTheGivenRectangleCounts) {
    // A long run outside the rectangle, and bytes that are no colour, do not count.
    Grid g = picture_of({"Epp", "pEp", "ppE"});
    for (int c = 0; c < 12; ++c) at(g, 5, c) = 'E';
    EXPECT_EQ(judge_drawing(g, 3, 3), DrawingVerdict::several);
    EXPECT_EQ(judge_drawing(g, 0, 0), DrawingVerdict::empty);
    EXPECT_EQ(judge_drawing(picture_of({"p?", "\x01p"}), 2, 2), DrawingVerdict::empty);
}

TEST(DrawingVerdict, UnprovenUniquenessIsNotUnique) {
    const std::vector<std::string> rows = {"Eppp", "pEpp", "ppEp", "pppE"};
    const Grid picture = picture_of(rows);
    const SolveReport gave_up = solve_board(clues_of_picture(picture, {4, 4}), 0);
    ASSERT_EQ(gave_up.verdict, Verdict::undecided);
    EXPECT_EQ(judge_drawing(picture, 4, 4, gave_up), DrawingVerdict::several);
}

} // namespace
} // namespace zk
