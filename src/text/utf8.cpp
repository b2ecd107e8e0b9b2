// Reading and writing UTF-8 characters by the one rule of which sequences are well formed; part
// of the text helpers.

#include "text/utf8.hpp"

#include <cstdint>

namespace zk {

bool is_well_formed_utf8(char32_t value, int length) {
    const char32_t minimum = length == 1 ? 0 : length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    return value >= minimum && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF);
}

std::optional<char32_t> next_utf8_character(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    const int length = lead < 0x80   ? 1
                       : lead < 0xC0 ? 0
                       : lead < 0xE0 ? 2
                       : lead < 0xF0 ? 3
                       : lead < 0xF8 ? 4
                                     : 0;
    if (length == 0) return std::nullopt;
    char32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (int more = length - 1; more > 0; --more) {
        if (pos == text.size()) return std::nullopt;
        const auto next = static_cast<unsigned char>(text[pos++]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        value = value << 6 | (next & 0x3F);
    }
    if (!is_well_formed_utf8(value, length)) return std::nullopt;
    return value;
}

bool is_utf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();)
        if (!next_utf8_character(text, pos)) return false;
    return true;
}

void append_utf8(std::string& out, char32_t code_point) {
    const auto cp = static_cast<std::uint32_t>(code_point);
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace zk
