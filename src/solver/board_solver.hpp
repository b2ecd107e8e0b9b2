#pragma once

// Solver: how many solutions the clues of a board allow, and the solutions found.

#include "model/puzzle.hpp"
#include "solver/clues.hpp"

#include <array>

namespace zk {

/// How many solutions a set of clues allows. `undecided` means the guess limit ran out first.
enum class Verdict { unique, several, none, undecided };

/// Guesses the search may make before it gives up with Verdict::undecided: a safety bound only.
/// Boards up to 15 x 15 in up to five colours need a few dozen guesses at most (the solver
/// benchmark prints the most it met), each taking well under a millisecond.
constexpr int DEFAULT_GUESS_LIMIT = 20000;

/// The solver's findings on one set of clues.
struct SolveReport {
    Verdict verdict = Verdict::none;
    /// True when line reasoning alone (no probe, no guess) decides every cell.
    bool line_solvable = false;
    /// Solutions found, 0 to 2; with two they differ in at least one cell.
    int solution_count = 0;
    /// The found solutions as cell letters in the top-left height x width rectangle, 0 elsewhere.
    std::array<Grid, 2> solutions{};
    /// Passes of line reasoning on the board itself (not counting those inside probes).
    int line_passes = 0;
    /// Line solver calls on the board itself that narrowed a line.
    int line_steps = 0;
    /// Trial values set on an undecided cell to see what line reasoning makes of them, at the
    /// start and after every guess.
    int probes = 0;
    /// Trial values the search had to follow (after probing stalled).
    int guesses = 0;
    /// line_steps + PROBE_WEIGHT * probes + GUESS_WEIGHT * guesses: grows with the size of
    /// the board and with how much reasoning and guessing it takes.
    int difficulty = 0;
};

constexpr int PROBE_WEIGHT = 5;
constexpr int GUESS_WEIGHT = 50;

/// Decides whether `clues` have no, one or several solutions: line reasoning to a fixed
/// point; then probing, which tries each value of each undecided cell with line reasoning and
/// keeps only the colours that some non-contradicting trial leaves; then a depth-first search
/// that guesses on the cell whose trials decided the most and probes again after every guess,
/// until two different solutions are found or every branch has ended.
/// The result is the same for every call with the same clues.
SolveReport solve_board(const Clues& clues, int guess_limit = DEFAULT_GUESS_LIMIT);

} // namespace zk
