#include "solver/drawing_verdict.hpp"

#include "model/colours.hpp"
#include "model/runs.hpp"
#include "solver/clues.hpp"

#include <algorithm>

namespace zk {

namespace {

bool has_run_colour(const Grid& picture, int height, int width) {
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            if (is_run_colour(at(picture, r, c))) return true;
    return false;
}

bool has_long_run(const RunList& runs) {
    return std::any_of(runs.begin(), runs.end(),
                       [](const Run& run) { return run.length > ADVICE_MAX_RUN; });
}

// The verdict the advice alone gives, or unique when the drawing is within it.
DrawingVerdict advice_verdict(const Grid& picture, const Clues& clues) {
    if (!has_run_colour(picture, clues.height, clues.width)) return DrawingVerdict::empty;
    for (int r = 0; r < clues.height; ++r)
        if (has_long_run(clues.rows[r])) return DrawingVerdict::run_too_long;
    for (int c = 0; c < clues.width; ++c)
        if (has_long_run(clues.columns[c])) return DrawingVerdict::run_too_long;
    for (int c = 0; c < clues.width; ++c)
        if (clues.columns[c].count > ADVICE_MAX_COLUMN_RUNS)
            return DrawingVerdict::too_many_column_runs;
    return DrawingVerdict::unique;
}

} // namespace

DrawingVerdict judge_drawing(const Grid& picture, int height, int width,
                             const SolveReport& report) {
    const Clues clues = clues_of_picture(picture, {height, width});
    const DrawingVerdict advice = advice_verdict(picture, clues);
    if (advice != DrawingVerdict::unique) return advice;
    if (report.verdict != Verdict::unique) return DrawingVerdict::several;
    return report.line_solvable ? DrawingVerdict::unique : DrawingVerdict::needs_guessing;
}

DrawingVerdict judge_drawing(const Grid& picture, int height, int width) {
    const Clues clues = clues_of_picture(picture, {height, width});
    const DrawingVerdict advice = advice_verdict(picture, clues);
    if (advice != DrawingVerdict::unique) return advice;
    return judge_drawing(picture, height, width, solve_board(clues));
}

} // namespace zk
