#pragma once

// Fixed screen texts with a few characters filled in at compile time: a key's letter or an
// advice limit's digit inside a legend or a message.

#include <cstddef>
#include <string_view>

namespace zk {

/// A fixed screen text of the same length as the pattern it was filled from.
template <std::size_t N> struct FixedText {
    char chars[N];
    constexpr std::string_view view() const { return {chars, N - 1}; }
};

/// `pattern` with its '#' marks replaced, in order, by `fills`; a pattern whose count of marks
/// differs from the count of fills does not compile.
template <std::size_t N, typename... Fill>
constexpr FixedText<N> fill_marks(const char (&pattern)[N], Fill... fills) {
    const char with[] = {static_cast<char>(fills)..., '\0'};
    FixedText<N> text{};
    std::size_t next = 0;
    for (std::size_t i = 0; i < N; ++i) {
        const bool mark = pattern[i] == '#';
        if (mark && next == sizeof...(Fill)) throw "more marks than fills";
        text.chars[i] = mark ? with[next++] : pattern[i];
    }
    if (next != sizeof...(Fill)) throw "more fills than marks";
    return text;
}

} // namespace zk
