// zimvokrelt-check's entry: the standard streams and arguments, the terminal's colour mode for
// the clues, and the command's status.

#include "checker/check_command.hpp"
#include "console/fd_sink.hpp"
#include "console/program_io.hpp"

#include <csignal>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    zk::open_standard_descriptors();
#ifdef SIGPIPE
    // A reader that goes away (`| head`) leaves the report unwritten: status 1, as for any
    // output that fails, rather than death by the signal.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    const std::vector<std::string> args = zk::program_arguments(argc, argv);
    std::ostream& out = zk::text_output();
    // Clues are coloured on a terminal as the game colours them there.
    std::optional<zk::ColourMode> terminal;
    if (zk::shows_ansi_colours(1))
        terminal = zk::colour_mode(std::getenv("COLORTERM"), std::getenv("TERM"));
    const char* palette = std::getenv(std::string(zk::PALETTE_VARIABLE).c_str());
    const int status = zk::run_check_command(args, out, zk::text_errors(), terminal, palette);
    out.flush();
    return out ? status : zk::CHECK_SOME_BAD;
}
