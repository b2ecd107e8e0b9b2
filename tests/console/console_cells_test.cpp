// Tests of what a cell console is given: characters of the glyph bytes and changed spans.

#include "console/console_cells.hpp"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(ConsoleCells, GlyphBytesBecomeTheirCodePage852CharactersAndControlBytesBlanks) {
    EXPECT_EQ(console_char('A'), u'A');
    EXPECT_EQ(console_char(248), u'\u00B0'); // the cursor mark
    EXPECT_EQ(console_char(254), u'\u25A0'); // the board edge mark
    EXPECT_EQ(console_char(219), u'\u2588'); // the full block
    EXPECT_EQ(console_char(201), u'\u2554'); // a box corner
    EXPECT_EQ(console_char(165), u'\u0105'); // a Polish letter
    EXPECT_EQ(console_char(0), u' ');
    EXPECT_EQ(console_char(27), u' '); // no escape reaches the console
    EXPECT_EQ(console_char(127), u' ');
}

TEST(ConsoleCells, OnlyTheChangedSpanOfEachChangedRowIsWritten) {
    Screen screen;
    ShownCells shown = screen.cells;
    EXPECT_TRUE(changed_spans(shown, screen).empty());

    screen.cells[5 * SCREEN_COLUMNS + 3].glyph = 'x';
    screen.cells[5 * SCREEN_COLUMNS + 70].attr = 0x1F; // a colour change alone counts too
    screen.cells[24 * SCREEN_COLUMNS + 79].glyph = 'z';
    EXPECT_EQ(changed_spans(shown, screen), (std::vector<CellSpan>{{5, 3, 71}, {24, 79, 80}}));

    shown = screen.cells;
    EXPECT_TRUE(changed_spans(shown, screen).empty());
}

} // namespace
} // namespace zk
