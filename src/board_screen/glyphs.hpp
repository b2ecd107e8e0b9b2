#pragma once

// Shared screen parts: the code page 852 glyph bytes the screens draw with (cursor mark, edge
// mark, block and the double-line box).

#include <cstdint>

namespace zk {

// Code page 852 glyph bytes the screens draw.
inline constexpr std::uint8_t GLYPH_CURSOR = 248; // degree sign
inline constexpr std::uint8_t GLYPH_EDGE = 254;   // small filled square
inline constexpr std::uint8_t GLYPH_BLOCK = 219;  // full block
inline constexpr std::uint8_t GLYPH_BOX_TL = 201; // double-line corners and edges
inline constexpr std::uint8_t GLYPH_BOX_TR = 187;
inline constexpr std::uint8_t GLYPH_BOX_BL = 200;
inline constexpr std::uint8_t GLYPH_BOX_BR = 188;
inline constexpr std::uint8_t GLYPH_BOX_HORIZONTAL = 205;
inline constexpr std::uint8_t GLYPH_BOX_VERTICAL = 186;

} // namespace zk
