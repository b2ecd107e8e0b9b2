#include "console/program_io.hpp"

#include <iostream>

namespace zk {

std::vector<std::string> program_arguments(int argc, char** argv) {
    if (argc < 1) return {};
    return std::vector<std::string>(argv + 1, argv + argc);
}

std::ostream& text_output() {
    return std::cout;
}

std::ostream& text_errors() {
    return std::cerr;
}

} // namespace zk
