#pragma once

#include "model/puzzle.hpp"

#include <string>
#include <string_view>

namespace zk {

/// Directory of the levels, below the working directory.
inline constexpr std::string_view LEVEL_DIR = "plansze";
/// Longest level name and answer word the program takes.
constexpr std::size_t MAX_NAME_LENGTH = 15;

/// The rule of level names a name breaks, checked in this order; `none` for a name that may
/// name a level file.
enum class NameFault {
    none,
    empty,
    too_long,    ///< more than MAX_NAME_LENGTH characters
    separator,   ///< holds '/' or '\'
    leading_dot, ///< starts with '.'
    zero_byte,   ///< holds a zero byte, which would cut the path short
};

/// The first rule `name` breaks, so that the file always lies directly in the level directory.
NameFault level_name_fault(std::string_view name);

/// True when `name` may name a level file: 1 to 15 characters, no '/', '\' or zero byte, not
/// starting with '.'.
bool is_safe_level_name(std::string_view name);

/// "plansze/NAME.txt" below the working directory.
std::string level_path(std::string_view name);

/// The file to load for level `name`: the one in the working directory's level directory if it
/// exists, otherwise the installed one if that exists, otherwise the working-directory path.
std::string find_level_file(std::string_view name);

/// As find_level_file(name), with `install_dir` as the directory of the installed levels
/// (empty: no installed levels).
std::string find_level_file(std::string_view name, const std::string& install_dir);

/// Reads the level file at `path` into target and answer, which it clears first. A CR before
/// an LF is dropped, cells beyond row or column 14 and answer bytes beyond 31 are not stored,
/// and a line end at the very end of the answer is not part of it.
/// Returns false, changing nothing, when `path` cannot be opened or is not a regular file.
bool load_level(PuzzleState& p, const std::string& path);

/// Writes the editor's canvas layout to `path`: every non-zero byte in row order, the line
/// ends as CR LF, and `tail` in place of the byte 'x'. Creates the level directory when it is
/// missing and replaces an existing file atomically: on failure it returns false, and the
/// file at `path` is left as it was and no temporary file remains.
bool save_level(const Grid& canvas, const std::string& path, std::string_view tail);

} // namespace zk
