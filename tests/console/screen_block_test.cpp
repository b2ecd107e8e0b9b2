// Tests of the screen block comparison the screen tests rely on.

#include "screen_block.hpp"

#include <gtest/gtest.h>

#include <string>

namespace zk {
namespace {

using test::shows;

TEST(ScreenBlock, ComparesGlyphsAndKeyedAttributesAndShowsBothBlocksOnAMismatch) {
    Screen s;
    put_text_at(s, 3, 78, 12, "ab");
    put_text_at(s, 4, 78, 10, "c\xDB");
    const test::AttrKey key{{'r', 12}, {'g', 10}};
    EXPECT_TRUE(shows(s, 3, 78, {{"ab", "c█"}, {"rr", "g "}}, key));

    const std::string glyph_miss = shows(s, 3, 78, {{"ab", "cd"}}).message();
    EXPECT_NE(glyph_miss.find("\"cd\"\non screen:\n  \"ab\"\n  \"c\u2588\""), std::string::npos)
        << glyph_miss;
    EXPECT_NE(glyph_miss.find("row 4, column 79: expected 'd', found '\u2588' in 10"),
              std::string::npos)
        << glyph_miss;

    const std::string attr_miss = shows(s, 3, 78, {{"ab"}, {"rg"}}, key).message();
    EXPECT_NE(attr_miss.find("\"ab\"  rr\n"), std::string::npos) << attr_miss;
    EXPECT_NE(attr_miss.find("expected 'b' in 10, found 'b' in 12"), std::string::npos)
        << attr_miss;

    EXPECT_FALSE(shows(s, 4, 79, {{"█x"}})); // a cell past the screen's edge never matches
}

} // namespace
} // namespace zk
