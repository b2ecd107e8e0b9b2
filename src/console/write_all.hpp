#pragma once

// Console: the byte write the platform folders implement, safe in signal and control handlers.

#include <string_view>

namespace zk {

/// Writes all of `bytes` to `fd`, continuing after interruptions and partial writes and
/// waiting while the descriptor is full; stops at any other error. True when every byte was
/// written. Safe to call from a signal handler (on POSIX) or a console control handler.
[[nodiscard]] bool write_all(int fd, std::string_view bytes);

} // namespace zk
