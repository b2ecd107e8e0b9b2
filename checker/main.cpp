#include "checker/check_command.hpp"
#include "console/fd_sink.hpp"
#include "console/program_io.hpp"

#include <ostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    zk::open_standard_descriptors();
    const std::vector<std::string> args = zk::program_arguments(argc, argv);
    std::ostream& out = zk::text_output();
    const int status =
        zk::run_check_command(args, out, zk::text_errors(), zk::shows_ansi_colours(1));
    out.flush();
    return out ? status : zk::CHECK_SOME_BAD;
}
