#include "checker/check_command.hpp"

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int status =
        zk::run_check_command(args, std::cout, std::cerr, ::isatty(STDOUT_FILENO) == 1);
    std::cout.flush();
    return std::cout ? status : zk::CHECK_SOME_BAD;
}
