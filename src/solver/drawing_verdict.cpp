// The advice rules and the verdict on a drawing, shared by the editor's save question and the
// level checker.

#include "solver/drawing_verdict.hpp"

#include "model/colours.hpp"
#include "model/runs.hpp"
#include "solver/clues.hpp"

#include <algorithm>
#include <array>
#include <span>

namespace zk {

namespace {

bool has_run_colour(const Grid& picture, int height, int width) {
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            if (is_run_colour(at(picture, r, c))) return true;
    return false;
}

// Adds the long runs of `line` (and, for a column, its crowding) to `breaches`. Each run of
// line_runs is found in the line by skipping to the next cell of its letter, which is where
// it starts because runs are maximal and one colour's runs never touch.
void add_line_breaches(std::span<const std::uint8_t> line, LineKind kind, int index,
                       std::vector<AdviceBreach>& breaches) {
    const RunList runs = line_runs(line);
    std::size_t pos = 0;
    for (const Run& run : runs) {
        while (pos < line.size() && line[pos] != run.letter) ++pos;
        if (run.length > ADVICE_MAX_RUN)
            breaches.push_back({AdviceBreach::Kind::long_run, kind, index, static_cast<int>(pos),
                                run.letter, run.length});
        pos += static_cast<std::size_t>(run.length);
    }
    if (kind == LineKind::column && runs.count > ADVICE_MAX_COLUMN_RUNS)
        breaches.push_back(
            {AdviceBreach::Kind::crowded_column, LineKind::column, index, 0, 0, runs.count});
}

// The verdict the advice alone gives, or unique when the drawing is within it.
DrawingVerdict advice_verdict(const Grid& picture, int height, int width) {
    if (!has_run_colour(picture, height, width)) return DrawingVerdict::empty;
    const std::vector<AdviceBreach> breaches = advice_breaches(picture, {height, width});
    if (breaches.empty()) return DrawingVerdict::unique;
    const bool long_run = std::any_of(breaches.begin(), breaches.end(), [](const AdviceBreach& b) {
        return b.kind == AdviceBreach::Kind::long_run;
    });
    return long_run ? DrawingVerdict::run_too_long : DrawingVerdict::too_many_column_runs;
}

} // namespace

std::vector<AdviceBreach> advice_breaches(const Grid& picture, BoardSize size) {
    std::vector<AdviceBreach> breaches;
    std::array<std::uint8_t, MAX_BOARD> line{};
    const int height = std::min(size.height, MAX_BOARD);
    const int width = std::min(size.width, MAX_BOARD);
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) line[c] = at(picture, r, c);
        add_line_breaches(std::span(line.data(), width), LineKind::row, r, breaches);
    }
    for (int c = 0; c < width; ++c) {
        for (int r = 0; r < height; ++r) line[r] = at(picture, r, c);
        add_line_breaches(std::span(line.data(), height), LineKind::column, c, breaches);
    }
    return breaches;
}

DrawingVerdict judge_drawing(const Grid& picture, int height, int width,
                             const SolveReport& report) {
    const DrawingVerdict advice = advice_verdict(picture, height, width);
    if (advice != DrawingVerdict::unique) return advice;
    if (report.verdict != Verdict::unique) return DrawingVerdict::several;
    return report.line_solvable ? DrawingVerdict::unique : DrawingVerdict::needs_guessing;
}

DrawingVerdict judge_drawing(const Grid& picture, int height, int width) {
    const DrawingVerdict advice = advice_verdict(picture, height, width);
    if (advice != DrawingVerdict::unique) return advice;
    return judge_drawing(picture, height, width,
                         solve_board(clues_of_picture(picture, {height, width})));
}

} // namespace zk
