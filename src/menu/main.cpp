// Program entry: read the command line, take the console, run the chain of screens, give the
// console back.

#include "console/program_console.hpp"
#include "console/program_io.hpp"
#include "menu/command_line.hpp"
#include "menu/console_texts.hpp"
#include "menu/context.hpp"
#include "menu/main_menu.hpp"
#include "menu/screen_chain.hpp"
#include "model/level_file.hpp"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <ostream>
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

} // namespace

int main(int argc, char** argv) {
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

    if (!zk::console_can_draw()) {
        // Nothing taken yet: the console stays as it was.
        const std::string_view why = zk::DUMB_TERMINAL_MESSAGE;
        std::fprintf(stderr, "%.*s\n", static_cast<int>(why.size()), why.data());
        return 1;
    }
    if (!zk::console_shows_palette(line.palette)) // said, then the game goes on in its colours
        print(zk::text_errors(), std::string(zk::PALETTE_NOT_SHOWN_MESSAGE) + "\n");
    zk::ProgramConsole console(zk::ENLARGE_REQUEST, line.palette);
    zk::Screen screen;
    zk::Context ctx(screen, console);
    ctx.level_dirs = level_dirs;
    console.show(screen);

    int status = 0;
    try {
        // A level named on the command line opens as if typed at the menu.
        const zk::ScreenId first =
            line.level ? zk::follow_word(ctx, *line.level) : zk::ScreenId::menu;
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
    return status;
}
