// Tests of the game screen's frame, board and clues.

#include "play/game_screen.hpp"

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
using test::row_text;
using test::shows;
using test::text_at;
using namespace std::string_view_literals;

struct Clue {
    int col;
    int row;
    char digit;
    int attr;
};

void expect_clues(const Screen& s, std::initializer_list<Clue> clues) {
    for (const Clue& clue : clues) {
        EXPECT_EQ(glyph_at(s, clue.row, clue.col), clue.digit)
            << "at column " << clue.col << ", row " << clue.row;
        EXPECT_EQ(attr_at(s, clue.row, clue.col), clue.attr)
            << "at column " << clue.col << ", row " << clue.row;
    }
}

TEST(GameScreen, WorkedExamplePrintsEveryClueInItsSlotAndColour) {
    PuzzleState p;
    load_board(p, {"RRYY", "EpEp", "GGGG", "BpRp"});
    Screen s;
    draw_board_and_clues(p, s);
    expect_clues(s, {
                        {23, 12, '1', 12}, {22, 12, '1', 9},  // row 3
                        {23, 11, '4', 7},                     // row 2
                        {23, 10, '1', 10}, {22, 10, '1', 10}, // row 1
                        {23, 9, '2', 14},  {22, 9, '2', 12},  // row 0
                        {28, 7, '1', 7},   {28, 6, '1', 14},  // column 3
                        {27, 7, '1', 12},  {27, 6, '1', 7},   {27, 5, '1', 10}, {27, 4, '1', 14},
                        {26, 7, '1', 7},   {26, 6, '1', 12}, // column 1
                        {25, 7, '1', 9},   {25, 6, '1', 7},   {25, 5, '1', 10}, {25, 4, '1', 12},
                    });
    // Nothing beyond the runs: the next slots stay blank.
    EXPECT_EQ(text_at(s, 9, 0, 22), std::string(22, ' '));
    EXPECT_EQ(text_at(s, 11, 0, 23), std::string(23, ' '));
    EXPECT_EQ(text_at(s, 5, 26, 1), " ");
    EXPECT_EQ(text_at(s, 3, 25, 4), "    ");
    EXPECT_EQ(text_at(s, 7, 29, 5), "     ");
}

TEST(GameScreen, BoardIsDrawnWhiteWithGreyEdgeMarksAndCanvasSetWhiteOnBoardCellsOnly) {
    PuzzleState p;
    p.canvas.fill('x'); // an earlier editor layout
    load_board(p, {"RRY", "EpE"});
    Screen s;
    whiten_canvas(p);
    draw_board_and_clues(p, s);
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(text_at(s, 9 + r, 25, 3), "   ");
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(attr_at(s, 9 + r, 25 + c), 240);
            EXPECT_EQ(at(p.canvas, r, c), 'p');
        }
        EXPECT_EQ(glyph_at(s, 9 + r, 24), 254);
        EXPECT_EQ(attr_at(s, 9 + r, 24), 7);
        EXPECT_EQ(attr_at(s, 9 + r, 28), 7); // right of the board: untouched
        EXPECT_EQ(at(p.canvas, r, 3), 'x');
    }
    for (int c = 0; c < 3; ++c) EXPECT_EQ(glyph_at(s, 8, 25 + c), 254);
    EXPECT_EQ(glyph_at(s, 8, 28), ' ');
    EXPECT_EQ(glyph_at(s, 11, 24), ' ');
    EXPECT_EQ(at(p.canvas, 2, 0), 'x');
    EXPECT_EQ(at(p.target, 0, 0), 'R'); // the picture stays
}

TEST(GameScreen, RunsReachingRowZeroAndColumnZeroArePrinted) {
    PuzzleState p;
    load_board(p, {"YYp", "Ypp", "ppB"});
    Screen s;
    draw_board_and_clues(p, s);
    expect_clues(s, {{23, 9, '2', 14}, {23, 10, '1', 14}, {23, 11, '1', 9}});
    expect_clues(s, {{25, 7, '2', 14}, {26, 7, '1', 14}, {27, 7, '1', 9}});
    EXPECT_EQ(glyph_at(s, 9, 22), ' ');
    EXPECT_EQ(glyph_at(s, 6, 25), ' ');
}

TEST(GameScreen, AColumnReadsFromTheBottomRunUpwards) {
    PuzzleState p;
    load_board(p, {"Rp", "Rp", "pp", "Yp"});
    Screen s;
    draw_board_and_clues(p, s);
    expect_clues(s, {{25, 7, '1', 14}, {25, 6, '2', 12}});
    EXPECT_EQ(glyph_at(s, 7, 26), ' '); // the white column has no clue
}

TEST(GameScreen, ARunOfTenCoversTheEdgeMarkAndOverlapsFollowTheDrawingOrder) {
    PuzzleState p;
    // Row 0: ten green, a white, two red. Column 0: ten green; column 1: a red at the bottom.
    load_board(p, {"EEEEEEEEEEpRR", "EEpppppppppRR", "Eppppppppppp", "Epppppppppppp",
                   "Epppppppppppp", "Epppppppppppp", "Epppppppppppp", "Epppppppppppp",
                   "Epppppppppppp", "ERppppppppppp"});
    Screen s;
    draw_board_and_clues(p, s);
    // Row 0: the 2 in slot 0 is printed first, then the 10 of slot 1 runs over it.
    EXPECT_EQ(text_at(s, 9, 21, 4), " 10\xFE");
    EXPECT_EQ(attr_at(s, 9, 23), 10);
    // Column 0's 10 runs over column 1's 1, which was printed before it.
    EXPECT_EQ(text_at(s, 7, 25, 2), "10");
    EXPECT_EQ(attr_at(s, 7, 26), 10);

    PuzzleState wide;
    load_board(wide, {"EEEEEEEEEE", "pppppppppp"});
    Screen t;
    draw_board_and_clues(wide, t);
    EXPECT_EQ(text_at(t, 9, 23, 2), "10"); // the 0 stands where the edge mark was
    EXPECT_EQ(attr_at(t, 9, 24), 10);
    EXPECT_EQ(glyph_at(t, 10, 24), 254);
}

TEST(GameScreen, ColumnRunsBeyondTheEighthSlotAreLeftOut) {
    PuzzleState p;
    std::string column;
    for (int r = 0; r < 15; ++r) column.push_back(r % 2 == 0 ? 'R' : 'Y');
    std::vector<std::string> rows(15);
    for (int r = 0; r < 15; ++r) rows[r] = std::string{column[r], 'p'};
    load_board(p, {rows[0], rows[1], rows[2], rows[3], rows[4], rows[5], rows[6], rows[7], rows[8],
                   rows[9], rows[10], rows[11], rows[12], rows[13], rows[14]});
    Screen s;
    const Screen before = s;
    draw_board_and_clues(p, s);
    // The bottom eight runs fill rows 7 up to 0; bottom run (row 14) is red.
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(glyph_at(s, 7 - k, 25), '1');
        EXPECT_EQ(attr_at(s, 7 - k, 25), k % 2 == 0 ? 12 : 14);
    }
    // Nothing else above the board changed: no wrap, no scroll.
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < SCREEN_COLUMNS; ++col) {
            if (col == 25) continue;
            EXPECT_EQ(s.cell(row, col), before.cell(row, col)) << col << "," << row;
        }
    EXPECT_EQ(glyph_at(s, 23, 23), '1'); // row 14's clue is still there
}

TEST(GameScreen, WhiteLinesAndUnknownBytesGiveNoClues) {
    PuzzleState p;
    load_board(p, {"pp", "pp"});
    Screen s;
    draw_board_and_clues(p, s);
    for (int row = 0; row < 8; ++row) EXPECT_EQ(row_text(s, row), "") << row;
    EXPECT_EQ(text_at(s, 9, 0, 24), std::string(24, ' '));
    EXPECT_EQ(glyph_at(s, 9, 24), 254); // the edge mark is still drawn

    PuzzleState odd;
    load_board(odd, {"RzR", "ppp"});
    Screen t;
    whiten_canvas(odd);
    draw_board_and_clues(odd, t);
    expect_clues(t, {{23, 9, '1', 12}, {22, 9, '1', 12}});
    EXPECT_EQ(attr_at(t, 9, 26), 240); // drawn white
    EXPECT_EQ(at(odd.canvas, 0, 1), 'p');
    EXPECT_EQ(glyph_at(t, 7, 26), ' ');
}

TEST(GameScreen, AnEmptyBoardDrawsNothing) {
    PuzzleState p;
    Screen s;
    put_text_at(s, 5, 0, 7, "frame");
    const Screen before = s;
    draw_board_and_clues(p, s);
    EXPECT_EQ(s.cells, before.cells);
}

TEST(GameScreen, ATopLeftPositionOutsideTheBoardGetsNoCellAndItsLinesNoEdgeMark) {
    PuzzleState p;
    load_board(p, {"\0EE"sv, "EEE"sv});
    Screen s;
    draw_board_and_clues(p, s);
    EXPECT_EQ(attr_at(s, 9, 25), 7);
    EXPECT_EQ(at(p.canvas, 0, 0), 0);
    EXPECT_EQ(glyph_at(s, 9, 24), ' ');
    EXPECT_EQ(glyph_at(s, 8, 25), ' ');
    EXPECT_EQ(glyph_at(s, 10, 24), 254);
    expect_clues(s, {{23, 9, '2', 10}, {23, 10, '3', 10}, {25, 7, '1', 10}, {26, 7, '2', 10}});
}

TEST(GameScreen, FrameTextsStandInTheirPlacesAndColours) {
    Screen s;
    put_text_at(s, 20, 0, 7, "old menu text");
    draw_game_screen(s, "plansze\\e1");
    EXPECT_EQ(row_text(s, 20), "");

    const test::AttrKey key{{'.', 7},  {'R', 12}, {'G', 10}, {'C', 11},
                            {'W', 15}, {'K', 48}, {'Y', 14}, {'B', 9}};
    // The count covers the label's last blank.
    EXPECT_TRUE(shows(s, 1, 0,
                      {{
                           "    ZimvoKrelt ",
                           "               ",
                           "  Mapa: e1     ",
                           "  Sprawdzenia:0",
                       },
                       {
                           "    RRRRRGGGGG ",
                           "               ",
                           "WWWWWWWWCC     ",
                           "  WWWWWWWWWWWWK",
                       }},
                      key));
    // The dialog rows stay blank.
    EXPECT_TRUE(
        shows(s, 1, 45,
              {{
                   "                      ", "                      ", "                      ",
                   "                      ", "                      ", "      Sterowanie:     ",
                   "                      ", "   WSAD / STRZALKI    ", "                      ",
                   "[1] - zielony         ", "[2] - zolty           ", "[3] - niebieski       ",
                   "[4] - czerwony        ", "[5] - szary           ", "[6] - bialy           ",
                   "                      ", "[C] - sprawdz █:) █:( ", "                      ",
                   " [Q] - wroc do menu   ",
               },
               {
                   "",
                   "",
                   "",
                   "",
                   "",
                   "WWWWWWWWWWWWWWWWWW",
                   "",
                   "WWWWWWWWRWWWWWWWWW",
                   "",
                   "GGGGGGGGGGGGG",
                   "YYYYYYYYYYY",
                   "BBBBBBBBBBBBBBB",
                   "RRRRRRRRRRRRRR",
                   "...........",
                   "WWWWWWWWWWW",
                   "",
                   "WWWWWWWWWWWWWWGGGGRRRR",
                   "",
                   "RRRRRRRRRRRRRRRRRRR",
               }},
              key));
}

} // namespace
} // namespace zk
