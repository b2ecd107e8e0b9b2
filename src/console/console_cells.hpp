#pragma once

// Console: what a back end that writes cells (not bytes) needs, the characters of the glyph
// bytes and the changed spans of each row.

#include "console/screen.hpp"

#include <array>
#include <vector>

namespace zk {

/// The cells a console shows, row after row, as the screen model holds them.
using ShownCells = std::array<Cell, SCREEN_COLUMNS * SCREEN_ROWS>;

/// The UTF-16 character a console shows for glyph byte `glyph`, whatever the console's code
/// page: code page 852's character, and a blank for the control bytes below 32 and 127 (as
/// the ANSI presenter shows them).
char16_t console_char(std::uint8_t glyph);

/// Cells [first, end) of one row.
struct CellSpan {
    int row;
    int first;
    int end;
    friend bool operator==(const CellSpan&, const CellSpan&) = default;
};

/// For each row of `screen` that differs from `shown`, the span from its first to its last
/// differing cell, top row first; nothing when both are the same.
std::vector<CellSpan> changed_spans(const ShownCells& shown, const Screen& screen);

} // namespace zk
