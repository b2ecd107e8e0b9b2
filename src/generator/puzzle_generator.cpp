// The puzzle generator. How a puzzle is made:
//
//  1. A random stream is seeded from the request (seed, size, grade, colour count), so the
//     same request always draws the same pictures in the same order.
//  2. A candidate picture is drawn: per-cell noise, blurred so that neighbours agree, then cut
//     at a threshold into coloured patches and white ground; the patches take the colour of
//     the nearest of a few random centres, one centre at least per requested colour. Groups
//     of fewer than MIN_GROUP cells are whitened, and runs longer than the editor's advice
//     allows are cut.
//  3. The clues are solved by line reasoning alone. Where it stalls, the picture is repaired
//     locally: one undecided cell takes white or a neighbour's colour, which changes the clues
//     of its row and column, and line reasoning starts again. A candidate that still stalls
//     after MAX_REPAIRS repairs is thrown away.
//  4. The passes line reasoning needs decide the grade (grade_of). Until they lie in the range
//     of the grade asked for, single cells are changed as in the repairs, at random, and a
//     change is kept when reasoning still solves the picture, in passes no further from the
//     range, and the picture keeps its shapes; after MAX_STEERS tries for the grade the
//     candidate goes on as it is.
//  5. The candidate is kept only when judge_drawing (the editor's own judgement) finds it
//     unique and within the advice, grade_of gives the grade asked for, every requested
//     colour has a shape, enough cells are coloured and the structure measure is high enough.
//
// Pictures are made with integer arithmetic and the generator's own random stream only, so a
// request gives the same puzzle on every platform.
//
// Why every puzzle is fair: step 5 is the only way out, and judge_drawing's verdict unique
// means line reasoning alone decided every cell of the clues, which leaves exactly one
// picture, and that no run or column breaks the advice.

#include "generator/puzzle_generator.hpp"

#include "generator/picture.hpp"
#include "generator/random_source.hpp"
#include "model/colours.hpp"
#include "model/level_file.hpp"
#include "solver/clues.hpp"
#include "solver/colour_set.hpp"
#include "solver/drawing_verdict.hpp"
#include "solver/propagation.hpp"

#include <algorithm>
#include <array>
#include <climits>
#include <vector>

namespace zk {

namespace {

// Local repairs of one candidate before it is thrown away.
constexpr int MAX_REPAIRS = 60;
// Changes tried on one fair candidate to bring its passes into the grade's range, by grade:
// most drawn pictures are easy or nearly so, and drawing another is cheaper than steering one
// down, while a hard picture is rare enough to be worth many tries.
constexpr std::array<int, 3> MAX_STEERS{40, 400, 400};
// Lowest structure measure a steering change may leave, well above MIN_STRUCTURE so that
// the pictures stay shapes on average.
constexpr double STEER_MIN_STRUCTURE = 0.9;
// Share of the cells a generated picture colours at least.
constexpr double MIN_COLOURED_SHARE = 1.0 / 3.0;

// Share of coloured cells a grade's pictures aim at, lowest and highest, per mille: fuller
// pictures give longer runs, which line reasoning settles sooner.
struct FillRange {
    int low;
    int high;
};
constexpr std::array<FillRange, 3> GRADE_FILL{{{600, 800}, {500, 700}, {450, 650}}};

// The run colours in the colour table's order.
std::array<std::uint8_t, MAX_PUZZLE_COLOURS> run_letters() {
    std::array<std::uint8_t, MAX_PUZZLE_COLOURS> letters{};
    int n = 0;
    for (const Colour& colour : COLOUR_TABLE)
        if (is_run_colour(colour.letter)) letters[n++] = colour.letter;
    return letters;
}

// `count` different run colours in random order (the first `count` of a shuffle).
std::vector<std::uint8_t> pick_letters(RandomSource& random, int count) {
    std::array<std::uint8_t, MAX_PUZZLE_COLOURS> letters = run_letters();
    for (int i = 0; i < count; ++i) {
        const int j = i + static_cast<int>(below(random, MAX_PUZZLE_COLOURS - i));
        std::swap(letters[i], letters[j]);
    }
    return {letters.begin(), letters.begin() + count};
}

// True when the picture keeps its shapes: at least MIN_COLOURED_SHARE of the cells coloured,
// a shape in each of `letters`, and a structure measure of at least `min_structure`.
bool is_readable(const Grid& picture, int height, int width,
                 const std::vector<std::uint8_t>& letters, double min_structure) {
    const ShapeSummary shapes = shape_summary(picture, height, width);
    if (shapes.coloured < MIN_COLOURED_SHARE * shapes.cells) return false;
    for (std::uint8_t letter : letters)
        if ((shapes.shaped_colours & colour_bit(letter)) == 0) return false;
    return structure_measure(shapes) >= min_structure;
}

// Line reasoning alone on the clues of `picture`: where it stopped and the passes it took.
struct LineSolve {
    bool solved = false;
    int passes = 0;
    SolverBoard board;
};

LineSolve line_solve(const Grid& picture, int height, int width) {
    const Clues clues = clues_of_picture(picture, {height, width});
    LineSolve result;
    result.board = open_board(clues);
    PropagationCounters counters;
    result.solved =
        propagate(clues, result.board, all_lines(result.board), counters) == Propagation::solved;
    result.passes = counters.passes;
    return result;
}

// Gives cell `cell` (a grid index inside the rectangle) white or the colour of a side
// neighbour, other than its own; a white cell among white ones takes one of `letters`. Then
// cuts any run this made too long.
void change_cell(Grid& picture, int height, int width, int cell,
                 const std::vector<std::uint8_t>& letters, RandomSource& random) {
    const int r = cell / GRID_STRIDE, c = cell % GRID_STRIDE;
    std::vector<std::uint8_t> choices;
    const auto offer = [&](std::uint8_t letter) {
        if (letter != picture[cell] &&
            std::find(choices.begin(), choices.end(), letter) == choices.end())
            choices.push_back(letter);
    };
    offer(WHITE);
    if (r > 0) offer(at(picture, r - 1, c));
    if (r + 1 < height) offer(at(picture, r + 1, c));
    if (c > 0) offer(at(picture, r, c - 1));
    if (c + 1 < width) offer(at(picture, r, c + 1));
    if (choices.empty()) choices = letters;
    picture[cell] = choices[below(random, static_cast<std::uint32_t>(choices.size()))];
    cut_long_runs(picture, height, width);
}

// Repairs `picture` until line reasoning alone solves its clues, changing one cell that it
// left undecided at a time. Returns the last solve; not solved when MAX_REPAIRS repairs were
// not enough.
LineSolve repair(Grid& picture, int height, int width, const std::vector<std::uint8_t>& letters,
                 RandomSource& random) {
    for (int repairs = 0;; ++repairs) {
        const LineSolve solve = line_solve(picture, height, width);
        if (solve.solved || repairs == MAX_REPAIRS) return solve;
        std::vector<int> undecided;
        for (int r = 0; r < height; ++r)
            for (int c = 0; c < width; ++c)
                if (!is_decided(solve.board.cell(r, c))) undecided.push_back(r * GRID_STRIDE + c);
        change_cell(picture, height, width,
                    undecided[below(random, static_cast<std::uint32_t>(undecided.size()))], letters,
                    random);
    }
}

// How many passes `passes` lies outside the range of `grade`.
int passes_off(int passes, Grade grade) {
    const int low = grade == Grade::easy     ? 0
                    : grade == Grade::medium ? EASY_MAX_PASSES + 1
                                             : HARD_MIN_PASSES;
    const int high = grade == Grade::hard     ? INT_MAX
                     : grade == Grade::medium ? HARD_MIN_PASSES - 1
                                              : EASY_MAX_PASSES;
    return passes < low ? low - passes : passes > high ? passes - high : 0;
}

// Moves a line-solvable picture towards `grade`: changes one random cell at a time and keeps
// the change when line reasoning still solves the picture in passes no further from the
// grade's range and the picture keeps its shapes, at most MAX_STEERS[grade] times.
void steer(Grid& picture, int height, int width, const std::vector<std::uint8_t>& letters,
           Grade grade, int passes, RandomSource& random) {
    int off = passes_off(passes, grade);
    const int tries = MAX_STEERS[static_cast<std::size_t>(grade)];
    for (int i = 0; i < tries && off > 0; ++i) {
        Grid trial = picture;
        const int cell =
            static_cast<int>(below(random, static_cast<std::uint32_t>(height))) * GRID_STRIDE +
            static_cast<int>(below(random, static_cast<std::uint32_t>(width)));
        change_cell(trial, height, width, cell, letters, random);
        const LineSolve solve = line_solve(trial, height, width);
        if (!solve.solved || passes_off(solve.passes, grade) > off ||
            !is_readable(trial, height, width, letters, STEER_MIN_STRUCTURE))
            continue;
        picture = trial;
        off = passes_off(solve.passes, grade);
    }
}

} // namespace

PuzzleRequest default_request(Grade grade) {
    switch (grade) {
    case Grade::easy:
        return {8, 8, grade, 3, 0};
    case Grade::medium:
        return {12, 12, grade, 4, 0};
    case Grade::hard:
        break;
    }
    return {15, 15, Grade::hard, 5, 0};
}

std::optional<std::string> refusal_of(const PuzzleRequest& request) {
    if (!is_valid_board_size(request.height, request.width))
        return "the size must be HxW with H and W from " + std::to_string(MIN_BOARD) + " to " +
               std::to_string(MAX_BOARD);
    if (request.colours < MIN_PUZZLE_COLOURS || request.colours > MAX_PUZZLE_COLOURS)
        return "the colour count must be " + std::to_string(MIN_PUZZLE_COLOURS) + " to " +
               std::to_string(MAX_PUZZLE_COLOURS);
    const BoardNeeds needs = board_needs(request.grade, request.colours);
    const int cells = request.height * request.width;
    const int side = std::min(request.height, request.width);
    if (cells >= needs.cells && side >= needs.side) return std::nullopt;
    std::string why = std::string(grade_name(request.grade)) + " puzzles in " +
                      std::to_string(request.colours) +
                      (request.colours == 1 ? " colour" : " colours") +
                      " need a board of at least " + std::to_string(needs.cells) + " cells";
    if (needs.side > MIN_BOARD) why += ", each side " + std::to_string(needs.side) + " or more";
    return why + (request.colours == 1 ? ": choose a larger size"
                                       : ": choose a larger size or fewer colours");
}

BoardNeeds board_needs(Grade grade, int colours) {
    switch (grade) {
    case Grade::easy:
        return {EASY_CELLS_PER_COLOUR * colours, MIN_BOARD};
    case Grade::medium:
        return {MEDIUM_CELLS_PER_COLOUR * std::max(colours, MEDIUM_MIN_COUNTED_COLOURS), MIN_BOARD};
    case Grade::hard:
        break;
    }
    return {HARD_CELLS_PER_COLOUR * colours + HARD_EXTRA_CELLS, colours + HARD_EXTRA_SIDE};
}

std::optional<GeneratedPuzzle> generate_puzzle(const PuzzleRequest& r) {
    if (refusal_of(r)) return std::nullopt;
    RandomSource random{std::uint64_t{r.seed} | std::uint64_t(r.height) << 32 |
                        std::uint64_t(r.width) << 36 | std::uint64_t(r.grade) << 40 |
                        std::uint64_t(r.colours) << 44};
    const FillRange fill = GRADE_FILL[static_cast<std::size_t>(r.grade)];
    GeneratedPuzzle puzzle;
    CandidateCounts& counts = puzzle.counts;
    while (counts.drawn < MAX_CANDIDATES) {
        ++counts.drawn;
        const std::vector<std::uint8_t> letters = pick_letters(random, r.colours);
        const int share = fill.low + static_cast<int>(below(random, fill.high - fill.low + 1));
        Grid picture = draw_picture(random, r.height, r.width, letters, share);
        drop_specks(picture, r.height, r.width);
        cut_long_runs(picture, r.height, r.width);
        if (!is_readable(picture, r.height, r.width, letters, MIN_STRUCTURE)) {
            ++counts.plain;
            continue;
        }
        const LineSolve solve = repair(picture, r.height, r.width, letters, random);
        if (!solve.solved) {
            ++counts.unsolved;
            continue;
        }
        steer(picture, r.height, r.width, letters, r.grade, solve.passes, random);
        const SolveReport report = solve_board(clues_of_picture(picture, {r.height, r.width}));
        if (judge_drawing(picture, r.height, r.width, report) != DrawingVerdict::unique) {
            ++counts.outside_advice;
            continue;
        }
        if (grade_of(report) != r.grade) {
            ++counts.off_grade;
            continue;
        }
        if (!is_readable(picture, r.height, r.width, letters, MIN_STRUCTURE)) {
            ++counts.unreadable;
            continue;
        }
        puzzle.picture = picture;
        puzzle.report = report;
        return puzzle;
    }
    return std::nullopt;
}

std::string answer_word(std::uint32_t seed) {
    return std::string(1, '#') + std::to_string(seed);
}

std::string puzzle_level_text(const GeneratedPuzzle& puzzle, const PuzzleRequest& request) {
    const std::string tail = static_cast<char>(ANSWER_MARKER) + answer_word(request.seed);
    return level_bytes(level_layout(puzzle.picture, request.height, request.width), tail);
}

} // namespace zk
