#pragma once

#include "solver/drawing_verdict.hpp"

#include <cstddef>
#include <string_view>

namespace zk {

static_assert(ADVICE_MAX_RUN >= 0 && ADVICE_MAX_RUN <= 9 && ADVICE_MAX_COLUMN_RUNS >= 0 &&
                  ADVICE_MAX_COLUMN_RUNS <= 9,
              "the editor's texts give each advice limit one character");

/// A fixed screen text that states an advice limit, of the same length as its pattern.
template <std::size_t N> struct AdviceText {
    char chars[N];
    constexpr std::string_view view() const { return {chars, N - 1}; }
};

/// `pattern` with each '#' replaced by the digit of `limit` (one of the advice limits).
template <std::size_t N> constexpr AdviceText<N> advice_text(const char (&pattern)[N], int limit) {
    AdviceText<N> text{};
    for (std::size_t i = 0; i < N; ++i)
        text.chars[i] = pattern[i] == '#' ? static_cast<char>('0' + limit) : pattern[i];
    return text;
}

} // namespace zk
