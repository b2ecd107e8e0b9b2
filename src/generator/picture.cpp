// The generator's pictures: noise, blur, threshold, colour regions and clean-ups.

#include "generator/picture.hpp"

#include "model/colours.hpp"
#include "solver/colour_set.hpp"
#include "solver/drawing_verdict.hpp"

#include <algorithm>
#include <array>
#include <vector>

namespace zk {

namespace {

constexpr int MAX_CENTRES = 10;
// Noise values before blurring: 0 .. NOISE_RANGE - 1.
constexpr std::uint32_t NOISE_RANGE = 1024;

// The size of the same-colour group of every coloured cell (0 for white), found by filling
// each group once from its first cell.
std::array<int, GRID_CELLS> group_sizes(const Grid& picture, int height, int width) {
    std::array<int, GRID_CELLS> size{};
    std::array<int, GRID_CELLS> group{};
    group.fill(-1);
    std::array<int, GRID_CELLS> stack{};
    for (int start = 0; start < GRID_CELLS; ++start) {
        const int r0 = start / GRID_STRIDE, c0 = start % GRID_STRIDE;
        if (r0 >= height || c0 >= width || group[start] >= 0 || !is_run_colour(picture[start]))
            continue;
        int top = 0, count = 0;
        stack[top++] = start;
        group[start] = start;
        while (top > 0) {
            const int cell = stack[--top];
            ++count;
            const int r = cell / GRID_STRIDE, c = cell % GRID_STRIDE;
            const std::array<std::array<int, 2>, 4> next{
                {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}}};
            for (const auto& [nr, nc] : next) {
                if (nr < 0 || nc < 0 || nr >= height || nc >= width) continue;
                const int n = nr * GRID_STRIDE + nc;
                if (group[n] >= 0 || picture[n] != picture[start]) continue;
                group[n] = start;
                stack[top++] = n;
            }
        }
        size[start] = count;
    }
    for (int cell = 0; cell < GRID_CELLS; ++cell)
        if (group[cell] >= 0) size[cell] = size[group[cell]];
    return size;
}

// One 3 x 3 box blur of the rectangle's values; cells past the edge count as the edge cell.
void blur(std::array<int, GRID_CELLS>& values, int height, int width) {
    const std::array<int, GRID_CELLS> before = values;
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            int sum = 0;
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc)
                    sum += before[std::clamp(r + dr, 0, height - 1) * GRID_STRIDE +
                                  std::clamp(c + dc, 0, width - 1)];
            values[r * GRID_STRIDE + c] = sum / 9;
        }
    }
}

} // namespace

ShapeSummary shape_summary(const Grid& picture, int height, int width) {
    const std::array<int, GRID_CELLS> size = group_sizes(picture, height, width);
    ShapeSummary shapes;
    shapes.cells = height * width;
    for (int cell = 0; cell < GRID_CELLS; ++cell) {
        if (size[cell] == 0) continue;
        ++shapes.coloured;
        if (size[cell] < MIN_GROUP) continue;
        ++shapes.shaped;
        shapes.shaped_colours |= colour_bit(picture[cell]);
    }
    return shapes;
}

double structure_measure(const ShapeSummary& shapes) {
    return shapes.coloured == 0 ? 0.0 : static_cast<double>(shapes.shaped) / shapes.coloured;
}

double structure_measure(const Grid& picture, int height, int width) {
    return structure_measure(shape_summary(picture, height, width));
}

Grid draw_picture(RandomSource& random, int height, int width,
                  std::span<const std::uint8_t> letters, int fill_per_mille) {
    std::array<int, GRID_CELLS> noise{};
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            noise[r * GRID_STRIDE + c] = static_cast<int>(below(random, NOISE_RANGE));
    const int blurs = 1 + static_cast<int>(below(random, 2));
    for (int i = 0; i < blurs; ++i) blur(noise, height, width);

    // The threshold that leaves about fill_per_mille / 1000 of the cells at or above it.
    std::vector<int> sorted;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) sorted.push_back(noise[r * GRID_STRIDE + c]);
    std::sort(sorted.begin(), sorted.end());
    const auto white_cells =
        static_cast<std::size_t>((1000 - fill_per_mille) * static_cast<int>(sorted.size()) / 1000);
    const int threshold = sorted[std::min(white_cells, sorted.size() - 1)];

    const int colours = static_cast<int>(letters.size());
    const int centres =
        std::min(MAX_CENTRES, colours + static_cast<int>(below(random, colours + 1)));
    std::array<std::array<int, 2>, MAX_CENTRES> centre{};
    for (int i = 0; i < centres; ++i)
        centre[i] = {static_cast<int>(below(random, height)),
                     static_cast<int>(below(random, width))};

    Grid picture{};
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            if (noise[r * GRID_STRIDE + c] < threshold) {
                at(picture, r, c) = WHITE;
                continue;
            }
            int nearest = 0, best = 1 << 30;
            for (int i = 0; i < centres; ++i) {
                const int dr = r - centre[i][0], dc = c - centre[i][1];
                if (dr * dr + dc * dc < best) {
                    best = dr * dr + dc * dc;
                    nearest = i;
                }
            }
            at(picture, r, c) = letters[nearest % colours];
        }
    }
    return picture;
}

void drop_specks(Grid& picture, int height, int width) {
    const std::array<int, GRID_CELLS> size = group_sizes(picture, height, width);
    for (int cell = 0; cell < GRID_CELLS; ++cell)
        if (size[cell] > 0 && size[cell] < MIN_GROUP) picture[cell] = WHITE;
}

void cut_long_runs(Grid& picture, int height, int width) {
    // A row pass and a column pass: whitening cells never lengthens a run, so one of each is
    // enough.
    for (int r = 0; r < height; ++r) {
        int length = 0;
        for (int c = 0; c < width; ++c) {
            const std::uint8_t cell = at(picture, r, c);
            length = is_run_colour(cell) && c > 0 && at(picture, r, c - 1) == cell ? length + 1
                     : is_run_colour(cell)                                         ? 1
                                                                                   : 0;
            if (length > ADVICE_MAX_RUN) {
                at(picture, r, c) = WHITE;
                length = 0;
            }
        }
    }
    for (int c = 0; c < width; ++c) {
        int length = 0;
        for (int r = 0; r < height; ++r) {
            const std::uint8_t cell = at(picture, r, c);
            length = is_run_colour(cell) && r > 0 && at(picture, r - 1, c) == cell ? length + 1
                     : is_run_colour(cell)                                         ? 1
                                                                                   : 0;
            if (length > ADVICE_MAX_RUN) {
                at(picture, r, c) = WHITE;
                length = 0;
            }
        }
    }
}

} // namespace zk
