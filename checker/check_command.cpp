// The zimvokrelt-check command: its options and help, the palette from the option or the
// environment, and the loop over the files with their reports and the exit status.

#include "checker/check_command.hpp"

#include "checker/file_patterns.hpp"
#include "checker/file_problem.hpp"
#include "checker/level_report.hpp"
#include "model/level_format.hpp"
#include "model/puzzle.hpp"
#include "solver/board_solver.hpp"
#include "solver/drawing_verdict.hpp"
#include "solver/grade.hpp"
#include "text/printable_text.hpp"

#include <string>
#include <utility>
#include <vector>

namespace zk {

namespace {

constexpr const char* USAGE = "usage: zimvokrelt-check [--clues] [--strict] [--palette=NAME] "
                              "[--] FILE...\n"
                              "       zimvokrelt-check --help\n";

// The help text; its limits are the ones the checker applies.
std::string help_text() {
    using std::to_string;
    const std::string sides = to_string(MIN_BOARD) + " to " + to_string(MAX_BOARD);
    return R"(Checks ZimvoKrelt level files: their format, the editor's advice rules, and whether
their clues have exactly one solution.

Options:
  --clues   also print the row and column clues of each level (run length and colour
            letter, in order; coloured when the output is a terminal, as the game colours
            them there: in the colours its TERM and COLORTERM give, in the palette below)
  --palette=NAME, --palette NAME
            the palette of the coloured clues: classic (the default) or colour-blind; the
            environment variable )" +
           std::string(PALETTE_VARIABLE) + R"(=NAME sets it too, the option wins
  --strict  also fail a level that is all white, breaks an advice rule, or that line
            reasoning alone does not solve (the editor's judgement of a drawing; the
            standard for the levels that ship with the game)
  --help, -h, /?
            print this text and exit
  --        end of options; every later argument is a file

For each FILE one block is printed. A file that cannot be read, or is larger than
)" + to_string(MAX_LEVEL_FILE_BYTES) +
           R"( bytes, gets one line saying so and the result; any other file gets:
  board     rows x columns of the picture, and the answer word (code page 852 letters
            shown in UTF-8, control bytes as \xNN)
  format    each problem as FILE:ROW:COLUMN: message (the first )" +
           to_string(MAX_LISTED_PER_KIND) + R"( of each kind, then a
            count of the rest; bytes of the file name that are not printable ASCII shown
            as \xNN). A level is lines of the colour letters )" +
           cell_letter_list() + R"( (green,
            yellow, blue, red, grey, white), all of one length, )" +
           sides + " lines of " + sides + R"(
            letters, each ending in CR LF or LF; then the letter )" +
           static_cast<char>(ANSWER_MARKER) + R"( and the answer: 1 to )" +
           to_string(MAX_NAME_LENGTH) + R"(
            characters, no blanks (bytes 128 to 255 are code page 852 letters); then at
            most one line end.
  advice    the editor's rules: no run longer than )" +
           to_string(ADVICE_MAX_RUN) + R"( cells (its clue would take two
            columns and cover its neighbour), no column with more than )" +
           to_string(ADVICE_MAX_COLUMN_RUNS) + R"( runs (no room
            above the board)
  clues     with --clues
  solution  unique; several solutions (the level's picture and another solution of its
            clues are shown side by side, the cells where they differ marked *); or none
  line reasoning alone
            yes when the solution follows one line at a time, without trying a value
            and seeing where it leads
  difficulty
            the number of line steps that narrowed a line, plus )" +
           to_string(PROBE_WEIGHT) + R"( for each probe (a value
            tried on one cell) and )" +
           to_string(GUESS_WEIGHT) + R"( for each guess of the search; with the passes over
            the board, line steps, probes and guesses behind it
  grade     for a good level that line reasoning alone solves, graded as the game grades
            the puzzles it makes: easy when the passes over the board are at most )" +
           to_string(EASY_MAX_PASSES) + R"(,
            hard when they are )" +
           to_string(HARD_MIN_PASSES) + R"( or more, medium between (each pass looks at the rows,
            then the columns, that changed since they were last looked at)
  result    good, or NOT GOOD with the reasons the lines above show

Exit status:
  0  every file is well formed and has exactly one solution (with --strict also not all
     white, within the advice rules and solved by line reasoning alone)
  1  some file is not, or cannot be read, or the report could not be written
  2  usage error: no file given, an unknown option or an unknown palette name
)";
}

const std::string PALETTE_OPTION = "--palette";

// Prints `why` and the usage on `err`; the usage error's status.
int usage_error(std::ostream& err, const std::string& why) {
    err << "zimvokrelt-check: " << why << '\n' << USAGE;
    return CHECK_USAGE_ERROR;
}

// Refuses palette `name`, given by the option or (`variable` not empty) in that environment
// variable. Its bytes are shown escaped.
int unknown_palette(std::ostream& err, std::string_view name, std::string_view variable) {
    return usage_error(err, "unknown palette '" + printable_text(name) + "'" +
                                (variable.empty() ? "" : " in " + std::string(variable)) +
                                " (classic or colour-blind)");
}

} // namespace

int run_check_command(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                      std::optional<ColourMode> terminal, const char* palette_variable) {
    CheckOptions options;
    std::vector<std::string> files;
    bool options_ended = false;
    std::optional<Palette> palette;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool help = arg == "--help" || arg == "-h" || arg == "/?"; // "/?" as on Windows
        if (options_ended || (!help && (arg.empty() || arg[0] != '-' || arg == "-"))) {
            files.push_back(arg);
        } else if (arg == "--") {
            options_ended = true;
        } else if (help) {
            out << USAGE << '\n' << help_text();
            return CHECK_ALL_GOOD;
        } else if (arg == "--clues") {
            options.clues = true;
        } else if (arg == "--strict") {
            options.strict = true;
        } else if (arg == PALETTE_OPTION || arg.starts_with(PALETTE_OPTION + "=")) {
            std::string_view name;
            if (arg.size() > PALETTE_OPTION.size())
                name = std::string_view(arg).substr(PALETTE_OPTION.size() + 1);
            else if (i + 1 < args.size())
                name = args[++i];
            else
                return usage_error(err, "option --palette needs a name");
            palette = palette_named(name);
            if (!palette) return unknown_palette(err, name, "");
        } else {
            return usage_error(err, "unknown option " + printable_text(arg));
        }
    }
    // The option wins over the environment, whose palette name is judged only without one.
    if (!palette && palette_variable != nullptr && *palette_variable != '\0') {
        palette = palette_named(palette_variable);
        if (!palette) return unknown_palette(err, palette_variable, PALETTE_VARIABLE);
    }
    if (terminal) {
        options.colours = ClueColours{*terminal, palette.value_or(Palette::classic)};
    }
    files = expand_file_patterns(std::move(files));
    if (files.empty()) {
        return usage_error(err, "no level file given");
    }
    int good = 0;
    for (std::size_t i = 0; i < files.size() && out; ++i) { // no reader: the rest is not read
        if (i > 0) out << '\n';
        if (is_good(check_level_file(files[i], options, out), options.strict)) ++good;
    }
    const int count = static_cast<int>(files.size());
    if (count > 1)
        out << '\n' << count << " files: " << good << " good, " << count - good << " not good\n";
    return good == count ? CHECK_ALL_GOOD : CHECK_SOME_BAD;
}

} // namespace zk
