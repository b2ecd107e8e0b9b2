#pragma once

// Level checker: one problem found in a level file, its kind and place, and how many of each
// kind a report lists.

#include <array>
#include <cstddef>
#include <string>

namespace zk {

/// The kinds of problem a file can have many of, so that a report lists only the first few
/// of each; `single` is every kind that occurs at most once in a file.
enum class ProblemKind { single, bad_byte, row_length, answer_byte, long_run, crowded_column };
constexpr std::size_t PROBLEM_KINDS = 6;

/// Problems of one repeating kind that a report lists; the rest are only counted.
constexpr std::size_t MAX_LISTED_PER_KIND = 20;

/// How many problems of each kind were found, indexed by ProblemKind.
using ProblemCounts = std::array<std::size_t, PROBLEM_KINDS>;

/// One thing wrong with a level file, at a 1-based line (row) and byte column of that line.
struct FileProblem {
    int row = 1;
    int col = 1;
    std::string message;
    ProblemKind kind = ProblemKind::single;
};

} // namespace zk
