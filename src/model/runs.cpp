// The model's runs of a grid line, the clues' source.

#include "model/runs.hpp"

#include "model/colours.hpp"

#include <algorithm>

namespace zk {

RunList line_runs(std::span<const std::uint8_t> line) {
    RunList runs;
    const std::size_t size = std::min<std::size_t>(line.size(), runs.items.size());
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t cell = line[i];
        if (!is_run_colour(cell)) continue;
        if (i > 0 && line[i - 1] == cell) {
            ++runs.items[runs.count - 1].length;
        } else {
            runs.items[runs.count++] = Run{cell, 1};
        }
    }
    return runs;
}

} // namespace zk
