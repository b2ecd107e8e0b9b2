// Tests of the game's check and the win box.

#include "play/check.hpp"

#include "board.hpp"
#include "screen_block.hpp"
#include "screen_text.hpp"

#include <gtest/gtest.h>

#include <string>

namespace zk {
namespace {

using test::attr_at;
using test::glyph_at;
using test::load_board;
using test::shows;
using test::text_at;

constexpr int EDGE = 254;
constexpr int GREEN = 10;
constexpr int RED = 12;

// A loaded board with every board cell white in the canvas, as the game screen leaves it.
PuzzleState game(std::initializer_list<std::string_view> rows, std::string_view answer = "") {
    PuzzleState p;
    load_board(p, rows, answer);
    for (int i = 0; i < GRID_CELLS; ++i)
        if (p.target[i] != 0) p.canvas[i] = 'p';
    return p;
}

int row_mark(const Screen& s, int r) {
    return attr_at(s, 9 + r, 24);
}
int column_mark(const Screen& s, int c) {
    return attr_at(s, 8, 25 + c);
}

TEST(Check, CounterIsPrintedInBlackOnCyanAndRunsOnPastNine) {
    PuzzleState p = game({"Rp", "pp"});
    Screen s;
    check_canvas(p, s, 0);
    EXPECT_EQ(p.check_count, 1);
    EXPECT_EQ(text_at(s, 4, 14, 2), "1 ");
    EXPECT_EQ(attr_at(s, 4, 14), 48);
    for (int i = 0; i < 9; ++i) check_canvas(p, s, 0);
    EXPECT_EQ(p.check_count, 10);
    EXPECT_EQ(text_at(s, 4, 14, 3), "10 ");
    EXPECT_EQ(attr_at(s, 4, 15), 48);
}

TEST(Check, EachRowAndColumnIsMarkedGreenWhenAllItsCellsAgreeAndRedOtherwise) {
    PuzzleState p = game({"Rpp", "pEp", "ppB"});
    at(p.canvas, 0, 0) = 'R'; // row 0 and column 0 right
    at(p.canvas, 1, 1) = 'Y'; // row 1 and column 1 wrong in the middle
    // Row 2 and column 2 wrong in their last cell: B is still white.
    Screen s;
    check_canvas(p, s, 0);
    EXPECT_EQ(p.solved, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(glyph_at(s, 9 + i, 24), EDGE);
        EXPECT_EQ(glyph_at(s, 8, 25 + i), EDGE);
    }
    EXPECT_EQ(row_mark(s, 0), GREEN);
    EXPECT_EQ(row_mark(s, 1), RED);
    EXPECT_EQ(row_mark(s, 2), RED);
    EXPECT_EQ(column_mark(s, 0), GREEN);
    EXPECT_EQ(column_mark(s, 1), RED);
    EXPECT_EQ(column_mark(s, 2), RED);
    EXPECT_EQ(glyph_at(s, 12, 24), ' '); // no marks beyond the board
    EXPECT_EQ(glyph_at(s, 8, 28), ' ');

    at(p.canvas, 1, 1) = 'E';
    at(p.canvas, 2, 2) = 'B';
    check_canvas(p, s, 0);
    EXPECT_EQ(p.solved, 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(row_mark(s, i), GREEN);
        EXPECT_EQ(column_mark(s, i), GREEN);
    }
}

TEST(Check, AWhitePictureIsSolvedByTheFirstCheckAndTheTimeIsTaken) {
    PuzzleState p = game({"pp", "pp"});
    p.start_ticks = 5000;
    Screen s;
    check_canvas(p, s, 47999);
    EXPECT_EQ(p.solved, 1);
    EXPECT_EQ(p.finish_ticks, 47999);
    EXPECT_EQ(p.elapsed_seconds, 42);
}

TEST(Check, ACellPaintedAndMadeWhiteAgainIsWrong) {
    PuzzleState p = game({"pE", "pp"});
    at(p.canvas, 0, 1) = 'E';
    at(p.canvas, 0, 1) = 'p';
    p.solved = 1; // a failing check clears the flag, whatever it held
    Screen s;
    check_canvas(p, s, 0);
    EXPECT_EQ(p.solved, 0);
    EXPECT_EQ(row_mark(s, 0), RED);
    EXPECT_EQ(column_mark(s, 1), RED);
    EXPECT_EQ(row_mark(s, 1), GREEN);
    EXPECT_EQ(column_mark(s, 0), GREEN);
}

TEST(Check, BoardsThatCanNeverBeSolved) {
    // A picture byte outside the colour table never agrees with a painted colour.
    PuzzleState odd = game({"pz", "pp"});
    Screen s;
    for (std::uint8_t letter : {'p', 'E', 'Y', 'B', 'R', 'G'}) {
        at(odd.canvas, 0, 1) = letter;
        check_canvas(odd, s, 0);
        EXPECT_EQ(odd.solved, 0);
        EXPECT_EQ(row_mark(s, 0), RED);
    }
    // An empty board only counts: no marks, and the flag is left alone.
    PuzzleState empty;
    Screen t;
    check_canvas(empty, t, 1000);
    EXPECT_EQ(empty.check_count, 1);
    EXPECT_EQ(empty.solved, 0);
    EXPECT_EQ(empty.finish_ticks, 0);
    EXPECT_EQ(glyph_at(t, 9, 24), ' ');
    EXPECT_EQ(glyph_at(t, 8, 25), ' ');
}

TEST(Check, PositionsOutsideTheBoardAreNeverCompared) {
    PuzzleState p = game({"Ep", "pp"});
    at(p.canvas, 0, 0) = 'E';
    at(p.canvas, 0, 2) = 'R'; // leftovers of an earlier game
    at(p.canvas, 5, 5) = 'Y';
    Screen s;
    check_canvas(p, s, 0);
    EXPECT_EQ(p.solved, 1);
}

// The time line of the win box for a game solved `ms` milliseconds after it started.
std::string time_text(std::int64_t ms) {
    PuzzleState p = game({"pp", "pp"});
    p.start_ticks = 1000;
    Screen s;
    check_canvas(p, s, 1000 + ms);
    show_win_screen(p, s);
    EXPECT_EQ(glyph_at(s, 17, 8), ' ');
    EXPECT_EQ(attr_at(s, 17, 9), 15);
    return text_at(s, 17, 9, 8);
}

TEST(WinScreen, TimeIsShownInWholeMinutesAndSeconds) {
    EXPECT_EQ(time_text(42000), "0m 42s  ");
    EXPECT_EQ(time_text(59900), "0m 59s  ");
    EXPECT_EQ(time_text(125000), "2m 5s   ");
    EXPECT_EQ(time_text(3600000), "60m 0s  ");
}

TEST(WinScreen, BoxCoversTheRowCluesAndTheColumnClueAreaIsBlanked) {
    PuzzleState p = game({"pp", "pp"}, "KOT");
    p.check_count = 3;
    Screen s;
    for (int row = 0; row < SCREEN_ROWS; ++row)
        put_text_at(s, row, 0, 7, std::string(SCREEN_COLUMNS, '#'));
    show_win_screen(p, s);

    // Edge marks and the board are not touched.
    const test::AttrKey key{{'.', 7}, {'C', 11}, {'R', 12}, {'G', 10}, {'W', 15}};
    EXPECT_TRUE(shows(s, 0, 0,
                      {{
                           "########################                #",
                           "########################                #",
                           "########################                #",
                           "########################                #",
                           "########################                #",
                           "########################                #",
                           "  ╔═════════════════╗                   #",
                           "  ║                 ║                   #",
                           "  ║   GRATULACJE!   ║   #################",
                           "  ║                 ║   #################",
                           "  ║ Rozwiazanie to  ║   #################",
                           "  ║ KOT             ║   #################",
                           "  ║                 ║   #################",
                           "  ║ Udalo Ci sie za ║   #################",
                           "  ║     3 razem     ║   #################",
                           "  ║                 ║   #################",
                           "  ║    W czasie:    ║   #################",
                           "  ║      0m 0s      ║   #################",
                           "  ║                 ║   #################",
                           "  ║  Aby wrocic do  ║   #################",
                           "  ║  menu nacisnij  ║   #################",
                           "  ║ dowolny klawisz ║   #################",
                           "  ║                 ║   #################",
                           "  ╚═════════════════╝   #################",
                           "                        #################",
                       },
                       {
                           "........................CCCCCCCCCCCCCCCC.",
                           "........................CCCCCCCCCCCCCCCC.",
                           "........................CCCCCCCCCCCCCCCC.",
                           "........................CCCCCCCCCCCCCCCC.",
                           "........................CCCCCCCCCCCCCCCC.",
                           "........................CCCCCCCCCCCCCCCC.",
                           "CCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC.",
                           "CCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC.",
                           "CCCCCCRRRRRRRRRRRCCCCCCC.................",
                           "CCCCCCCCCCCCCCCCCCCCCCCC.................",
                           "CCCCGGGGGGGGGGGGGGCCCCCC.................",
                           "CCCCCCCCCCCCCCCCCCCCCCCC.................",
                           "CCCCCCCCCCCCCCCCCCCCCCCC.................",
                           "CCCCGGGGGGGGGGGGGGGCCCCC.................",
                           "CCCCCCCCCGGGGGGCCCCCCCCC.................",
                           "CCCCCCCCCCCCCCCCCCCCCCCC.................",
                           "CCCCCCCGGGGGGGGGGCCCCCCC.................",
                           "CCCCCCCCWWWWWWCCCCCCCCCC.................",
                           "CCCCCCCCCCCCCCCCCCCCCCCC.................",
                           "CCCWWWWWWWWWWWWWWWCCCCCC.................",
                           "CCCWWWWWWWWWWWWWWWCCCCCC.................",
                           "CCCCWWWWWWWWWWWWWWWCCCCC.................",
                           "CCCCCCCCCCCCCCCCCCCCCCCC.................",
                           "CCCCCCCCCCCCCCCCCCCCCCCC.................",
                           "CCCCCCCCCCCCCCCCCCCCCCCC.................",
                       }},
                      key));
}

TEST(WinScreen, ShowsTheGameAndLeavesItAsItWas) {
    PuzzleState p = game({"Ep", "pp"}, "ZEBRA");
    at(p.canvas, 0, 0) = 'E';
    p.check_count = 5;
    const PuzzleState before = p;
    Screen s;
    show_win_screen(p, s);
    EXPECT_EQ(text_at(s, 14, 8, 7), "5 razem");
    EXPECT_EQ(text_at(s, 11, 4, 5), "ZEBRA");
    EXPECT_EQ(p.target, before.target);
    EXPECT_EQ(p.answer, before.answer);
    EXPECT_EQ(p.check_count, 5);
    EXPECT_EQ(p.canvas, before.canvas);
}

TEST(WinScreen, LongAnswersArePrintedWholeAndWithoutAnEndMarkNeverOverrun) {
    PuzzleState p = game({"pp", "pp"}, "ABCDEFGHIJKLMNOPQRSTUV");
    Screen s;
    show_win_screen(p, s);
    EXPECT_EQ(text_at(s, 11, 4, 22), "ABCDEFGHIJKLMNOPQRSTUV");
    EXPECT_EQ(glyph_at(s, 11, 20), 'Q'); // over the box's right edge
    EXPECT_EQ(glyph_at(s, 11, 24), 'U'); // over the edge mark

    PuzzleState full = game({"pp", "pp"});
    full.answer.fill('W'); // no terminating zero at all
    Screen t;
    show_win_screen(full, t);
    EXPECT_EQ(text_at(t, 11, 4, 33), std::string(32, 'W') + " ");
}

} // namespace
} // namespace zk
