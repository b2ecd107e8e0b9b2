// Program entry: read the command line, take the console, run the chain of screens, give the
// console back.

#include "console/fd_sink.hpp"
#include "console/program_console.hpp"
#include "console/program_io.hpp"
#include "menu/command_line.hpp"
#include "menu/console_texts.hpp"
#include "menu/main_menu.hpp"
#include "menu/screen_chain.hpp"
#include "model/level_file.hpp"
#include "screens/context.hpp"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Writes `text` whole to `out`; false when it could not.
bool print(std::ostream& out, const std::string& text) {
    out << text;
    out.flush();
    return static_cast<bool>(out);
}

// A generated puzzle ready to play: its level file and the name the game screen shows.
struct MadePuzzle {
    std::string level;
    std::string name;
};

// The seed of `line`'s puzzle: given, today's, or from the system's entropy (the clock when
// there is none to be had).
std::uint32_t puzzle_seed(const zk::CommandLine& line) {
    const auto now = std::chrono::system_clock::now();
    switch (line.seed_source) {
    case zk::SeedSource::given:
        return line.puzzle->seed;
    case zk::SeedSource::today:
        return zk::daily_seed(std::chrono::floor<std::chrono::days>(now));
    case zk::SeedSource::entropy:
        break;
    }
    try {
        return std::random_device{}();
    } catch (const std::exception&) {
        return static_cast<std::uint32_t>(now.time_since_epoch().count());
    }
}

// Makes the puzzle `line` asks for; nullopt, said on standard error, when none was found.
std::optional<MadePuzzle> make_puzzle(const zk::CommandLine& line) {
    zk::PuzzleRequest request = *line.puzzle;
    request.seed = puzzle_seed(line);
    const std::optional<zk::GeneratedPuzzle> made = zk::generate_puzzle(request);
    if (!made) {
        print(zk::text_errors(), "zimvokrelt: no such puzzle found from seed " +
                                     std::to_string(request.seed) + "; try another seed\n");
        return std::nullopt;
    }
    return MadePuzzle{zk::puzzle_level_text(*made, request), zk::answer_word(request.seed)};
}

} // namespace

int main(int argc, char** argv) {
    zk::open_standard_descriptors();
    const std::vector<std::string> arguments = zk::program_arguments(argc, argv);
    const std::vector<std::string_view> args(arguments.begin(), arguments.end());
    const zk::CommandLine line =
        zk::parse_command_line(args, std::getenv(std::string(zk::PALETTE_VARIABLE).c_str()));
    const std::vector<std::string> level_dirs =
        zk::level_search_dirs(zk::level_places(argc > 0 ? argv[0] : nullptr));
    switch (line.action) {
    case zk::CommandAction::help:
        return print(zk::text_output(), zk::usage_text(level_dirs)) ? 0 : 1;
    case zk::CommandAction::version:
        return print(zk::text_output(), zk::version_text()) ? 0 : 1;
    case zk::CommandAction::usage_error:
        print(zk::text_errors(), line.error + "\n" + zk::usage_text(level_dirs));
        return 2;
    case zk::CommandAction::refused:
        print(zk::text_errors(), line.error + "\n");
        return 2;
    case zk::CommandAction::play:
        break;
    }
    // Typed at the menu it would end the game: named here, there is nothing to start.
    if (line.level == zk::EXIT_WORD) return 0;
    std::optional<MadePuzzle> puzzle;
    if (line.puzzle) {
        puzzle = make_puzzle(line);
        if (!puzzle) return 1;
        if (line.print) return zk::write_output_bytes(puzzle->level) ? 0 : 1;
    }

    if (!zk::console_can_draw()) {
        // Nothing taken yet: the console stays as it was.
        const std::string_view why = zk::DUMB_TERMINAL_MESSAGE;
        std::fprintf(stderr, "%.*s\n", static_cast<int>(why.size()), why.data());
        return 1;
    }
    // Said, then the game goes on in its colours. On a terminal the game's first screen wipes
    // the line, so it is said once more after the console is given back.
    const bool note_palette = !zk::console_shows_palette(line.palette);
    const std::string palette_note = std::string(zk::PALETTE_NOT_SHOWN_MESSAGE) + "\n";
    if (note_palette) print(zk::text_errors(), palette_note);
    const bool note_again = note_palette && zk::is_terminal(2);
    zk::ProgramConsole console(zk::ENLARGE_REQUEST, line.palette);
    zk::Screen screen;
    zk::Context ctx(screen, console);
    ctx.level_dirs = level_dirs;
    console.show(screen);

    int status = 0;
    try {
        // A level named on the command line opens as if typed at the menu; a generated puzzle
        // loads as a level file with its answer word for a name.
        zk::ScreenId first = line.level ? zk::follow_word(ctx, *line.level) : zk::ScreenId::menu;
        if (puzzle) {
            zk::parse_level(ctx.puzzle, puzzle->level);
            ctx.display_path = zk::level_display_path(puzzle->name);
            first = zk::ScreenId::game;
        }
        zk::run_screens(ctx, first);
    } catch (const zk::InputEnded&) {
        status = 1; // the input ended before the player typed "exit"
    } catch (const std::exception& e) {
        console.present();
        console.release();
        std::fprintf(stderr, "zimvokrelt: %s\n", e.what());
        return 2;
    }
    // The last screen stays on the console above the shell's prompt.
    console.present();
    console.release();
    if (note_again) print(zk::text_errors(), palette_note);
    return status;
}
