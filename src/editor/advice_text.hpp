#pragma once

// Level editor: texts that name an advice limit, built at compile time from the limit itself.

#include "console/fixed_text.hpp"
#include "solver/drawing_verdict.hpp"

#include <cstddef>

namespace zk {

static_assert(ADVICE_MAX_RUN >= 0 && ADVICE_MAX_RUN <= 9 && ADVICE_MAX_COLUMN_RUNS >= 0 &&
                  ADVICE_MAX_COLUMN_RUNS <= 9,
              "the editor's texts give each advice limit one character");

/// `pattern` with its one '#' replaced by the digit of `limit` (one of the advice limits).
template <std::size_t N>
constexpr FixedText<N - 1> advice_text(const char (&pattern)[N], int limit) {
    return fill_marks(pattern, '0' + limit);
}

} // namespace zk
