// Times the puzzle generator and checks every puzzle it makes: for each size, grade and colour
// count in the table below, one puzzle per seed 0 .. SEEDS - 1. Each puzzle is read back from
// its level file and must be judged unique by the editor's judgement (so the strict checker
// passes it), have exactly the picture as the board solver's one solution, be of the grade
// asked for, use every colour asked for in a run of at least 2, and score at least the lowest
// structure measure. Prints the time per puzzle (median, 99th percentile, slowest), the
// candidate pictures per puzzle and why the others were thrown away, the passes and line steps
// of the solves, the structure measure's distribution, the shipped levels' grades and the
// structure measure of uniformly random pictures for comparison.
// Usage: generator_bench [SEEDS [LEVEL_DIRECTORY]]; exits with 1 when any puzzle fails a check.

#include "level_files.hpp"

#include "generator/picture.hpp"
#include "generator/puzzle_generator.hpp"
#include "model/colours.hpp"
#include "model/level_file.hpp"
#include "solver/clues.hpp"
#include "solver/colour_set.hpp"
#include "solver/drawing_verdict.hpp"
#include "solver/grade.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int DEFAULT_SEEDS = 10000;
// The mean structure measure the puzzles must reach together.
constexpr double MEAN_STRUCTURE_TARGET = 0.85;

// The sizes and grades measured, each with the most colours the size allows for the grade
// (5 from 10 x 10 on), then each grade's default request.
std::vector<zk::PuzzleRequest> measured_requests() {
    std::vector<zk::PuzzleRequest> requests;
    for (int side : {5, 10, 15}) {
        for (zk::Grade grade : {zk::Grade::easy, zk::Grade::medium, zk::Grade::hard}) {
            zk::PuzzleRequest request{side, side, grade, zk::MAX_PUZZLE_COLOURS, 0};
            while (request.colours > zk::MIN_PUZZLE_COLOURS && zk::refusal_of(request))
                --request.colours;
            requests.push_back(request);
        }
    }
    requests.push_back(zk::default_request(zk::Grade::easy));
    requests.push_back(zk::default_request(zk::Grade::medium));
    return requests;
}

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

double mean(const std::vector<double>& values) {
    double sum = 0;
    for (double v : values) sum += v;
    return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

// True when some row or column of the picture has a run of `letter` at least 2 long.
bool has_run_of_two(const zk::Clues& clues, std::uint8_t letter) {
    const auto in = [letter](const zk::RunList& runs) {
        return std::any_of(runs.begin(), runs.end(), [letter](const zk::Run& run) {
            return run.letter == letter && run.length >= 2;
        });
    };
    for (int r = 0; r < clues.height; ++r)
        if (in(clues.rows[r])) return true;
    for (int c = 0; c < clues.width; ++c)
        if (in(clues.columns[c])) return true;
    return false;
}

// The reason the puzzle made from `request` fails the generator's promises, or nullptr.
const char* broken_promise(const zk::PuzzleRequest& request, const zk::GeneratedPuzzle& made) {
    zk::PuzzleState loaded;
    zk::parse_level(loaded, zk::puzzle_level_text(made, request));
    const zk::Grid& picture = loaded.target;
    if (picture != made.picture) return "level file differs from the picture";
    if (std::string(loaded.answer.data()) != zk::answer_word(request.seed)) return "answer";
    const zk::BoardSize size = zk::board_size(picture);
    if (size.height != request.height || size.width != request.width) return "size";
    const zk::Clues clues = zk::clues_of_picture(picture, size);
    const zk::SolveReport report = zk::solve_board(clues);
    if (report.verdict != zk::Verdict::unique || report.solutions[0] != picture)
        return "not exactly one solution";
    if (zk::judge_drawing(picture, size.height, size.width, report) != zk::DrawingVerdict::unique)
        return "not judged good by the strict check";
    if (zk::grade_of(report) != request.grade) return "grade";
    int colours = 0;
    for (const zk::Colour& colour : zk::COLOUR_TABLE) {
        if (!zk::is_run_colour(colour.letter)) continue;
        const bool used = std::any_of(picture.begin(), picture.end(),
                                      [&](std::uint8_t cell) { return cell == colour.letter; });
        if (used && !has_run_of_two(clues, colour.letter)) return "colour without a run of 2";
        colours += used ? 1 : 0;
    }
    if (colours != request.colours) return "colour count";
    if (zk::structure_measure(picture, size.height, size.width) < zk::MIN_STRUCTURE)
        return "structure measure";
    return nullptr;
}

// Figures over all puzzles of the run.
struct Totals {
    int failures = 0;
    std::vector<double> structure;
    zk::CandidateCounts candidates;
};

void add(zk::CandidateCounts& sum, const zk::CandidateCounts& c) {
    sum.drawn += c.drawn;
    sum.plain += c.plain;
    sum.unsolved += c.unsolved;
    sum.outside_advice += c.outside_advice;
    sum.off_grade += c.off_grade;
    sum.unreadable += c.unreadable;
}

void bench_request(zk::PuzzleRequest request, int seeds, Totals& totals) {
    if (const std::optional<std::string> why = zk::refusal_of(request)) {
        std::printf("| %2dx%-2d | %-6s | refused: %s |\n", request.height, request.width,
                    std::string(zk::grade_name(request.grade)).c_str(), why->c_str());
        return;
    }
    std::vector<double> walls, cpus, candidates, passes, steps, structure;
    int failures = 0;
    for (int seed = 0; seed < seeds; ++seed) {
        request.seed = static_cast<std::uint32_t>(seed);
        const std::clock_t cpu_start = std::clock();
        const auto start = Clock::now();
        const std::optional<zk::GeneratedPuzzle> made = zk::generate_puzzle(request);
        const auto end = Clock::now();
        const std::clock_t cpu_end = std::clock();
        walls.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        cpus.push_back(1e3 * static_cast<double>(cpu_end - cpu_start) / CLOCKS_PER_SEC);
        const char* broken = made ? broken_promise(request, *made) : "no puzzle made";
        if (broken != nullptr) {
            if (++failures <= 5)
                std::printf("  FAILED %dx%d %s %d colours seed %d: %s\n", request.height,
                            request.width, std::string(zk::grade_name(request.grade)).c_str(),
                            request.colours, seed, broken);
            if (!made) continue;
        }
        candidates.push_back(made->counts.drawn);
        add(totals.candidates, made->counts);
        passes.push_back(made->report.line_passes);
        steps.push_back(made->report.line_steps);
        structure.push_back(zk::structure_measure(made->picture, request.height, request.width));
    }
    std::printf("| %2dx%-2d | %-6s | %d | %7.2f | %7.2f | %7.1f | %5.2f / %5.2f | %5.1f | %.0f "
                "| %4.1f | %5.1f | %.3f / %.3f | %d |\n",
                request.height, request.width, std::string(zk::grade_name(request.grade)).c_str(),
                request.colours, percentile(walls, 0.5), percentile(walls, 0.99),
                *std::max_element(walls.begin(), walls.end()), percentile(cpus, 0.5),
                percentile(cpus, 0.99), mean(candidates),
                *std::max_element(candidates.begin(), candidates.end()), mean(passes), mean(steps),
                *std::min_element(structure.begin(), structure.end()), mean(structure), failures);
    std::fflush(stdout);
    totals.failures += failures;
    totals.structure.insert(totals.structure.end(), structure.begin(), structure.end());
}

void print_structure_distribution(const std::vector<double>& values) {
    constexpr std::array<double, 6> EDGES{0.75, 0.80, 0.85, 0.90, 0.95, 1.0};
    std::printf("\nstructure measure over %zu puzzles: min %.3f, mean %.3f, median %.3f\n",
                values.size(), *std::min_element(values.begin(), values.end()), mean(values),
                percentile(values, 0.5));
    for (std::size_t i = 0; i + 1 < EDGES.size(); ++i) {
        const auto count = std::count_if(values.begin(), values.end(), [&](double v) {
            return v >= EDGES[i] && v < EDGES[i + 1];
        });
        std::printf("  %.2f .. %.2f: %6.2f %%\n", EDGES[i], EDGES[i + 1],
                    100.0 * static_cast<double>(count) / static_cast<double>(values.size()));
    }
    const auto whole = std::count(values.begin(), values.end(), 1.0);
    std::printf("  1.00:         %6.2f %%\n",
                100.0 * static_cast<double>(whole) / static_cast<double>(values.size()));
}

void print_rejections(const zk::CandidateCounts& c) {
    const auto share = [&](int n) { return 100.0 * n / std::max(c.drawn, 1); };
    const int rejected = c.plain + c.unsolved + c.outside_advice + c.off_grade + c.unreadable;
    std::printf("\ncandidate pictures: %d drawn, %.1f %% thrown away:\n", c.drawn, share(rejected));
    std::printf("  %6.2f %% plain as drawn (too little colour, a colour without a shape)\n",
                share(c.plain));
    std::printf("  %6.2f %% still not line-solvable after the local repairs\n", share(c.unsolved));
    std::printf("  %6.2f %% outside the advice (a column with too many runs)\n",
                share(c.outside_advice));
    std::printf("  %6.2f %% of another grade after steering\n", share(c.off_grade));
    std::printf("  %6.2f %% made plain by the repairs\n", share(c.unreadable));
}

void print_shipped_levels(const std::filesystem::path& dir) {
    const std::vector<std::filesystem::path> files = zk::bench::level_files_in(dir);
    std::printf("\nshipped levels:\n");
    for (const auto& file : files) {
        zk::PuzzleState level;
        if (!zk::load_level(level, file.string())) continue;
        const zk::BoardSize size = zk::board_size(level.target);
        const zk::SolveReport report = zk::solve_board(zk::clues_of_picture(level.target, size));
        const std::optional<zk::Grade> grade = zk::grade_of(report);
        std::printf("  %-4s %2dx%-2d grade %-6s %2d passes %3d line steps, structure %.3f\n",
                    file.stem().c_str(), size.height, size.width,
                    grade ? std::string(zk::grade_name(*grade)).c_str() : "none",
                    report.line_passes, report.line_steps,
                    zk::structure_measure(level.target, size.height, size.width));
    }
}

// Uniformly random 15 x 15 pictures, 60 % of the cells in one of five colours.
void print_random_structure() {
    zk::RandomSource random{20261208};
    std::vector<std::uint8_t> letters;
    for (const zk::Colour& colour : zk::COLOUR_TABLE)
        if (zk::is_run_colour(colour.letter)) letters.push_back(colour.letter);
    std::vector<double> values;
    for (int i = 0; i < 1000; ++i) {
        zk::Grid picture{};
        for (int r = 0; r < zk::MAX_BOARD; ++r)
            for (int c = 0; c < zk::MAX_BOARD; ++c)
                zk::at(picture, r, c) =
                    zk::below(random, 10) < 6 ? letters[zk::below(random, 5)] : zk::WHITE;
        values.push_back(zk::structure_measure(picture, zk::MAX_BOARD, zk::MAX_BOARD));
    }
    std::printf("\nuniformly random 15x15 pictures (60 %% coloured, 5 colours): structure "
                "measure mean %.3f, max %.3f\n",
                mean(values), *std::max_element(values.begin(), values.end()));
}

} // namespace

int main(int argc, char** argv) {
    const int seeds = argc > 1 ? std::max(1, std::atoi(argv[1])) : DEFAULT_SEEDS;
    const std::filesystem::path level_dir = argc > 2 ? argv[2] : ZK_SOURCE_LEVEL_DIR;
    std::printf("%d seeds per row; times in ms (wall clock; processor time median / p99)\n\n",
                seeds);
    std::printf("| size | grade | colours | median | p99 | slowest | cpu median / p99 | "
                "candidates mean | max | passes | line steps | structure min / mean | "
                "failed |\n|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    Totals totals;
    for (const zk::PuzzleRequest& request : measured_requests())
        bench_request(request, seeds, totals);
    print_structure_distribution(totals.structure);
    print_rejections(totals.candidates);
    print_shipped_levels(level_dir);
    print_random_structure();
    const bool shaped = mean(totals.structure) >= MEAN_STRUCTURE_TARGET;
    std::printf("\n%d puzzles failed a check%s\n", totals.failures,
                shaped ? "" : "; MEAN STRUCTURE MEASURE BELOW 0.85");
    return totals.failures == 0 && shaped ? 0 : 1;
}
