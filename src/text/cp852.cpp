// Text helpers: the code page 852 table and the conversions between its bytes, Unicode and UTF-8.

#include "text/cp852.hpp"

#include "text/utf8.hpp"

#include <array>

namespace zk {

namespace {

// Code page 852, bytes 128 to 255 in order.
constexpr std::array<char16_t, 128> CP852_HIGH{
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x016F, 0x0107, 0x00E7, //
    0x0142, 0x00EB, 0x0150, 0x0151, 0x00EE, 0x0179, 0x00C4, 0x0106, //
    0x00C9, 0x0139, 0x013A, 0x00F4, 0x00F6, 0x013D, 0x013E, 0x015A, //
    0x015B, 0x00D6, 0x00DC, 0x0164, 0x0165, 0x0141, 0x00D7, 0x010D, //
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x0104, 0x0105, 0x017D, 0x017E, //
    0x0118, 0x0119, 0x00AC, 0x017A, 0x010C, 0x015F, 0x00AB, 0x00BB, //
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x011A, //
    0x015E, 0x2563, 0x2551, 0x2557, 0x255D, 0x017B, 0x017C, 0x2510, //
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x0102, 0x0103, //
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, //
    0x0111, 0x0110, 0x010E, 0x00CB, 0x010F, 0x0147, 0x00CD, 0x00CE, //
    0x011B, 0x2518, 0x250C, 0x2588, 0x2584, 0x0162, 0x016E, 0x2580, //
    0x00D3, 0x00DF, 0x00D4, 0x0143, 0x0144, 0x0148, 0x0160, 0x0161, //
    0x0154, 0x00DA, 0x0155, 0x0170, 0x00FD, 0x00DD, 0x0163, 0x00B4, //
    0x00AD, 0x02DD, 0x02DB, 0x02C7, 0x02D8, 0x00A7, 0x00F7, 0x00B8, //
    0x00B0, 0x00A8, 0x02D9, 0x0171, 0x0158, 0x0159, 0x25A0, 0x00A0, //
};

} // namespace

char32_t cp852_code_point(std::uint8_t byte) {
    if (byte < 128) return byte;
    return CP852_HIGH[byte - 128];
}

std::optional<std::uint8_t> cp852_byte(char32_t code_point) {
    if (code_point < 128) return static_cast<std::uint8_t>(code_point);
    for (std::size_t i = 0; i < CP852_HIGH.size(); ++i)
        if (CP852_HIGH[i] == code_point) return static_cast<std::uint8_t>(128 + i);
    return std::nullopt;
}

std::optional<std::string> cp852_of_utf8(std::string_view text) {
    std::string bytes;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::optional<char32_t> character = next_utf8_character(text, pos);
        const std::optional<std::uint8_t> byte = character ? cp852_byte(*character) : std::nullopt;
        if (!byte) return std::nullopt;
        bytes += static_cast<char>(*byte);
    }
    return bytes;
}

char ascii_stand_in(std::uint8_t byte) {
    if (byte < 128) return static_cast<char>(byte);
    switch (cp852_code_point(byte)) {
    case U'\u00B0': // degree sign
        return 'o';
    case U'\u25A0': // black square
    case U'\u2588': // full block
        return '#';
    case U'\u2554': // double-line box corners
    case U'\u2557':
    case U'\u255A':
    case U'\u255D':
        return '+';
    case U'\u2550': // double-line box edges
        return '=';
    case U'\u2551':
        return '|';
    default:
        return '?';
    }
}

} // namespace zk
