// Tests of the checker's advice problems and where they are reported.

#include "checker/advice_check.hpp"

#include "picture.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zk {
namespace {

using test::picture_of;

std::vector<FileProblem> advice_of(const std::vector<std::string>& rows) {
    return check_advice(picture_of(rows),
                        {static_cast<int>(rows.size()), static_cast<int>(rows[0].size())});
}

TEST(AdviceCheck, RunOfTenInARowAtItsFirstCell) {
    const std::vector<FileProblem> problems = advice_of({"EpYYYYYYYYYYp", "ppppppppppppp"});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].row, 1);
    EXPECT_EQ(problems[0].col, 3);
    EXPECT_NE(problems[0].message.find("run of 10 Y cells in row 1"), std::string::npos)
        << problems[0].message;
}

TEST(AdviceCheck, RunOfTenInAColumnBehindAnotherRunOfItsColour) {
    std::vector<std::string> rows = {"R", "p"};
    for (int i = 0; i < 10; ++i) rows.push_back("R");
    rows.push_back("E");
    for (std::string& row : rows) row += 'p';
    const std::vector<FileProblem> problems = advice_of(rows);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].row, 3);
    EXPECT_EQ(problems[0].col, 1);
    EXPECT_NE(problems[0].message.find("in column 1"), std::string::npos) << problems[0].message;
}

TEST(AdviceCheck, NineCellsAndEightColumnRunsAreWithinTheAdvice) {
    EXPECT_TRUE(advice_of({"pGGGGGGGGG", "pppppppppp"}).empty());
    EXPECT_TRUE(advice_of({"E", "Y", "E", "Y", "E", "Y", "E", "Y"}).empty());
}

TEST(AdviceCheck, ColumnWithNineRuns) {
    const std::vector<FileProblem> problems =
        advice_of({"pE", "pY", "pE", "pY", "pE", "pY", "pE", "pY", "pE"});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].row, 1);
    EXPECT_EQ(problems[0].col, 2);
    EXPECT_NE(problems[0].message.find("column 2 has 9 runs"), std::string::npos)
        << problems[0].message;
}

} // namespace
} // namespace zk
