#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zk {

/// The Unicode character code page 852 shows for `byte`; bytes below 128 are ASCII.
char32_t cp852_code_point(std::uint8_t byte);

/// The code page 852 byte that shows `code_point`, or nullopt when code page 852 has no byte
/// for it. ASCII characters are their own byte.
std::optional<std::uint8_t> cp852_byte(char32_t code_point);

/// Appends the UTF-8 encoding of `code_point` (any value up to U+10FFFF) to `out`.
void append_utf8(std::string& out, char32_t code_point);

/// What a terminal without UTF-8 shows for `byte`: ASCII bytes as they are, the degree sign,
/// the black square, the full block and the double-line box corners and edges as look-alike ASCII
/// characters, every other high byte as '?'.
char ascii_stand_in(std::uint8_t byte);

} // namespace zk
