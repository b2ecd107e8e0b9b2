#pragma once

// Model: loading and saving level files, the rules of level names and the level search order.

#include "model/level_format.hpp"
#include "model/puzzle.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

/// Bytes of a level file that load_level reads at most. A level is a few hundred bytes; the
/// rest of a larger file is excess, ignored as the format ignores excess, so that a huge or
/// sparse file loads as quickly as a real one.
constexpr std::size_t MAX_LEVEL_READ_BYTES = 64 * 1024;

/// The rule of level names a name breaks, checked in this order; `none` for a name that may
/// name a level file.
enum class NameFault {
    none,
    empty,
    too_long,    ///< more than MAX_NAME_LENGTH characters
    separator,   ///< holds '/' or '\'
    leading_dot, ///< starts with '.'
    zero_byte,   ///< holds a zero byte, which would cut the path short
    // What only some platforms' file systems refuse (platform_name_fault).
    control_character,     ///< a byte below 32 or 127
    reserved_character,    ///< one of : * ? " < > |
    trailing_dot_or_blank, ///< ends in '.' or ' ', which the file system drops
    device_name,           ///< a device name the file system reserves in every folder
};

/// The last value of NameFault, for going through them all.
inline constexpr NameFault LAST_NAME_FAULT = NameFault::device_name;

/// The first rule `name` breaks, so that the file always lies directly in the level directory.
NameFault level_name_fault(std::string_view name);

/// True when `name` may name a level file: 1 to 15 characters, no '/', '\' or zero byte, not
/// starting with '.', and nothing that platform_name_fault() refuses.
bool is_safe_level_name(std::string_view name);

/// The file system's name for level `name`, whose bytes are code page 852 as typed: UTF-8,
/// so that a name with Polish letters names the same file for the user's other tools.
std::string file_name_of(std::string_view name);

/// Why this platform's file system cannot take `name` (already within the shared rules of
/// is_safe_level_name) as a level name; NameFault::none when it can. On Windows: control
/// characters, the characters : * ? " < > |, a trailing dot or blank, and the device names
/// CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0-COM9, LPT0-LPT9 and COM or LPT with a superscript
/// 1, 2 or 3, in any case, alone or with an extension. Always NameFault::none on POSIX.
NameFault platform_name_fault(std::string_view name);

/// "plansze/NAME.txt" below the working directory ("plansze\NAME.txt" on Windows), NAME as
/// file_name_of(name).
std::string level_path(std::string_view name);

/// The path the game screen shows for level `name`: "plansze\NAME" on every platform, the
/// name as typed.
std::string level_display_path(std::string_view name);

/// Length of what stands before the level's name in level_display_path: the level folder and
/// the backslash.
inline constexpr std::size_t LEVEL_DISPLAY_PREFIX_LENGTH = LEVEL_DIR.size() + 1;

/// Where a build keeps the levels it ships, besides the working directory's level directory.
struct LevelPlaces {
    std::string program_dir;        ///< the running program's folder; empty when unknown
    std::string installed_relative; ///< the installed levels relative to program_dir, or empty
    std::string installed_absolute; ///< the installed levels where the build put them, or empty
};

/// The folders to look for level files in, in this order: LEVEL_DIR below the working
/// directory, LEVEL_DIR beside the program, the installed levels relative to the program (so
/// that a moved installed tree still finds its own), and the installed levels' compiled-in
/// folder. Places that are empty are left out, and a folder listed twice is kept only first.
std::vector<std::string> level_search_dirs(const LevelPlaces& places);

/// This program's LevelPlaces. The program's folder comes from the operating system (on
/// Linux /proc/self/exe), or from `argv0` resolved against the working directory or PATH
/// where that fails. On Windows only the folder beside the program holds installed levels.
LevelPlaces level_places(const char* argv0);

/// The file to load for level `name`: NAME.txt (NAME as file_name_of(name)) in the first of
/// `dirs` where it is a regular file, otherwise level_path(name) below the working directory.
std::string find_level_file(std::string_view name, const std::vector<std::string>& dirs);

/// The first `max_bytes` bytes of the regular file at `path` (all of it when shorter), read
/// once through one open handle; nullopt when `path` cannot be opened, is not a regular file,
/// or a read fails.
std::optional<std::string> read_level_bytes(const std::string& path, std::size_t max_bytes);

/// Reads `bytes`, the contents of a level file, into target and answer, which it clears
/// first. A CR before an LF is dropped, cells beyond row or column 14 and answer bytes beyond
/// ANSWER_CAPACITY are not stored, and a line end at the very end of the answer is not part of
/// it. Only the first MAX_LEVEL_READ_BYTES bytes count.
void parse_level(PuzzleState& p, std::string_view bytes);

/// Reads the first MAX_LEVEL_READ_BYTES bytes of the level file at `path` as parse_level does.
/// Returns false, changing nothing, when `path` cannot be opened, is not a regular file, or
/// cannot be read.
bool load_level(PuzzleState& p, const std::string& path);

/// The editor's canvas layout of the top-left height x width rectangle of `picture`: each
/// row's cells followed by LINE_END, ANSWER_PLACEHOLDER at the start of the row below, every
/// other byte 0.
Grid level_layout(const Grid& picture, int height, int width);

/// The file contents for `canvas`: every non-zero byte in row order, line ends as CR LF, and
/// `tail` (up to a zero byte, if it holds one) in place of each ANSWER_PLACEHOLDER.
std::string level_bytes(const Grid& canvas, std::string_view tail);

/// Writes the editor's canvas layout to `path`: every non-zero byte in row order, the line
/// ends as CR LF, and `tail` in place of ANSWER_PLACEHOLDER. Creates the level directory when it is
/// missing and replaces an existing file atomically (a flushed temporary file in the same
/// directory, then a rename): on failure it returns false, and the file at `path` is left as
/// it was and no temporary file remains, nor does one when a signal ends the program during
/// the save while the terminal is held. The one failure after the rename, a failed flush of
/// the directory (POSIX), returns false with the new file already in place of the old one:
/// its name may not survive a power cut. An existing file is replaced only when the user may
/// write it, and keeps its permission bits (and on POSIX its group); a new file gets the
/// platform's default protection (0666 less the umask on POSIX).
[[nodiscard]] bool save_level(const Grid& canvas, const std::string& path, std::string_view tail);

} // namespace zk
