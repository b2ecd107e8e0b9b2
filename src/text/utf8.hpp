#pragma once

// UTF-8: when a decoded sequence is a well-formed character, reading characters from UTF-8 text
// and writing them to it. Part of the text helpers, which depend on nothing.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zk {

/// True when `value`, decoded from a UTF-8 sequence of `length` bytes (1 to 4), is a character
/// that only that length encodes: not overlong, not a surrogate, at most U+10FFFF.
bool is_well_formed_utf8(char32_t value, int length);

/// The character of UTF-8 `text` that starts at `pos` (below text.size()), which then moves past
/// the bytes read; nullopt when the bytes there are not a well-formed UTF-8 character.
std::optional<char32_t> next_utf8_character(std::string_view text, std::size_t& pos);

/// True when `text` is well-formed UTF-8 throughout.
bool is_utf8(std::string_view text);

/// Appends the UTF-8 encoding of `code_point` (any value up to U+10FFFF) to `out`.
void append_utf8(std::string& out, char32_t code_point);

} // namespace zk
