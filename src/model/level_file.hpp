#pragma once

#include "model/puzzle.hpp"

#include <string>
#include <string_view>

namespace zk {

/// Directory of the levels, below the working directory.
inline constexpr std::string_view LEVEL_DIR = "plansze";
/// Longest level name and answer word the program takes.
constexpr std::size_t MAX_NAME_LENGTH = 15;

/// True when `name` may name a level file: 1 to 15 characters, no '/' or '\', not starting
/// with '.', so the file always lies directly in the level directory, and nothing that
/// platform_name_refusal() refuses.
bool is_safe_level_name(std::string_view name);

/// Why this platform's file system cannot take `name` (already within the shared rules of
/// is_safe_level_name) as a level name, as a one-line message; nullptr when it can. On
/// Windows: the characters : * ? " < > |, control characters, a trailing dot or blank, and
/// the device names CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 in any case, alone or with
/// an extension. Always nullptr on POSIX.
const char* platform_name_refusal(std::string_view name);

/// "plansze/NAME.txt" below the working directory ("plansze\NAME.txt" on Windows).
std::string level_path(std::string_view name);

/// The file to load for level `name`: the one in the working directory's level directory if it
/// exists, otherwise the installed one if that exists, otherwise the working-directory path.
/// The installed levels are the build's data directory on POSIX, and the plansze folder
/// next to the executable on Windows.
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
/// missing and replaces an existing file atomically (a flushed temporary file in the same
/// directory, then a rename): on failure it returns false, and the file at `path` is left as
/// it was and no temporary file remains.
bool save_level(const Grid& canvas, const std::string& path, std::string_view tail);

} // namespace zk
