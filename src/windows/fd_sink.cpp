#include "console/fd_sink.hpp"

#include <io.h>
#include <windows.h>

namespace zk {

bool write_all(int fd, std::string_view bytes) {
    constexpr std::size_t MAX_CHUNK = 1u << 30; // _write takes an unsigned int count
    const char* next = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const auto chunk = static_cast<unsigned>(left < MAX_CHUNK ? left : MAX_CHUNK);
        const int written = ::_write(fd, next, chunk);
        if (written <= 0) return false;
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

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
