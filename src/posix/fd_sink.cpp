// Whether a descriptor is a terminal, and whether it shows colours.

#include "console/fd_sink.hpp"

#include <unistd.h>

namespace zk {

bool is_terminal(int fd) {
    return ::isatty(fd) == 1;
}

bool shows_ansi_colours(int fd) {
    return ::isatty(fd) == 1;
}

} // namespace zk
