#pragma once

// Test support: pictures from their rows of colour letters.

#include "model/puzzle.hpp"

#include <string>
#include <vector>

namespace zk::test {

/// A picture from its rows of colour letters, top row first; cells past the rows stay 0.
inline Grid picture_of(const std::vector<std::string>& rows) {
    Grid g{};
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            at(g, static_cast<int>(r), static_cast<int>(c)) = static_cast<std::uint8_t>(rows[r][c]);
    return g;
}

} // namespace zk::test
