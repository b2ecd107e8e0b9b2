// Whether a descriptor is a Windows console, and whether it shows ANSI colours. Part of the
// Windows console back end.

#include "console/fd_sink.hpp"

#include "windows/console_handle.hpp"

namespace zk {

bool is_terminal(int fd) {
    return console_behind(fd) != nullptr;
}

bool shows_ansi_colours(int fd) {
    constexpr DWORD VIRTUAL_TERMINAL_PROCESSING = 0x0004; // ENABLE_VIRTUAL_TERMINAL_PROCESSING
    DWORD mode = 0;
    return console_behind(fd, &mode) != nullptr && (mode & VIRTUAL_TERMINAL_PROCESSING) != 0;
}

} // namespace zk
