#include "console/fd_sink.hpp"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace zk {

bool write_all(int fd, std::string_view bytes) {
    const char* next = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, left);
        if (written > 0) {
            next += written;
            left -= static_cast<std::size_t>(written);
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, -1) < 0 && errno != EINTR) return false;
        } else {
            return false;
        }
    }
    return true;
}

bool is_terminal(int fd) {
    return ::isatty(fd) == 1;
}

bool shows_ansi_colours(int fd) {
    return ::isatty(fd) == 1;
}

} // namespace zk
