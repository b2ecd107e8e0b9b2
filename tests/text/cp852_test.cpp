// Tests of the code page 852 table, UTF-8 encoding and the ASCII stand-ins.

#include "text/cp852.hpp"
#include "text/utf8.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace zk {
namespace {

TEST(Cp852, HighBytesShowTheirCodePageCharacters) {
    // Samples across the whole range, from the code page table.
    const std::pair<int, char32_t> samples[] = {
        {128, 0x00C7}, {136, 0x0142}, {157, 0x0141}, {165, 0x0105}, {176, 0x2591}, {179, 0x2502},
        {186, 0x2551}, {187, 0x2557}, {188, 0x255D}, {200, 0x255A}, {201, 0x2554}, {205, 0x2550},
        {219, 0x2588}, {228, 0x0144}, {240, 0x00AD}, {248, 0x00B0}, {254, 0x25A0}, {255, 0x00A0},
    };
    for (const auto& [byte, code_point] : samples)
        EXPECT_EQ(cp852_code_point(static_cast<std::uint8_t>(byte)), code_point) << byte;
    EXPECT_EQ(cp852_code_point('A'), U'A');
}

TEST(Cp852, EveryHighByteIsAPrintableCharacterAboveAscii) {
    for (int byte = 128; byte < 256; ++byte) {
        const char32_t cp = cp852_code_point(static_cast<std::uint8_t>(byte));
        EXPECT_GE(cp, 0xA0u) << byte; // no ASCII and no C1 control reaches the terminal
        EXPECT_LT(cp, 0x2600u) << byte;
    }
}

TEST(Cp852, Utf8EncodingOfOneTwoAndThreeBytes) {
    std::string out;
    append_utf8(out, U'a');
    append_utf8(out, 0x00B0);  // degree sign
    append_utf8(out, 0x0142);  // l with stroke
    append_utf8(out, 0x25A0);  // black square
    append_utf8(out, 0x1F600); // beyond the basic plane
    EXPECT_EQ(out, "a\xC2\xB0\xC5\x82\xE2\x96\xA0\xF0\x9F\x98\x80");
}

TEST(Cp852, AsciiStandInsForTheGlyphBytes) {
    std::string shown;
    for (int byte : {248, 254, 219, 201, 187, 200, 188, 205, 186})
        shown.push_back(ascii_stand_in(static_cast<std::uint8_t>(byte)));
    EXPECT_EQ(shown, "o##++++=|");
    EXPECT_EQ(ascii_stand_in(136), '?');
    EXPECT_EQ(ascii_stand_in(255), '?');
    EXPECT_EQ(ascii_stand_in('x'), 'x');
}

} // namespace
} // namespace zk
