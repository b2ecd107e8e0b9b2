#include "console/screen.hpp"

#include "screen_text.hpp"

#include <gtest/gtest.h>

namespace zk {
namespace {

using test::attr_at;
using test::text_at;

TEST(Screen, PositionedTextKeepsItsAttributeAndNeverWraps) {
    Screen s;
    put_text_at(s, 3, 76, 12, "abcdef");
    EXPECT_EQ(text_at(s, 3, 76, 4), "abcd");
    EXPECT_EQ(attr_at(s, 3, 79), 12);
    EXPECT_EQ(text_at(s, 4, 0, 2), "  "); // nothing ran on to the next row
    put_text_at(s, 5, 0, s.attr, "");
    EXPECT_EQ(s.x, 82); // an empty text moves nothing
    put_char_at(s, 2, 2, 0x1E, 'q');
    EXPECT_EQ(attr_at(s, 2, 2), 0x1E);
    EXPECT_EQ(s.attr, 7); // the attribute of plain output is not changed behind its back
}

TEST(Screen, PlainOutputWrapsAfterColumn79AndScrollsOnlyBelowTheBottom) {
    Screen s;
    move_to(s, 78, 24);
    put_text(s, "xy");
    EXPECT_EQ(text_at(s, 24, 78, 2), "xy"); // no scroll yet
    put_byte(s, 'z');
    EXPECT_EQ(text_at(s, 23, 78, 2), "xy"); // the screen moved up one row
    EXPECT_EQ(text_at(s, 24, 0, 1), "z");
    EXPECT_EQ(s.y, 24);
}

TEST(Screen, LineEndGoesToColumnZeroOfNextRowAndScrollsOnBottomRow) {
    Screen s;
    put_text_at(s, 19, 0, s.attr, "Podaj:\n");
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.y, 20);
    put_text_at(s, 24, 0, s.attr, "last");
    put_byte(s, '\n');
    EXPECT_EQ(text_at(s, 23, 0, 4), "last");
    EXPECT_EQ(s.y, 24);
}

TEST(Screen, WritesOutsideTheScreenAreDropped) {
    Screen s;
    const Screen before = s;
    put_char_at(s, -1, 0, s.attr, 'a');
    put_char_at(s, 0, -5, s.attr, 'a');
    put_char_at(s, 200, 3, s.attr, 'a');
    put_text_at(s, 30, 0, s.attr, "abc");
    EXPECT_EQ(s.cells, before.cells);
}

TEST(Screen, ClearFillsWithItsOwnAttributeAndHomes) {
    Screen s;
    put_text_at(s, 5, 5, 7, "x");
    set_colour(s, 12); // what earlier output left in force does not colour the blanks
    clear_screen(s, 10);
    EXPECT_EQ(text_at(s, 5, 5, 1), " ");
    EXPECT_EQ(attr_at(s, 24, 79), 10);
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.y, 0);
}

TEST(Screen, ATableTextThatContinuesStartsWhereTheTextBeforeItStopped) {
    constexpr ScreenText texts[] = {
        {9, 1, 15, "w pionie "},
        {9, 10, 10, "8", true},
        {2, 70, 11, "ab"},
    };
    Screen s;
    move_to(s, 40, 20); // where earlier output stopped does not matter to the first text
    draw_texts(s, texts);
    EXPECT_EQ(text_at(s, 9, 1, 10), "w pionie 8");
    EXPECT_EQ(attr_at(s, 9, 9), 15);
    EXPECT_EQ(attr_at(s, 9, 10), 10);
    EXPECT_EQ(text_at(s, 2, 70, 2), "ab");
    EXPECT_EQ(attr_at(s, 2, 71), 11);
    EXPECT_EQ(s.attr, 7);
}

} // namespace
} // namespace zk
