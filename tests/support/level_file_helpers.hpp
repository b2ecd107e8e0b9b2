#pragma once

// Helpers of the level file tests: editor layouts, the loaded target and answer as text, and
// folder listings.

#include "model/puzzle.hpp"

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zk::test {

/// The editor's layout of a board: each row's letters and a newline byte, then 'x'.
inline Grid editor_layout(std::initializer_list<std::string_view> rows) {
    Grid canvas{};
    int r = 0;
    for (std::string_view row : rows) {
        int c = 0;
        for (char ch : row) at(canvas, r, c++) = static_cast<std::uint8_t>(ch);
        at(canvas, r++, c) = '\n';
    }
    at(canvas, r, 0) = 'x';
    return canvas;
}

/// The first `width` target bytes of row r, as text.
inline std::string target_row(const PuzzleState& p, int r, int width = GRID_STRIDE) {
    std::string row;
    for (int c = 0; c < width; ++c) row.push_back(static_cast<char>(at(p.target, r, c)));
    return row;
}

/// The loaded answer word.
inline std::string answer_of(const PuzzleState& p) {
    return std::string(p.answer.data());
}

/// Names of the files in `dir`, sorted.
inline std::vector<std::string> files_in(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace zk::test
