#include "checker/advice_check.hpp"

#include "model/runs.hpp"

#include <algorithm>
#include <array>
#include <span>
#include <string>

namespace zk {

namespace {

// Reports the long runs of one line. The runs come from line_runs; each is found in the line
// by skipping to the next cell of its letter, which is where it starts because runs are
// maximal and one colour's runs never touch.
void check_line(std::span<const std::uint8_t> line, bool is_row, int index,
                std::vector<FileProblem>& problems) {
    const RunList runs = line_runs(line);
    std::size_t pos = 0;
    for (const Run& run : runs) {
        while (pos < line.size() && line[pos] != run.letter) ++pos;
        if (run.length > ADVICE_MAX_RUN) {
            const int cell = static_cast<int>(pos) + 1;
            const std::string where = (is_row ? "row " : "column ") + std::to_string(index + 1);
            problems.push_back({is_row ? index + 1 : cell, is_row ? cell : index + 1,
                                "run of " + std::to_string(run.length) + " " +
                                    static_cast<char>(run.letter) + " cells in " + where +
                                    " is longer than " + std::to_string(ADVICE_MAX_RUN) +
                                    ": its two-digit clue covers its neighbour",
                                ProblemKind::long_run});
        }
        pos += static_cast<std::size_t>(run.length);
    }
    if (!is_row && runs.count > ADVICE_MAX_COLUMN_RUNS)
        problems.push_back({1, index + 1,
                            "column " + std::to_string(index + 1) + " has " +
                                std::to_string(runs.count) + " runs; only " +
                                std::to_string(ADVICE_MAX_COLUMN_RUNS) +
                                " clues fit above the board",
                            ProblemKind::crowded_column});
}

} // namespace

std::vector<FileProblem> check_advice(const Grid& picture, BoardSize size) {
    std::vector<FileProblem> problems;
    std::array<std::uint8_t, MAX_BOARD> line{};
    const int height = std::min(size.height, MAX_BOARD);
    const int width = std::min(size.width, MAX_BOARD);
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) line[c] = at(picture, r, c);
        check_line(std::span(line.data(), width), true, r, problems);
    }
    for (int c = 0; c < width; ++c) {
        for (int r = 0; r < height; ++r) line[r] = at(picture, r, c);
        check_line(std::span(line.data(), height), false, c, problems);
    }
    return problems;
}

} // namespace zk
