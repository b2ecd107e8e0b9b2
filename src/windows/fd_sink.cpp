#include "console/fd_sink.hpp"

#include <io.h>
#include <windows.h>

namespace zk {

bool is_terminal(int fd) {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

bool shows_ansi_colours(int fd) {
    constexpr DWORD VIRTUAL_TERMINAL_PROCESSING = 0x0004; // ENABLE_VIRTUAL_TERMINAL_PROCESSING
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0 &&
           (mode & VIRTUAL_TERMINAL_PROCESSING) != 0;
}

} // namespace zk
