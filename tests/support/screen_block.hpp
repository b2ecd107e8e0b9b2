#pragma once

// Test support: a region of the screen compared with a literal block of text and attributes.

#include "console/screen.hpp"
#include "text/cp852.hpp"
#include "text/utf8.hpp"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zk::test {

/// What the characters of an attribute block stand for: one character for each attribute.
using AttrKey = std::map<char, int>;

/// A block of screen rows: `text` holds the characters as the screen shows them (UTF-8, each
/// one a glyph of code page 852), one string per row; `attrs`, when given, has one character
/// per cell and names the cell's attribute by a character of the key (a blank there leaves
/// that cell's attribute unchecked).
struct Block {
    std::vector<std::string> text;
    std::vector<std::string> attrs = {};
};

namespace block_detail {

// The glyphs as the screen shows them (code page 852 in UTF-8), so that rows stay aligned.
inline std::string shown(const std::string& glyphs) {
    std::string out;
    for (char ch : glyphs) append_utf8(out, cp852_code_point(static_cast<std::uint8_t>(ch)));
    return out;
}

// The glyph bytes of `shown`; a character code page 852 lacks is a mistake in the test.
inline std::string glyphs(std::string_view shown) {
    std::string out;
    for (std::size_t i = 0; i < shown.size();) {
        const auto lead = static_cast<unsigned char>(shown[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code_point = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length && i + k < shown.size(); ++k)
            code_point = (code_point << 6) | (static_cast<unsigned char>(shown[i + k]) & 0x3F);
        i += static_cast<std::size_t>(length);
        const std::optional<std::uint8_t> byte = cp852_byte(code_point);
        if (!byte) throw std::invalid_argument("no code page 852 glyph in " + std::string(shown));
        out.push_back(static_cast<char>(*byte));
    }
    return out;
}

inline char key_char(const AttrKey& key, int attr) {
    for (const auto& [ch, a] : key)
        if (a == attr) return ch;
    return '?';
}

} // namespace block_detail

/// Passes when the cells from (row, col) on match `expected` row by row, each row over its own
/// length. On a mismatch the message shows the expected block beside the screen's (glyphs,
/// then attributes by their key characters, '?' for one the key lacks) and the first
/// differing cell with its attribute numbers.
inline ::testing::AssertionResult shows(const Screen& s, int row, int col, const Block& expected,
                                        const AttrKey& key = {}) {
    std::vector<std::string> text;
    std::vector<std::string> attrs;
    std::string first_difference;
    for (std::size_t i = 0; i < expected.text.size(); ++i) {
        const int y = row + static_cast<int>(i);
        const std::string want = block_detail::glyphs(expected.text[i]);
        const std::string want_attrs = i < expected.attrs.size() ? expected.attrs[i] : "";
        std::string got;
        std::string got_attrs;
        for (std::size_t j = 0; j < want.size(); ++j) {
            const int x = col + static_cast<int>(j);
            const Cell cell = is_on_screen(y, x) ? s.cell(y, x) : Cell{0, 0};
            got.push_back(static_cast<char>(cell.glyph));
            const char attr_char = j < want_attrs.size() ? want_attrs[j] : ' ';
            got_attrs.push_back(attr_char == ' ' ? ' ' : block_detail::key_char(key, cell.attr));
            const bool attr_differs = attr_char != ' ' && key.at(attr_char) != cell.attr;
            if (first_difference.empty() &&
                (cell.glyph != static_cast<std::uint8_t>(want[j]) || attr_differs)) {
                std::ostringstream where;
                where << "first difference at row " << y << ", column " << x << ": expected '"
                      << block_detail::shown(want.substr(j, 1)) << "'";
                if (attr_char != ' ') where << " in " << key.at(attr_char);
                where << ", found '" << block_detail::shown(got.substr(j, 1)) << "' in "
                      << int(cell.attr);
                first_difference = where.str();
            }
        }
        text.push_back(got);
        attrs.push_back(got_attrs);
    }
    if (first_difference.empty()) return ::testing::AssertionSuccess();

    auto failure = ::testing::AssertionFailure();
    failure << "the cells from row " << row << ", column " << col << " differ\nexpected:\n";
    for (std::size_t i = 0; i < expected.text.size(); ++i) {
        failure << "  \"" << expected.text[i] << "\"";
        if (i < expected.attrs.size()) failure << "  " << expected.attrs[i];
        failure << "\n";
    }
    failure << "on screen:\n";
    for (std::size_t i = 0; i < text.size(); ++i) {
        failure << "  \"" << block_detail::shown(text[i]) << "\"";
        if (i < expected.attrs.size()) failure << "  " << attrs[i];
        failure << "\n";
    }
    return failure << first_difference;
}

} // namespace zk::test
