#include "solver/drawing_verdict.hpp"

#include "picture.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zk {
namespace {

using test::picture_of;

DrawingVerdict judge(const std::vector<std::string>& rows) {
    return judge_drawing(picture_of(rows), static_cast<int>(rows.size()),
                         static_cast<int>(rows.front().size()));
}

TEST(DrawingVerdict, EachVerdictOnItsOwn) {
    EXPECT_EQ(judge({"ppp", "ppp"}), DrawingVerdict::empty);
    EXPECT_EQ(judge({"EEEEEEEEEE", "pppppppppp"}), DrawingVerdict::run_too_long);
    EXPECT_EQ(judge({"ppp", "ppp", "ppp", "ppp", "ppp", "ppp", "ppp", "ppp", "ppp", "ppp", "ppB"}),
              DrawingVerdict::unique);
    EXPECT_EQ(judge({"Ep", "pE"}), DrawingVerdict::several);
    EXPECT_EQ(judge({"ppEE", "ppEE", "EEpp", "Eppp"}), DrawingVerdict::needs_guessing);
    EXPECT_EQ(judge({"pRRRp", "RRpRR", "RRRRR", "ppGpp", "pEGEp"}), DrawingVerdict::unique);
}

TEST(DrawingVerdict, LimitsAreExclusiveAndColumnsCountTheirRuns) {
    // Nine in a row and eight runs in a column are allowed; one more of either is not.
    EXPECT_NE(judge({"RRRRRRRRRp", "pppppppppp"}), DrawingVerdict::run_too_long);
    EXPECT_EQ(judge({"Rp", "RE", "Rp", "Rp", "Rp", "Rp", "Rp", "Rp", "Rp", "Rp"}),
              DrawingVerdict::run_too_long);
    const std::vector<std::string> eight = {"Ep", "Yp", "Ep", "Yp", "Ep", "Yp", "Ep", "Yp"};
    EXPECT_NE(judge(eight), DrawingVerdict::too_many_column_runs);
    std::vector<std::string> nine = eight;
    nine.push_back("Ep");
    EXPECT_EQ(judge(nine), DrawingVerdict::too_many_column_runs);
    // Nine runs in a row are fine: only columns are limited.
    EXPECT_NE(judge({"EYEYEYEYE", "ppppppppp"}), DrawingVerdict::too_many_column_runs);
}

TEST(DrawingVerdict, FirstThatAppliesWins) {
    // A long run in an ambiguous picture is reported as the long run.
    EXPECT_EQ(judge({"EEEEEEEEEEp", "ppppppppppp", "Epppppppppp", "pEppppppppp"}),
              DrawingVerdict::run_too_long);
    // A long run beats too many column runs.
    EXPECT_EQ(judge({"EEEEEEEEEE", "Yppppppppp", "Eppppppppp", "Yppppppppp", "Eppppppppp",
                     "Yppppppppp", "Eppppppppp", "Yppppppppp", "Eppppppppp"}),
              DrawingVerdict::run_too_long);
    // Too many column runs beats several solutions.
    EXPECT_EQ(
        judge({"Epp", "Ypp", "Epp", "Ypp", "Epp", "Ypp", "Epp", "Ypp", "Epp", "ppp", "pEp", "ppE"}),
        DrawingVerdict::too_many_column_runs);
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
