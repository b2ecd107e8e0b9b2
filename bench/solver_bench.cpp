// Times the solver: on every shipped level, on one hard one-colour 15 x 15 board, and on
// 10,000 random pictures from a fixed seed over sizes 5 x 5 to 15 x 15, 10 % to 90 % of the
// cells painted and 1 to 5 colours. Prints the median, 99th percentile and maximum time and
// the count of each verdict, and checks every verdict against the picture it came from.
// Usage: solver_bench [LEVEL_DIRECTORY [RANDOM_BOARDS]]

#include "level_files.hpp"

#include "model/level_file.hpp"
#include "solver/board_solver.hpp"
#include "solver/clues.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int DEFAULT_RANDOM_BOARDS = 10000;
constexpr unsigned RANDOM_SEED = 20240611;
// A board's time is the median of this many runs, so that one run cut short by the scheduler
// on a busy machine does not count as the board's time.
constexpr int LEVEL_REPEATS = 51;
constexpr int RANDOM_REPEATS = 3;

// A one-colour 15 x 15 board on which a plain depth-first search runs for a long time.
constexpr std::array<const char*, 15> HARD_BOARD{
    "EEpEppppEpppppE", "ppEppEpEpppEppp", "pppEppEppEEpEpp", "pppEpppEEpEppEp", "EEEppEpppppEpEp",
    "EpEpppEEppppppE", "pppEpEEEpEEEEpE", "EEppEEpppEppEEp", "pEpEpEEppEEpppp", "ppEEEppppEEEpEE",
    "EpppppEEEEpppEp", "pEpppEppEEEpppE", "EppEEEpEpEppppp", "EpppEpEppEppEEp", "EEppEppEppppEEp"};

// Wall-clock and processor time of one solve, in microseconds.
struct Timing {
    double wall = 0;
    double cpu = 0;
};

Timing time_solve(const zk::Clues& clues, zk::SolveReport& report) {
    const std::clock_t cpu_start = std::clock();
    const auto start = Clock::now();
    report = zk::solve_board(clues);
    const auto end = Clock::now();
    const std::clock_t cpu_end = std::clock();
    return {std::chrono::duration<double, std::micro>(end - start).count(),
            1e6 * static_cast<double>(cpu_end - cpu_start) / CLOCKS_PER_SEC};
}

// The median of `repeats` runs, taken separately for wall-clock and processor time.
Timing median_time(const zk::Clues& clues, zk::SolveReport& report, int repeats) {
    std::vector<double> walls;
    std::vector<double> cpus;
    for (int i = 0; i < repeats; ++i) {
        const Timing t = time_solve(clues, report);
        walls.push_back(t.wall);
        cpus.push_back(t.cpu);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls[walls.size() / 2], cpus[cpus.size() / 2]};
}

double percentile(std::vector<double> times, double fraction) {
    std::sort(times.begin(), times.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(times.size() - 1));
    return times[index];
}

void print_summary(const char* what, const std::vector<Timing>& timings) {
    std::vector<double> walls;
    std::vector<double> cpus;
    for (const Timing& t : timings) {
        walls.push_back(t.wall);
        cpus.push_back(t.cpu);
    }
    std::printf("%s: %zu boards\n", what, timings.size());
    std::printf("  wall clock:     median %9.1f us, 99th percentile %9.1f us, max %9.1f us\n",
                percentile(walls, 0.5), percentile(walls, 0.99),
                *std::max_element(walls.begin(), walls.end()));
    std::printf("  processor time: median %9.1f us, 99th percentile %9.1f us, max %9.1f us\n",
                percentile(cpus, 0.5), percentile(cpus, 0.99),
                *std::max_element(cpus.begin(), cpus.end()));
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

bool same_clues(const zk::Clues& a, const zk::Clues& b) {
    if (a.height != b.height || a.width != b.width) return false;
    const auto same = [](const zk::RunList& x, const zk::RunList& y) {
        return x.count == y.count && std::equal(x.begin(), x.end(), y.begin());
    };
    for (int r = 0; r < a.height; ++r)
        if (!same(a.rows[r], b.rows[r])) return false;
    for (int c = 0; c < a.width; ++c)
        if (!same(a.columns[c], b.columns[c])) return false;
    return true;
}

// True when the report can stand for the clues of `picture`: a unique solution is the picture,
// several solutions differ and both fit, and "none" never comes from a real picture.
bool report_fits(const zk::Grid& picture, zk::BoardSize size, const zk::SolveReport& report) {
    const zk::Clues clues = zk::clues_of_picture(picture, size);
    switch (report.verdict) {
    case zk::Verdict::unique:
        return report.solution_count == 1 && report.solutions[0] == picture;
    case zk::Verdict::several:
        return report.solution_count == 2 && report.solutions[0] != report.solutions[1] &&
               same_clues(zk::clues_of_picture(report.solutions[0], size), clues) &&
               same_clues(zk::clues_of_picture(report.solutions[1], size), clues);
    case zk::Verdict::none:
        return false;
    case zk::Verdict::undecided:
        return true;
    }
    return false;
}

void bench_levels(const std::filesystem::path& dir) {
    const std::vector<std::filesystem::path> files = zk::bench::level_files_in(dir);
    if (files.empty()) {
        std::printf("shipped levels: none found in %s\n\n", dir.c_str());
        return;
    }
    std::vector<Timing> level_times;
    for (const auto& file : files) {
        zk::PuzzleState puzzle;
        if (!zk::load_level(puzzle, file.string())) continue;
        const zk::BoardSize size = zk::board_size(puzzle.target);
        const zk::Clues clues = zk::clues_of_picture(puzzle.target, size);
        zk::SolveReport report;
        level_times.push_back(median_time(clues, report, LEVEL_REPEATS));
        std::printf("  %-8s %2d x %-2d %-8s line-solvable %-3s difficulty %5d  %8.1f us\n",
                    file.stem().c_str(), size.height, size.width, verdict_name(report.verdict),
                    report.line_solvable ? "yes" : "no", report.difficulty,
                    level_times.back().wall);
    }
    print_summary("shipped levels", level_times);
    std::printf("\n");
}

void bench_hard_board() {
    zk::Grid picture{};
    for (int r = 0; r < zk::MAX_BOARD; ++r)
        for (int c = 0; c < zk::MAX_BOARD; ++c)
            zk::at(picture, r, c) = static_cast<std::uint8_t>(HARD_BOARD[r][c]);
    const zk::BoardSize size{zk::MAX_BOARD, zk::MAX_BOARD};
    zk::SolveReport report;
    const Timing time = median_time(zk::clues_of_picture(picture, size), report, RANDOM_REPEATS);
    std::printf("hard one-colour 15 x 15 board: %s, %d probes, %d guesses, %.1f us "
                "(processor %.1f us)%s\n\n",
                verdict_name(report.verdict), report.probes, report.guesses, time.wall, time.cpu,
                report_fits(picture, size, report) ? "" : "  WRONG VERDICT");
}

// A random picture: height and width 5 .. 15, each cell painted with a probability of 10 % to
// 90 % in one of the first 1 to 5 run colours, white otherwise.
zk::Grid random_picture(std::mt19937& rng, zk::BoardSize& size) {
    static constexpr char RUN_LETTERS[] = "EYBRG";
    size.height = std::uniform_int_distribution<int>(5, zk::MAX_BOARD)(rng);
    size.width = std::uniform_int_distribution<int>(5, zk::MAX_BOARD)(rng);
    const double density = std::uniform_real_distribution<double>(0.1, 0.9)(rng);
    const int colours = std::uniform_int_distribution<int>(1, 5)(rng);
    std::bernoulli_distribution painted(density);
    std::uniform_int_distribution<int> colour(0, colours - 1);
    zk::Grid picture{};
    for (int r = 0; r < size.height; ++r)
        for (int c = 0; c < size.width; ++c)
            zk::at(picture, r, c) =
                static_cast<std::uint8_t>(painted(rng) ? RUN_LETTERS[colour(rng)] : 'p');
    return picture;
}

// Returns the number of boards whose verdict does not fit their picture.
int bench_random(int board_count) {
    std::mt19937 rng(RANDOM_SEED);
    std::vector<Timing> times;
    std::array<int, 4> verdicts{};
    int most_guesses = 0;
    long total_probes = 0;
    long total_guesses = 0;
    int line_solvable = 0;
    int wrong = 0;
    double slowest = -1;
    std::string slowest_text;
    for (int board = 0; board < board_count; ++board) {
        zk::BoardSize size;
        const zk::Grid picture = random_picture(rng, size);
        const zk::Clues clues = zk::clues_of_picture(picture, size);
        zk::SolveReport report;
        times.push_back(median_time(clues, report, RANDOM_REPEATS));
        ++verdicts[static_cast<std::size_t>(report.verdict)];
        line_solvable += report.line_solvable ? 1 : 0;
        if (!report_fits(picture, size, report)) ++wrong;
        most_guesses = std::max(most_guesses, report.guesses);
        total_probes += report.probes;
        total_guesses += report.guesses;
        if (times.back().cpu > slowest) {
            slowest = times.back().cpu;
            slowest_text = std::string("    ") + verdict_name(report.verdict) + ", " +
                           std::to_string(report.probes) + " probes, " +
                           std::to_string(report.guesses) + " guesses\n";
            for (int r = 0; r < size.height; ++r) {
                slowest_text += "    ";
                for (int c = 0; c < size.width; ++c)
                    slowest_text += static_cast<char>(zk::at(picture, r, c));
                slowest_text += '\n';
            }
        }
    }
    print_summary("random pictures 5 x 5 .. 15 x 15, 10 .. 90 % painted, 1 .. 5 colours", times);
    std::printf("  unique %d (line reasoning alone %d), several %d, none %d, undecided %d, "
                "wrong %d;\n  most guesses on one board %d; in all %ld probes and %ld guesses; "
                "seed %u;\n  each board's time is the "
                "median of %d runs, each level's "
                "of %d\n  slowest picture:\n%s",
                verdicts[static_cast<std::size_t>(zk::Verdict::unique)], line_solvable,
                verdicts[static_cast<std::size_t>(zk::Verdict::several)],
                verdicts[static_cast<std::size_t>(zk::Verdict::none)],
                verdicts[static_cast<std::size_t>(zk::Verdict::undecided)], wrong, most_guesses,
                total_probes, total_guesses, RANDOM_SEED, RANDOM_REPEATS, LEVEL_REPEATS,
                slowest_text.c_str());
    return wrong;
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir = argc > 1 ? argv[1] : ZK_SOURCE_LEVEL_DIR;
    const int boards = argc > 2 ? std::max(1, std::atoi(argv[2])) : DEFAULT_RANDOM_BOARDS;
    bench_levels(dir);
    bench_hard_board();
    return bench_random(boards) == 0 ? 0 : 1;
}
