#pragma once

// Program entry: the game's command line, its options and faults, and the help text.

#include "console/palette.hpp"
#include "generator/puzzle_generator.hpp"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

/// Where the seed of a generated puzzle comes from.
enum class SeedSource {
    given,   ///< --seed=N
    entropy, ///< the system's entropy
    today,   ///< --daily: daily_seed of today's date in UTC
};

/// What the command line asks the program to do.
enum class CommandAction {
    play,        ///< take the console and play
    help,        ///< print usage_text() on standard output and end with status 0
    version,     ///< print version_text() on standard output and end with status 0
    usage_error, ///< print `error` and usage_text() on standard error and end with status 2
    refused,     ///< print `error` alone on standard error and end with status 2
};

/// The command line, understood.
struct CommandLine {
    CommandAction action = CommandAction::play;
    Palette palette = Palette::classic;
    /// The level to open at once, as the menu would have read it typed (code page 852 bytes);
    /// nothing to start at the menu.
    std::optional<std::string> level;
    /// --random or --daily: the puzzle to make and play instead of a level, which refusal_of
    /// accepts. Its seed holds only when seed_source is SeedSource::given.
    std::optional<PuzzleRequest> puzzle;
    SeedSource seed_source = SeedSource::entropy;
    /// --print: write the puzzle's level file to standard output instead of playing it.
    bool print = false;
    /// One line without its line end, for usage_error and refused.
    std::string error;
};

/// Understands `args`, the arguments after the program's name: --help (or /?), --version,
/// --palette=NAME (or --palette NAME), the puzzle options --random, --daily, --size=HxW,
/// --grade=GRADE, --colours=N, --seed=N and --print (their values also as the next argument),
/// "--" ending the options, and at most one level name. The first help, version or faulty
/// argument decides, in the order given; then a puzzle option without --random or --daily,
/// --random with --daily or with a level, --daily with a value option, and a puzzle that
/// refusal_of refuses are refused. A later value of an option replaces an earlier one. Without a
/// --palette option the palette is `palette_variable` (the value of PALETTE_VARIABLE; nullptr
/// or empty: unset). A level name that is UTF-8 of characters code page 852 has is converted
/// to it, as a terminal's typing is; UTF-8 with any other character is refused; a name that
/// is not UTF-8 is kept byte for byte.
CommandLine parse_command_line(const std::vector<std::string_view>& args,
                               const char* palette_variable);

/// The seed of the daily puzzle of `day`: its date as the number YYYYMMDD.
std::uint32_t daily_seed(std::chrono::sys_days day);

/// The usage: the options, the level folders `level_dirs` in the order they are searched,
/// and where the editor saves levels. Ends with a line end.
std::string usage_text(const std::vector<std::string>& level_dirs);

/// The program's name and version on one line, ending with a line end.
std::string version_text();

} // namespace zk
