#pragma once

#include "solver/board_solver.hpp"
#include "solver/drawing_verdict.hpp"

#include <ostream>
#include <string>

namespace zk {

/// How to check and report.
struct CheckOptions {
    bool clues = false;  ///< also print the row and column clues
    bool colour = false; ///< colour the clues with ANSI escapes
    bool strict = false; ///< also require the advice rules and line reasoning alone
};

/// What checking one level file found.
struct FileVerdict {
    bool readable = false;
    bool well_formed = false;
    bool within_advice = false;
    bool solver_ran = false; ///< the board was a rectangle the solver could take
    Verdict verdict = Verdict::none;
    bool line_solvable = false;
    /// The editor's judgement of the picture, the one `strict` goes by (valid when solver_ran).
    DrawingVerdict drawing = DrawingVerdict::empty;
};

/// Largest file the checker reads; a level is a few hundred bytes.
constexpr std::size_t MAX_LEVEL_FILE_BYTES = 1 << 20;

/// True when the file passes: readable, well formed and with a unique solution; under
/// `strict` also judged unique by judge_drawing, as the editor judges a drawing: not empty,
/// within the advice rules and solved by line reasoning alone.
bool is_good(const FileVerdict& verdict, bool strict);

/// Checks the level file at `path` (read with the game's level reader, its raw bytes read
/// again for the format check) and writes one block about it to `out`.
FileVerdict check_level_file(const std::string& path, const CheckOptions& options,
                             std::ostream& out);

} // namespace zk
