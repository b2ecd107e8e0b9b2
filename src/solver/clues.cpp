// The solver's board sizes and clues, worked out from a picture.

#include "solver/clues.hpp"

#include <algorithm>

namespace zk {

BoardSize board_size(const Grid& target) {
    BoardSize size;
    while (size.height < MAX_BOARD && at(target, size.height, 0) != 0) ++size.height;
    while (size.width < MAX_BOARD && at(target, 0, size.width) != 0) ++size.width;
    return size;
}

Clues clues_of_picture(const Grid& picture, BoardSize size) {
    Clues clues;
    clues.height = std::clamp(size.height, 0, MAX_BOARD);
    clues.width = std::clamp(size.width, 0, MAX_BOARD);
    std::array<std::uint8_t, MAX_BOARD> line{};
    for (int r = 0; r < clues.height; ++r) {
        for (int c = 0; c < clues.width; ++c) line[c] = at(picture, r, c);
        clues.rows[r] = line_runs(std::span(line.data(), clues.width));
    }
    for (int c = 0; c < clues.width; ++c) {
        for (int r = 0; r < clues.height; ++r) line[r] = at(picture, r, c);
        clues.columns[c] = line_runs(std::span(line.data(), clues.height));
    }
    return clues;
}

} // namespace zk
