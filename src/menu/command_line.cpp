#include "menu/command_line.hpp"

#include "console/cp852.hpp"
#include "console/printable_text.hpp"
#include "model/level_file.hpp"

#ifndef ZK_VERSION
#define ZK_VERSION "unknown"
#endif

namespace zk {

namespace {

constexpr std::string_view PROGRAM = "zimvokrelt";
constexpr std::string_view PALETTE_OPTION = "--palette";

// The help switch Windows programs answer to.
constexpr std::string_view WINDOWS_HELP = "/?";

// `word` as the menu reads it typed on a UTF-8 terminal: code page 852 bytes. A word that is
// not UTF-8 stays as it is; nullopt for UTF-8 with a character code page 852 lacks, which no
// level name the game can hold has.
std::optional<std::string> menu_word(std::string_view word) {
    if (!is_utf8(word)) return std::string(word);
    return cp852_of_utf8(word);
}

CommandLine fault(CommandAction action, std::string why) {
    CommandLine line;
    line.action = action;
    line.error = std::string(PROGRAM) + ": " + why;
    return line;
}

// The bytes of arguments and of the environment are shown escaped: they must not act as
// terminal commands on standard error.
std::string unknown_palette(std::string_view name, std::string_view source) {
    return "unknown palette '" + printable_text(name) + "'" + std::string(source) +
           " (classic or colour-blind)";
}

} // namespace

CommandLine parse_command_line(const std::vector<std::string_view>& args,
                               const char* palette_variable) {
    CommandLine line;
    bool palette_given = false;
    bool options_ended = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (options_ended || (!arg.starts_with('-') && arg != WINDOWS_HELP) || arg == "-") {
            if (line.level) return fault(CommandAction::usage_error, "too many arguments");
            line.level = menu_word(arg);
            if (!line.level)
                return fault(CommandAction::refused, "the level name holds a character the game "
                                                     "cannot show (not in code page 852)");
        } else if (arg == "--") {
            options_ended = true;
        } else if (arg == "--help" || arg == WINDOWS_HELP) {
            line.action = CommandAction::help;
            return line;
        } else if (arg == "--version") {
            line.action = CommandAction::version;
            return line;
        } else if (arg == PALETTE_OPTION || arg.starts_with("--palette=")) {
            std::string_view name;
            if (arg.size() > PALETTE_OPTION.size()) {
                name = arg.substr(PALETTE_OPTION.size() + 1);
            } else if (i + 1 < args.size()) {
                name = args[++i];
            } else {
                return fault(CommandAction::usage_error, "option '--palette' needs a name");
            }
            const std::optional<Palette> palette = palette_named(name);
            if (!palette) return fault(CommandAction::refused, unknown_palette(name, ""));
            line.palette = *palette;
            palette_given = true;
        } else {
            return fault(CommandAction::usage_error,
                         "unknown option '" + printable_text(arg) + "'");
        }
    }
    if (!palette_given && palette_variable != nullptr && *palette_variable != '\0') {
        const std::optional<Palette> palette = palette_named(palette_variable);
        if (!palette)
            return fault(CommandAction::refused,
                         unknown_palette(palette_variable, " in " + std::string(PALETTE_VARIABLE)));
        line.palette = *palette;
    }
    return line;
}

std::string usage_text(const std::vector<std::string>& level_dirs) {
    std::string text =
        "Usage: zimvokrelt [OPTION]... [LEVEL]\n"
        "A colour nonogram for the text console. LEVEL opens that level at once,\n"
        "as if typed at the main menu; without it the game starts at the menu.\n"
        "\n"
        "  --palette=NAME  colours: classic (the default) or colour-blind; the\n"
        "                  environment variable ZIMVOKRELT_PALETTE=NAME sets it too,\n"
        "                  the option wins\n"
        "  --help          print this help and exit\n"
        "  --version       print the version and exit\n"
        "\n"
        "A level LEVEL is the file LEVEL.txt in the first of these folders that\n"
        "holds it:\n";
    for (const std::string& dir : level_dirs) {
        text += "  " + dir;
        if (dir == LEVEL_DIR) text += " (below the working directory)";
        text += '\n';
    }
    text += "The editor saves levels in ";
    text += LEVEL_DIR;
    text += " below the working directory.\n";
    return text;
}

std::string version_text() {
    return std::string(PROGRAM) + " " + ZK_VERSION + "\n";
}

} // namespace zk
