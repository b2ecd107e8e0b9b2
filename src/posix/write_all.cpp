// Whole writes to a descriptor, waiting while it is full.

#include "console/write_all.hpp"

#include <cerrno>
#include <sys/select.h>
#include <unistd.h>

namespace zk {

namespace {

// Waits until `fd` takes more bytes. select, not poll: poll cannot wait on a terminal on
// every system (macOS reports it invalid). Async-signal-safe.
void wait_until_writable(int fd) {
    if (fd >= FD_SETSIZE) { // beyond what select can watch: try again shortly
        timeval pause{0, 1000};
        ::select(0, nullptr, nullptr, nullptr, &pause);
        return;
    }
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(fd, &writable);
    ::select(fd + 1, nullptr, &writable, nullptr, nullptr);
}

} // namespace

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
            wait_until_writable(fd);
        } else {
            return false;
        }
    }
    return true;
}

} // namespace zk
