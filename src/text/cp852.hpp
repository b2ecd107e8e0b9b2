#pragma once

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

/// True when `value`, decoded from a UTF-8 sequence of `length` bytes (1 to 4), is a character
/// that only that length encodes: not overlong, not a surrogate, at most U+10FFFF.
bool is_well_formed_utf8(char32_t value, int length);

/// True when `text` is well-formed UTF-8 throughout.
bool is_utf8(std::string_view text);

/// The code page 852 bytes of UTF-8 `text`, or nullopt when it is not well-formed UTF-8 or
/// holds a character code page 852 lacks.
std::optional<std::string> cp852_of_utf8(std::string_view text);

/// Appends the UTF-8 encoding of `code_point` (any value up to U+10FFFF) to `out`.
void append_utf8(std::string& out, char32_t code_point);

/// What a terminal without UTF-8 shows for `byte`: ASCII bytes as they are, the degree sign,
/// the black square, the full block and the double-line box corners and edges as look-alike ASCII
/// characters, every other high byte as '?'.
char ascii_stand_in(std::uint8_t byte);

} // namespace zk
