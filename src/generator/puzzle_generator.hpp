#pragma once

// New fair puzzles on request: size, grade, colour count and seed in, a picture out.

#include "model/puzzle.hpp"
#include "solver/board_solver.hpp"
#include "solver/grade.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace zk {

/// Fewest and most run colours a generated picture uses.
constexpr int MIN_PUZZLE_COLOURS = 1;
constexpr int MAX_PUZZLE_COLOURS = 5;

/// What to make. The same request always gives the same puzzle.
struct PuzzleRequest {
    int height = 12;
    int width = 12;
    Grade grade = Grade::medium;
    int colours = 4;
    std::uint32_t seed = 0;
};

/// The request with the grade's default size and colour count (easy 8 x 8 in 3 colours,
/// medium 12 x 12 in 4, hard 15 x 15 in 5) and seed 0.
PuzzleRequest default_request(Grade grade);

/// Candidate pictures the generator drew for one puzzle, and why those it threw away failed.
struct CandidateCounts {
    int drawn = 0;
    /// too little colour, a requested colour without a shape, or too many cells outside
    /// shapes, as drawn
    int plain = 0;
    int unsolved = 0;       ///< line reasoning still stalled after the local repairs
    int outside_advice = 0; ///< a column with too many runs
    int off_grade = 0;      ///< fair, but of another grade after steering
    int unreadable = 0;     ///< the repairs left the picture plain
};

/// A generated puzzle: its picture (colour letters on the request's rectangle, 0 elsewhere),
/// the solver's findings on its clues, and the work it took.
struct GeneratedPuzzle {
    Grid picture{};
    SolveReport report;
    CandidateCounts counts;
};

/// The smallest board a grade in a colour count is made on: at least `cells` cells, and
/// both sides at least `side`. Smaller boards too rarely give pictures of that grade with a
/// shape of every colour (or never: a hard 3 x 3 puzzle does not exist).
struct BoardNeeds {
    int cells;
    int side;
};

/// Cells per colour an easy, a medium and a hard puzzle's board needs; a medium one counts at
/// least MEDIUM_MIN_COUNTED_COLOURS colours; a hard one needs HARD_EXTRA_CELLS more, and both
/// sides HARD_EXTRA_SIDE longer than its colour count.
constexpr int EASY_CELLS_PER_COLOUR = 6;
constexpr int MEDIUM_CELLS_PER_COLOUR = 10;
constexpr int MEDIUM_MIN_COUNTED_COLOURS = 2;
constexpr int HARD_CELLS_PER_COLOUR = 16;
constexpr int HARD_EXTRA_CELLS = 8;
constexpr int HARD_EXTRA_SIDE = 2;

/// The smallest board for `grade` in `colours` colours (1 to 5).
BoardNeeds board_needs(Grade grade, int colours);

/// Why `request` cannot be made, as one line without its line end, or nullopt when it can:
/// the size and colour count must lie in their ranges, and the board must meet board_needs.
std::optional<std::string> refusal_of(const PuzzleRequest& request);

/// Makes the puzzle of `request`: a picture that judge_drawing
/// judges unique (line reasoning alone decides it, and it is within the advice), whose
/// grade_of is the grade asked for, in which every requested colour has a shape of at least
/// MIN_GROUP cells, at least a third of the cells are coloured and the structure measure is at
/// least MIN_STRUCTURE. Gives nullopt for a request refusal_of refuses, and after
/// MAX_CANDIDATES pictures without such a puzzle (which the generator benchmark never meets).
std::optional<GeneratedPuzzle> generate_puzzle(const PuzzleRequest& request);

/// Pictures generate_puzzle draws at most for one puzzle.
constexpr int MAX_CANDIDATES = 20000;
/// Lowest structure measure of a generated picture.
constexpr double MIN_STRUCTURE = 0.75;

/// The answer word of the puzzle made from `seed`: '#' and the seed in decimal.
std::string answer_word(std::uint32_t seed);

/// The level file of `puzzle`, byte for byte as the editor saves it, with answer_word(seed).
std::string puzzle_level_text(const GeneratedPuzzle& puzzle, const PuzzleRequest& request);

} // namespace zk
