#pragma once

// Helper of the game tests: a level's picture and answer put straight into the puzzle state.

#include "model/puzzle.hpp"

#include <cstring>
#include <initializer_list>
#include <string_view>

namespace zk::test {

/// Puts a level's picture straight into target, one string per board row (a '\0' in a row
/// makes a position that is no board cell), and the answer word.
inline void load_board(PuzzleState& p, std::initializer_list<std::string_view> rows,
                       std::string_view answer = "") {
    reset_puzzle(p);
    int r = 0;
    for (std::string_view row : rows) {
        for (int c = 0; c < static_cast<int>(row.size()); ++c)
            at(p.target, r, c) = static_cast<std::uint8_t>(row[c]);
        ++r;
    }
    std::memcpy(p.answer.data(), answer.data(), answer.size());
}

} // namespace zk::test
