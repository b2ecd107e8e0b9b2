// Times the uniqueness check: on every shipped level and on 1,000 random 15 x 15 pictures in
// five colours and white from a fixed seed. Usage: solver_bench [LEVEL_DIRECTORY]

#include "model/level_file.hpp"
#include "solver/board_solver.hpp"
#include "solver/clues.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int RANDOM_BOARDS = 1000;
constexpr unsigned RANDOM_SEED = 20240611;
// A board's time is the median of this many runs, so that one run cut short by the scheduler
// on a busy machine does not count as the board's time.
constexpr int LEVEL_REPEATS = 51;
constexpr int RANDOM_REPEATS = 3;

double microseconds_for(const zk::Clues& clues, zk::SolveReport& report) {
    const auto start = Clock::now();
    report = zk::solve_board(clues);
    const auto end = Clock::now();
    return std::chrono::duration<double, std::micro>(end - start).count();
}

double percentile(std::vector<double> times, double fraction) {
    std::sort(times.begin(), times.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(times.size() - 1));
    return times[index];
}

void print_summary(const char* what, const std::vector<double>& times) {
    std::printf("%s: %zu boards, median %.1f us, 99th percentile %.1f us, max %.1f us\n", what,
                times.size(), percentile(times, 0.5), percentile(times, 0.99),
                *std::max_element(times.begin(), times.end()));
}

const char* verdict_name(zk::Verdict v) {
    switch (v) {
    case zk::Verdict::unique:
        return "unique";
    case zk::Verdict::several:
        return "several";
    case zk::Verdict::none:
        return "none";
    case zk::Verdict::undecided:
        return "undecided";
    }
    return "?";
}

void bench_levels(const std::filesystem::path& dir) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error))
        if (entry.is_regular_file() && entry.path().extension() == ".txt")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::printf("shipped levels: none found in %s\n\n", dir.c_str());
        return;
    }
    std::vector<double> level_times;
    for (const auto& file : files) {
        zk::PuzzleState puzzle;
        if (!zk::load_level(puzzle, file.string())) continue;
        const zk::BoardSize size = zk::board_size(puzzle.target);
        const zk::Clues clues = zk::clues_of_picture(puzzle.target, size);
        zk::SolveReport report;
        std::vector<double> runs;
        for (int i = 0; i < LEVEL_REPEATS; ++i) runs.push_back(microseconds_for(clues, report));
        level_times.push_back(percentile(runs, 0.5));
        std::printf("  %-8s %2d x %-2d %-8s line-solvable %-3s difficulty %4d  %7.1f us\n",
                    file.stem().c_str(), size.height, size.width, verdict_name(report.verdict),
                    report.line_solvable ? "yes" : "no", report.difficulty, level_times.back());
    }
    print_summary("shipped levels", level_times);
    std::printf("\n");
}

void bench_random() {
    static constexpr char LETTERS[] = "EYBRGp";
    std::mt19937 rng(RANDOM_SEED);
    std::uniform_int_distribution<int> colour(0, 5);
    std::vector<double> times;
    int unique = 0;
    int line_solvable = 0;
    int several = 0;
    for (int board = 0; board < RANDOM_BOARDS; ++board) {
        zk::Grid picture{};
        for (int r = 0; r < zk::MAX_BOARD; ++r)
            for (int c = 0; c < zk::MAX_BOARD; ++c)
                zk::at(picture, r, c) = static_cast<std::uint8_t>(LETTERS[colour(rng)]);
        const zk::Clues clues = zk::clues_of_picture(picture, {zk::MAX_BOARD, zk::MAX_BOARD});
        zk::SolveReport report;
        std::vector<double> runs;
        for (int i = 0; i < RANDOM_REPEATS; ++i) runs.push_back(microseconds_for(clues, report));
        times.push_back(percentile(runs, 0.5));
        unique += report.verdict == zk::Verdict::unique ? 1 : 0;
        several += report.verdict == zk::Verdict::several ? 1 : 0;
        line_solvable += report.line_solvable ? 1 : 0;
    }
    print_summary("random 15 x 15, five colours and white", times);
    std::printf("  unique %d of %d (line reasoning alone %d), several solutions %d, seed %u;\n"
                "  each board's time is the median of %d runs, each level's of %d\n",
                unique, RANDOM_BOARDS, line_solvable, several, RANDOM_SEED, RANDOM_REPEATS,
                LEVEL_REPEATS);
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir = argc > 1 ? argv[1] : ZK_SOURCE_LEVEL_DIR;
    bench_levels(dir);
    bench_random();
    return 0;
}
