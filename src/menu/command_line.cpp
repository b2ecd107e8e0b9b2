// The game's command line read into what the program should do: a level, a palette, a
// generated puzzle, the help, the version, or a fault with its one-line reason.

#include "menu/command_line.hpp"

#include "model/level_file.hpp"
#include "text/cp852.hpp"
#include "text/printable_text.hpp"
#include "text/utf8.hpp"

#include <array>
#include <charconv>
#include <tuple>
#include <utility>

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

// The puzzle options as given, checked together once every argument is read.
struct PuzzleArguments {
    bool random = false;
    bool daily = false;
    bool print = false;
    std::optional<std::pair<int, int>> size;
    std::optional<Grade> grade;
    std::optional<int> colours;
    std::optional<std::uint32_t> seed;
    /// The first puzzle option other than --random and --daily, for its refusal without them.
    std::string_view first;
};

constexpr std::array<std::string_view, 4> PUZZLE_VALUE_OPTIONS{"--size", "--grade", "--colours",
                                                               "--seed"};

// The puzzle option that takes a value which `arg` is (alone or with "=VALUE"), or empty.
std::string_view puzzle_value_option(std::string_view arg) {
    for (std::string_view name : PUZZLE_VALUE_OPTIONS)
        if (arg.starts_with(name) && (arg.size() == name.size() || arg[name.size()] == '='))
            return name;
    return {};
}

// The value of option `name`, which args[i] is: after its "=", or else the next argument, which
// `i` then moves past; nothing when neither is there.
std::optional<std::string_view> option_value(const std::vector<std::string_view>& args,
                                             std::size_t& i, std::string_view name) {
    if (args[i].size() > name.size()) return args[i].substr(name.size() + 1);
    if (i + 1 < args.size()) return args[++i];
    return std::nullopt;
}

// A whole decimal number without sign of 0 .. 4294967295.
std::optional<std::uint32_t> plain_number(std::string_view text) {
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, fault] = std::from_chars(text.data(), end, value);
    if (text.empty() || fault != std::errc() || stop != end) return std::nullopt;
    return value;
}

// Takes `value` of the puzzle option `name` into `a`; the reason for the refusal of a bad one.
std::optional<std::string> take_puzzle_value(std::string_view name, std::string_view value,
                                             PuzzleArguments& a) {
    // Built in place: GCC 12's -Wrestrict misreads "'" + text + "'".
    std::string quoted = printable_text(value);
    quoted.insert(0, 1, '\'').push_back('\'');
    if (name == "--size") {
        const std::size_t x = value.find('x');
        const auto height = plain_number(value.substr(0, x));
        const auto width =
            x == std::string_view::npos ? std::nullopt : plain_number(value.substr(x + 1));
        if (!height || !width ||
            !is_valid_board_size(static_cast<int>(std::min(*height, 99u)),
                                 static_cast<int>(std::min(*width, 99u))))
            return "bad size " + quoted + " (HxW, H and W from " + std::to_string(MIN_BOARD) +
                   " to " + std::to_string(MAX_BOARD) + ")";
        a.size = {static_cast<int>(*height), static_cast<int>(*width)};
    } else if (name == "--grade") {
        a.grade = grade_named(value);
        if (!a.grade) return "unknown grade " + quoted + " (easy, medium or hard)";
    } else if (name == "--colours") {
        const auto colours = plain_number(value);
        if (!colours || *colours < MIN_PUZZLE_COLOURS || *colours > MAX_PUZZLE_COLOURS)
            return "bad colour count " + quoted + " (" + std::to_string(MIN_PUZZLE_COLOURS) +
                   " to " + std::to_string(MAX_PUZZLE_COLOURS) + ")";
        a.colours = static_cast<int>(*colours);
    } else {
        a.seed = plain_number(value);
        if (!a.seed) return "bad seed " + quoted + " (0 to 4294967295)";
    }
    return std::nullopt;
}

// Completes `line` with the puzzle the options ask for, or refuses them.
CommandLine with_puzzle(CommandLine line, const PuzzleArguments& a) {
    if (!a.random && !a.daily) {
        if (a.first.empty()) return line;
        return fault(CommandAction::refused,
                     "option '" + std::string(a.first) + "' needs --random or --daily");
    }
    if (a.random && a.daily)
        return fault(CommandAction::refused, "--random and --daily exclude each other");
    const std::string maker = a.random ? "--random" : "--daily";
    if (line.level)
        return fault(CommandAction::refused, maker + " makes its own puzzle, so no LEVEL with it");
    if (a.daily && (a.size || a.grade || a.colours || a.seed))
        return fault(CommandAction::refused,
                     "--daily takes only --print: its puzzle is the same for everyone");
    PuzzleRequest request = default_request(a.grade.value_or(Grade::medium));
    if (a.size) std::tie(request.height, request.width) = *a.size;
    request.colours = a.colours.value_or(request.colours);
    request.seed = a.seed.value_or(0);
    if (const std::optional<std::string> why = refusal_of(request))
        return fault(CommandAction::refused, *why);
    line.puzzle = request;
    line.seed_source = a.daily  ? SeedSource::today
                       : a.seed ? SeedSource::given
                                : SeedSource::entropy;
    line.print = a.print;
    return line;
}

} // namespace

CommandLine parse_command_line(const std::vector<std::string_view>& args,
                               const char* palette_variable) {
    CommandLine line;
    bool palette_given = false;
    bool options_ended = false;
    PuzzleArguments puzzle;
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
            const std::optional<std::string_view> name = option_value(args, i, PALETTE_OPTION);
            if (!name) return fault(CommandAction::usage_error, "option '--palette' needs a name");
            const std::optional<Palette> palette = palette_named(*name);
            if (!palette) return fault(CommandAction::refused, unknown_palette(*name, ""));
            line.palette = *palette;
            palette_given = true;
        } else if (arg == "--random" || arg == "--daily") {
            (arg == "--random" ? puzzle.random : puzzle.daily) = true;
        } else if (arg == "--print") {
            puzzle.print = true;
            if (puzzle.first.empty()) puzzle.first = arg;
        } else if (const std::string_view name = puzzle_value_option(arg); !name.empty()) {
            const std::optional<std::string_view> value = option_value(args, i, name);
            if (!value)
                return fault(CommandAction::usage_error,
                             "option '" + std::string(name) + "' needs a value");
            if (const std::optional<std::string> why = take_puzzle_value(name, *value, puzzle))
                return fault(CommandAction::refused, *why);
            if (puzzle.first.empty()) puzzle.first = name;
        } else {
            return fault(CommandAction::usage_error,
                         "unknown option '" + printable_text(arg) + "'");
        }
    }
    line = with_puzzle(std::move(line), puzzle);
    if (line.action != CommandAction::play) return line;
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
        "  --random        make a new puzzle and play it at once; its answer word is\n"
        "                  # and its seed (#48213), which --seed makes again\n"
        "  --daily         today's puzzle, the same for everyone: --random with the\n"
        "                  default grade and the date in UTC as the seed (20261208)\n"
        "  --size=HxW      H rows and W columns, each 2 to 15; by default easy 8x8,\n"
        "                  medium 12x12, hard 15x15\n"
        "  --grade=GRADE   easy, medium (the default) or hard (see below)\n"
        "  --colours=N     run colours in the picture, 1 to 5; by default easy 3,\n"
        "                  medium 4, hard 5\n"
        "  --seed=N        0 to 4294967295: the same seed, size, grade and colours give\n"
        "                  the same puzzle; without it the seed is random\n"
        "  --print         write the puzzle as a level file to standard output and exit\n"
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
    const auto number = [](int n) { return std::to_string(n); };
    text += "\nEvery puzzle made has exactly one picture, which line reasoning alone\n"
            "reaches. Its grade counts the passes over the board that takes (each pass\n"
            "looks at the rows, then the columns, that changed since last looked at):\n"
            "easy up to " +
            number(EASY_MAX_PASSES) + ", hard " + number(HARD_MIN_PASSES) +
            " or more, medium between. Boards too small are refused:\n"
            "per colour, easy needs " +
            number(EASY_CELLS_PER_COLOUR) + " cells, medium " + number(MEDIUM_CELLS_PER_COLOUR) +
            " (counting at least " + number(MEDIUM_MIN_COUNTED_COLOURS) + " colours), and\nhard " +
            number(HARD_CELLS_PER_COLOUR) + " and " + number(HARD_EXTRA_CELLS) +
            " more, with both sides " + number(HARD_EXTRA_SIDE) +
            " longer than the colour count.\n";
    return text;
}

std::uint32_t daily_seed(std::chrono::sys_days day) {
    const std::chrono::year_month_day date(day);
    return static_cast<std::uint32_t>(static_cast<int>(date.year()) * 10000 +
                                      static_cast<int>(static_cast<unsigned>(date.month())) * 100 +
                                      static_cast<int>(static_cast<unsigned>(date.day())));
}

std::string version_text() {
    return std::string(PROGRAM) + " " + ZK_VERSION + "\n";
}

} // namespace zk
