#pragma once

// Texts built at compile time: fixed screen texts with a key's letter or a limit's digit filled
// in, and sequences and messages that spell a number defined elsewhere.

#include <cstddef>
#include <string_view>

namespace zk {

/// A text of N characters known at compile time, zero-terminated.
template <std::size_t N> struct FixedText {
    char chars[N + 1]{};

    constexpr FixedText() = default;
    constexpr FixedText(const char (&text)[N + 1]) {
        for (std::size_t i = 0; i <= N; ++i) chars[i] = text[i];
    }
    constexpr std::string_view view() const { return {chars, N}; }
};
template <std::size_t M> FixedText(const char (&)[M]) -> FixedText<M - 1>;

/// `a` followed by `b`.
template <std::size_t A, std::size_t B>
constexpr FixedText<A + B> operator+(const FixedText<A>& a, const FixedText<B>& b) {
    FixedText<A + B> text;
    for (std::size_t i = 0; i < A; ++i) text.chars[i] = a.chars[i];
    for (std::size_t i = 0; i < B; ++i) text.chars[A + i] = b.chars[i];
    return text;
}

/// The number of decimal digits of `value` (at least 0).
constexpr std::size_t decimal_length(int value) {
    std::size_t length = 1;
    for (; value >= 10; value /= 10) ++length;
    return length;
}

/// The decimal digits of `Value` (at least 0).
template <int Value> constexpr FixedText<decimal_length(Value)> decimal_text() {
    FixedText<decimal_length(Value)> text;
    int rest = Value;
    for (std::size_t i = decimal_length(Value); i-- > 0; rest /= 10)
        text.chars[i] = static_cast<char>('0' + rest % 10);
    return text;
}

/// `pattern` with its '#' marks replaced, in order, by `fills`; a pattern whose count of marks
/// differs from the count of fills does not compile.
template <std::size_t M, typename... Fill>
constexpr FixedText<M - 1> fill_marks(const char (&pattern)[M], Fill... fills) {
    const char with[] = {static_cast<char>(fills)..., '\0'};
    FixedText<M - 1> text;
    std::size_t next = 0;
    for (std::size_t i = 0; i + 1 < M; ++i) {
        const bool mark = pattern[i] == '#';
        if (mark && next == sizeof...(Fill)) throw "more marks than fills";
        text.chars[i] = mark ? with[next++] : pattern[i];
    }
    if (next != sizeof...(Fill)) throw "more fills than marks";
    return text;
}

} // namespace zk
