// Tests of the runs of a grid line.

#include "model/runs.hpp"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace zk {
namespace {

// Inside a test body, Run names the test fixture's method.
using Runs = std::vector<Run>;

Runs runs_of(std::string_view line) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(line.data());
    const RunList list = line_runs({bytes, line.size()});
    return {list.begin(), list.end()};
}

TEST(LineRuns, TouchingRunsOfTwoColoursAreSeparateRunsInScanOrder) {
    EXPECT_EQ(runs_of("RRYY"), (Runs{{'R', 2}, {'Y', 2}}));
    EXPECT_EQ(runs_of("YYRR"), (Runs{{'Y', 2}, {'R', 2}}));
    EXPECT_EQ(runs_of("EBEB"), (Runs{{'E', 1}, {'B', 1}, {'E', 1}, {'B', 1}}));
}

TEST(LineRuns, WhiteZeroAndUnknownBytesEndARunAndFormNone) {
    EXPECT_EQ(runs_of("EpE"), (Runs{{'E', 1}, {'E', 1}}));
    EXPECT_EQ(runs_of("EEp"), (Runs{{'E', 2}}));
    EXPECT_EQ(runs_of(std::string_view("GG\0G", 4)), (Runs{{'G', 2}, {'G', 1}}));
    EXPECT_EQ(runs_of("RxxR"), (Runs{{'R', 1}, {'R', 1}}));
    EXPECT_TRUE(runs_of("pppp").empty());
    EXPECT_TRUE(runs_of("").empty());
    EXPECT_TRUE(runs_of("e y\n").empty()); // lower-case letters are no colours
}

TEST(LineRuns, RunsReachingEitherEndOfTheLineAreClosed) {
    EXPECT_EQ(runs_of("BBBBBBBBBB"), (Runs{{'B', 10}}));
    EXPECT_EQ(runs_of("Rppp"), (Runs{{'R', 1}}));
    EXPECT_EQ(runs_of("pppY"), (Runs{{'Y', 1}}));
}

TEST(LineRuns, AFullLineOfTouchingRunsFitsAndLongerLinesAreCut) {
    std::string line;
    for (int i = 0; i < 20; ++i) line.push_back(i % 2 == 0 ? 'R' : 'Y');
    const Runs runs = runs_of(line);
    ASSERT_EQ(runs.size(), 17u);
    EXPECT_EQ(runs.back(), (zk::Run{'R', 1}));
    EXPECT_EQ(runs_of(std::string(30, 'G')), (Runs{{'G', 17}}));
}

} // namespace
} // namespace zk
