#pragma once

// Level checker: the format of a level file's raw bytes, checked without the game's loader.

#include "checker/file_problem.hpp"

#include <string_view>
#include <vector>

namespace zk {

/// What the bytes of a level file say about its shape, and every way they break the format:
/// lines of colour letters ending in CR LF or LF, then `n` and an answer of 1 to 15
/// characters without blanks, then at most one line end.
struct FormatReport {
    /// In file order (by row, then column); of each repeating kind only the first
    /// MAX_LISTED_PER_KIND found.
    std::vector<FileProblem> problems;
    ProblemCounts found{};    ///< every problem found, listed or not, by kind
    int height = 0;           ///< lines before the `n` line
    int width = 0;            ///< cells in the first line
    bool rectangular = false; ///< every line has `width` cells and there is one
    bool has_answer_line = false;
};

/// Checks the raw bytes of a level file. Never fails; an empty input has one problem. Its
/// memory and time grow with the size of the input, but the problems listed do not.
FormatReport check_format(std::string_view bytes);

/// A byte as a report shows it: 'x' for printable ASCII, otherwise its value in hex.
std::string describe_byte(unsigned char byte);

} // namespace zk
