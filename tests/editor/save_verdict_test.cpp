// Tests of the verdict shown in the editor's save question.

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
        open_board(d.height, d.width);
        draw(d.keys + "z");
        EXPECT_EQ(text_at(screen(), 3, 45, 22), d.verdict);
        for (int col = 45; col < 67; ++col) EXPECT_EQ(attr_at(screen(), 3, col), d.attr);
    }
}

} // namespace
} // namespace zk::test
