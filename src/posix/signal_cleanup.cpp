// The file a signal that ends the program removes first, kept where a handler can reach it.

#include "posix/signal_cleanup.hpp"

#include <atomic>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace zk {

namespace {

// Signal handlers can reach only static data.
char file_to_remove[4096];
volatile std::sig_atomic_t file_to_remove_set = 0;

} // namespace

bool set_file_to_remove_on_signal(const char* path) {
    file_to_remove_set = 0;
    const std::size_t length = std::strlen(path);
    if (length >= sizeof file_to_remove) return false;
    std::memcpy(file_to_remove, path, length + 1);
    // The whole path is in place before a handler can see it named.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    file_to_remove_set = 1;
    return true;
}

void clear_file_to_remove_on_signal() {
    file_to_remove_set = 0;
}

void remove_file_named_for_signal() {
    if (file_to_remove_set) ::unlink(file_to_remove);
}

} // namespace zk
