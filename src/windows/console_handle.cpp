// Whether a C runtime descriptor is a Windows console: the one test the console back end uses.

#include "windows/console_handle.hpp"

#include <io.h>

namespace zk {

HANDLE console_behind(int fd, DWORD* mode) {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    DWORD console_mode = 0;
    if (handle == INVALID_HANDLE_VALUE || GetConsoleMode(handle, &console_mode) == 0)
        return nullptr;
    if (mode != nullptr) *mode = console_mode;
    return handle;
}

} // namespace zk
