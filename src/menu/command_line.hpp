#pragma once

#include "console/palette.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

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
    /// One line without its line end, for usage_error and refused.
    std::string error;
};

/// Understands `args`, the arguments after the program's name: --help (or /?), --version,
/// --palette=NAME (or --palette NAME), "--" ending the options, and at most one level name.
/// The first help, version or faulty argument decides, in the order given. Without a
/// --palette option the palette is `palette_variable` (the value of PALETTE_VARIABLE; nullptr
/// or empty: unset). A level name that is UTF-8 of characters code page 852 has is converted
/// to it, as a terminal's typing is; UTF-8 with any other character is refused; a name that
/// is not UTF-8 is kept byte for byte.
CommandLine parse_command_line(const std::vector<std::string_view>& args,
                               const char* palette_variable);

/// The usage: the options, the level folders `level_dirs` in the order they are searched,
/// and where the editor saves levels. Ends with a line end.
std::string usage_text(const std::vector<std::string>& level_dirs);

/// The program's name and version on one line, ending with a line end.
std::string version_text();

} // namespace zk
