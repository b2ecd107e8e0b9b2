#pragma once

// Level checker: what checking one file finds, how to check it, and the report printed for it.

#include "checker/clue_text.hpp"
#include "model/level_file.hpp"
#include "solver/board_solver.hpp"
#include "solver/drawing_verdict.hpp"

#include <optional>
#include <ostream>
#include <string>

namespace zk {

/// How to check and report.
struct CheckOptions {
    bool clues = false; ///< also print the row and column clues
    /// Colour the clues as the game's presenter in these colours would; nothing: no colour.
    std::optional<ClueColours> colours;
    bool strict = false; ///< also require the advice rules and line reasoning alone
};

/// What checking one level file found.
struct FileVerdict {
    bool readable = false;
    bool too_large = false; ///< more than MAX_LEVEL_FILE_BYTES: nothing else is checked
    bool well_formed = false;
    /// The rows formed a board the solver could take, so the advice rules and the solution
    /// were checked; the fields below are valid only then.
    bool board_checked = false;
    bool within_advice = false;
    Verdict verdict = Verdict::none;
    bool line_solvable = false;
    /// The editor's judgement of the picture, the one `strict` goes by.
    DrawingVerdict drawing = DrawingVerdict::empty;
};

/// Largest file the checker checks; a level is a few hundred bytes. A bound of its own, larger
/// than the game's MAX_LEVEL_READ_BYTES: the game stops reading where no level can reach and
/// ignores the rest, while the checker checks every byte of the file, the ones the game
/// ignores included, and refuses only a file too large to be meant as a level.
constexpr std::size_t MAX_LEVEL_FILE_BYTES = 1 << 20;
static_assert(MAX_LEVEL_FILE_BYTES >= MAX_LEVEL_READ_BYTES,
              "the checker checks all that the game reads of a file");

/// True when the file passes: readable, well formed and with a unique solution; under
/// `strict` also judged unique by judge_drawing, as the editor judges a drawing: not empty,
/// within the advice rules and solved by line reasoning alone.
bool is_good(const FileVerdict& verdict, bool strict);

/// Reads the level file at `path` once, at most MAX_LEVEL_FILE_BYTES + 1 bytes of it, and
/// writes one block about that copy to `out`: its format, and what the game's level reader
/// makes of it.
FileVerdict check_level_file(const std::string& path, const CheckOptions& options,
                             std::ostream& out);

} // namespace zk
