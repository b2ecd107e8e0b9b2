#include "checker/check_command.hpp"
#include "console/fd_sink.hpp"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int status = zk::run_check_command(args, std::cout, std::cerr, zk::shows_ansi_colours(1));
    std::cout.flush();
    return std::cout ? status : zk::CHECK_SOME_BAD;
}
