// The generator: one exact puzzle for a fixed request, and its promises over a few seeds.

#include "generator/picture.hpp"
#include "generator/puzzle_generator.hpp"
#include "solver/clues.hpp"
#include "solver/colour_set.hpp"
#include "solver/drawing_verdict.hpp"

#include <gtest/gtest.h>

#include <bit>

namespace zk {
namespace {

// The same bytes on every platform and build: the Windows build checks them too.
TEST(PuzzleGeneratorTest, AFixedRequestGivesOneExactLevelFile) {
    const PuzzleRequest request{7, 8, Grade::medium, 3, 48213};
    const std::optional<GeneratedPuzzle> made = generate_puzzle(request);
    ASSERT_TRUE(made);
    EXPECT_EQ(puzzle_level_text(*made, request), "pppGGpGG\r\nppEpGppB\r\nppEBBppp\r\n"
                                                 "EEEBBBpp\r\nEEEBpBBp\r\nEEEBpppp\r\n"
                                                 "pEEEEppp\r\nn#48213");
}

TEST(PuzzleGeneratorTest, PuzzlesAreFairOfTheGradeAskedInTheColoursAskedAndShaped) {
    for (const Grade grade : {Grade::easy, Grade::medium, Grade::hard}) {
        for (std::uint32_t seed = 0; seed < 4; ++seed) {
            PuzzleRequest request = default_request(grade);
            request.seed = seed;
            const auto [h, w] = std::pair(request.height, request.width);
            SCOPED_TRACE(std::string(grade_name(grade)) + " seed " + std::to_string(seed));
            const std::optional<GeneratedPuzzle> made = generate_puzzle(request);
            ASSERT_TRUE(made);
            const SolveReport report = solve_board(clues_of_picture(made->picture, {h, w}));
            EXPECT_EQ(judge_drawing(made->picture, h, w, report), DrawingVerdict::unique);
            EXPECT_EQ(grade_of(report), grade);
            std::uint8_t used = 0;
            for (int r = 0; r < h; ++r)
                for (int c = 0; c < w; ++c) used |= colour_bit(at(made->picture, r, c));
            used &= static_cast<std::uint8_t>(~WHITE_BIT);
            const ShapeSummary shapes = shape_summary(made->picture, h, w);
            EXPECT_EQ(std::popcount(used), request.colours);
            EXPECT_EQ(shapes.shaped_colours, used); // each colour in a shape
            EXPECT_GE(structure_measure(shapes), MIN_STRUCTURE);
            EXPECT_GE(3 * shapes.coloured, shapes.cells);
        }
    }
}

TEST(PuzzleGeneratorTest, StructureCountsColouredCellsInSameColourGroupsOfThree) {
    Grid picture{};
    const char* rows[] = {"EEpR", "pEpp", "pppY"}; // a bent group of three, two lone cells
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) at(picture, r, c) = static_cast<std::uint8_t>(rows[r][c]);
    EXPECT_DOUBLE_EQ(structure_measure(picture, 3, 4), 3.0 / 5.0);
    at(picture, 0, 2) = 'R'; // an E group touching a R pair is still two groups
    EXPECT_DOUBLE_EQ(structure_measure(picture, 3, 4), 3.0 / 6.0);
}

} // namespace
} // namespace zk
