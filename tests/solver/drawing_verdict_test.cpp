#include "solver/drawing_verdict.hpp"

#include "picture.hpp"

#include <gtest/gtest.h>

namespace zk {
namespace {

using test::picture_of;

// Which verdict each kind of drawing gets, and that the checker agrees, is tested with the
// checker; here only what the checker cannot show.

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
