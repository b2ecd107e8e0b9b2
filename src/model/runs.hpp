#pragma once

// Model: the runs of colour a line of the board holds, which its clues show.

#include "model/puzzle.hpp"

#include <array>
#include <cstdint>
#include <span>

namespace zk {

/// Which way a line of the board runs.
enum class LineKind { row, column };

/// A maximal stretch of adjacent cells of one run colour (E, Y, B, R or G).
struct Run {
    std::uint8_t letter;
    int length;
    friend bool operator==(const Run&, const Run&) = default;
};

/// The runs of one line, in scan order: at most one per cell of a grid line.
struct RunList {
    std::array<Run, GRID_STRIDE> items{};
    int count = 0;

    const Run* begin() const { return items.data(); }
    const Run* end() const { return items.data() + count; }
    const Run& operator[](int i) const { return items[i]; }
};

/// The runs of `line` in the order its cells are given. White, zero and any byte that is not
/// a colour letter belong to no run; runs of different colours may touch. Lines longer than
/// 17 cells are cut to 17.
RunList line_runs(std::span<const std::uint8_t> line);

} // namespace zk
