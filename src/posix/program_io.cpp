#include "console/program_io.hpp"

#include <cstdio>
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

bool write_output_bytes(std::string_view bytes) {
    std::cout.flush();
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    return std::fflush(stdout) == 0 && written;
}

} // namespace zk
