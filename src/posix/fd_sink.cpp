// Whether a descriptor shows colours.

#include "console/fd_sink.hpp"

#include <unistd.h>

namespace zk {

bool shows_ansi_colours(int fd) {
    return ::isatty(fd) == 1;
}

} // namespace zk
