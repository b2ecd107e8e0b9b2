#pragma once

// Text helpers: code page 852, its control byte rule and its bytes as Unicode, UTF-8 and ASCII
// stand-ins. Depends on nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zk {

/// True for the control bytes, which code page 852 takes from ASCII: below 32, and 127. They
/// stand for no character.
constexpr bool is_control_byte(std::uint8_t byte) {
    return byte < 32 || byte == 127;
}

/// True for the ASCII bytes that stand for a character, the blank included.
constexpr bool is_printable_ascii(std::uint8_t byte) {
    return byte < 128 && !is_control_byte(byte);
}

/// The Unicode character code page 852 shows for `byte`; bytes below 128 are ASCII.
char32_t cp852_code_point(std::uint8_t byte);

/// The code page 852 byte that shows `code_point`, or nullopt when code page 852 has no byte
/// for it. ASCII characters are their own byte.
std::optional<std::uint8_t> cp852_byte(char32_t code_point);

/// The code page 852 bytes of UTF-8 `text`, or nullopt when it is not well-formed UTF-8 or
/// holds a character code page 852 lacks.
std::optional<std::string> cp852_of_utf8(std::string_view text);

/// What a terminal without UTF-8 shows for `byte`: ASCII bytes as they are, the degree sign,
/// the black square, the full block and the double-line box corners and edges as look-alike ASCII
/// characters, every other high byte as '?'.
char ascii_stand_in(std::uint8_t byte);

} // namespace zk
