#pragma once

// Test support: the text and attributes of screen cells and rows.

#include "console/screen.hpp"

#include <string>

namespace zk::test {

/// The glyphs of `length` cells of `row` from `col`, as a string.
inline std::string text_at(const Screen& s, int row, int col, int length) {
    std::string text;
    for (int i = 0; i < length; ++i) text.push_back(static_cast<char>(s.cell(row, col + i).glyph));
    return text;
}

/// The whole of `row`, trailing blanks removed.
inline std::string row_text(const Screen& s, int row) {
    std::string text = text_at(s, row, 0, SCREEN_COLUMNS);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

/// The attribute of the cell at `row`, `col`.
inline int attr_at(const Screen& s, int row, int col) {
    return s.cell(row, col).attr;
}

/// The glyph byte of the cell at `row`, `col`.
inline int glyph_at(const Screen& s, int row, int col) {
    return s.cell(row, col).glyph;
}

} // namespace zk::test
