// Whole writes to a C runtime descriptor.

#include "console/write_all.hpp"

#include <io.h>

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

} // namespace zk
