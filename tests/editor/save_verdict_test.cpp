#include "editor_fixture.hpp"

#include <string>

namespace zk::test {
namespace {

using SaveVerdictTest = EditorTest;

struct Drawing {
    int height;
    int width;
    std::string keys; // painted from the top-left cell
    std::string verdict;
    int attr;
};

TEST_F(SaveVerdictTest, EachKindOfDrawingShowsItsVerdictBetweenTheQuestionAndItsKeys) {
    const Drawing drawings[] = {
        {2, 2, "", "    Pusta plansza!    ", 12},
        {2, 10, "1d1d1d1d1d1d1d1d1d1", " Ciag dluzszy niz 9!  ", 12},
        {9, 2, "1s2s1s2s1s2s1s2s1", "Ponad 8 grup w pionie!", 12},
        {2, 2, "1sd1", "   Wiele rozwiazan!   ", 12}, // either diagonal fits
        {4, 4, "dd1d1s1a1sa1a1s1", "  Wymaga zgadywania   ", 14},
        {2, 3, "1d1s4d4", "   Jedno rozwiazanie  ", 10},
    };
    for (const Drawing& d : drawings) {
        SCOPED_TRACE(d.verdict);
        ctx.puzzle = PuzzleState{};
        open_board(d.height, d.width);
        draw(d.keys + "z");
        EXPECT_EQ(text_at(screen(), 2, 45, 22), "Skonczyles juz prace ?");
        EXPECT_EQ(text_at(screen(), 3, 45, 22), d.verdict);
        EXPECT_EQ(text_at(screen(), 4, 45, 22), "        [T/N]         ");
        for (int col = 45; col < 67; ++col) EXPECT_EQ(attr_at(screen(), 3, col), d.attr);
    }
}

TEST_F(SaveVerdictTest, NoErasesTheVerdictAndTheNextQuestionJudgesTheDrawingAnew) {
    open_board(2, 2);
    draw("1sd1");
    const Screen before = screen();
    draw_more("zn");
    std::string difference;
    EXPECT_TRUE(looks_the_same(screen(), before, &difference)) << difference;
    for (int row = 2; row <= 4; ++row) EXPECT_EQ(attr_at(screen(), row, 45), 7) << "row " << row;

    draw_more("a1z"); // a full bottom row leaves one picture
    EXPECT_EQ(text_at(screen(), 3, 45, 22), "   Jedno rozwiazanie  ");
    EXPECT_EQ(canvas_row(0, 3), "Ep\n");
    EXPECT_EQ(canvas_row(1, 3), "EE\n");
}

} // namespace
} // namespace zk::test
