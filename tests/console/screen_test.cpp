// Tests of the screen model: positioned text, wrapping, scrolling, clearing.

#include "console/screen.hpp"

#include "screen_block.hpp"
#include "screen_text.hpp"

#include <gtest/gtest.h>

namespace zk {
namespace {

using test::attr_at;
using test::shows;
using test::text_at;

TEST(Screen, PositionedTextKeepsItsAttributeAndNeverWraps) {
    Screen s;
    put_text_at(s, 3, 76, 12, "abcdef");
    EXPECT_EQ(text_at(s, 3, 76, 4), "abcd");
    EXPECT_EQ(attr_at(s, 3, 79), 12);
    EXPECT_EQ(text_at(s, 4, 0, 2), "  "); // nothing ran on to the next row
    put_text_at(s, 5, 0, 7, "");
    EXPECT_EQ(s.x, 82); // an empty text moves nothing
    put_glyph_at(s, 2, 2, 0x1E, 'q');
    EXPECT_EQ(attr_at(s, 2, 2), 0x1E);
}

TEST(Screen, PlainOutputWrapsAfterColumn79AndScrollsOnlyBelowTheBottom) {
    Screen s;
    move_output_to(s, 24, 78);
    put_text(s, 14, "xy");
    EXPECT_EQ(text_at(s, 24, 78, 2), "xy"); // no scroll yet
    put_byte(s, 12, 'z');
    // The screen moved up one row; the new bottom row is blank in the attribute of the output.
    const test::AttrKey key{{'Y', 14}, {'R', 12}};
    EXPECT_TRUE(shows(s, 23, 78, {{"xy", "  "}, {"YY", "RR"}}, key));
    EXPECT_TRUE(shows(s, 24, 0, {{"z "}, {"RR"}}, key));
    EXPECT_EQ(s.y, 24);
}

TEST(Screen, LineEndGoesToColumnZeroOfNextRowAndScrollsOnBottomRow) {
    Screen s;
    put_text_at(s, 19, 0, 7, "Podaj:\n");
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.y, 20);
    put_text_at(s, 24, 0, 7, "last");
    put_byte(s, 7, '\n');
    EXPECT_EQ(text_at(s, 23, 0, 4), "last");
    EXPECT_EQ(s.y, 24);
}

TEST(Screen, WritesOutsideTheScreenAreDropped) {
    Screen s;
    const Screen before = s;
    put_glyph_at(s, 0, -1, 7, 'a');
    put_glyph_at(s, -5, 0, 7, 'a');
    put_glyph_at(s, 3, 200, 7, 'a');
    put_text_at(s, 30, 0, 7, "abc");
    EXPECT_EQ(s.cells, before.cells);
}

TEST(Screen, ClearFillsWithItsOwnAttributeAndHomes) {
    Screen s;
    put_text_at(s, 5, 5, 7, "x");
    clear_screen(s, 10);
    EXPECT_EQ(text_at(s, 5, 5, 1), " ");
    EXPECT_EQ(attr_at(s, 24, 79), 10);
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.y, 0);
}

TEST(Screen, TableTextsAreDrawnInTableOrderEachAtItsOwnPlace) {
    constexpr ScreenText texts[] = {
        {9, 1, 15, "w pionie 0"},
        {9, 10, 10, "8"},
        {2, 70, 11, "ab"},
    };
    Screen s;
    move_output_to(s, 20, 40); // where earlier output stopped does not matter
    draw_texts(s, texts);
    const test::AttrKey key{{'W', 15}, {'G', 10}, {'C', 11}};
    EXPECT_TRUE(shows(s, 9, 1, {{"w pionie 8"}, {"WWWWWWWWWG"}}, key));
    EXPECT_TRUE(shows(s, 2, 70, {{"ab"}, {"CC"}}, key));
}

} // namespace
} // namespace zk
