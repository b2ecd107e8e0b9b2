#pragma once

#include "console/presenter.hpp"

#include <string_view>

namespace zk {

/// Writes all of `bytes` to `fd`, continuing after interruptions and partial writes and
/// waiting while the descriptor is full; stops at any other error. True when every byte was
/// written. Safe to call from a signal handler (on POSIX) or a console control handler.
bool write_all(int fd, std::string_view bytes);

/// A byte sink that is a file descriptor (the terminal, a pipe or a file).
class FdSink : public ByteSink {
  public:
    explicit FdSink(int fd) : fd_(fd) {}
    void write(std::string_view bytes) override { write_all(fd_, bytes); }

  private:
    int fd_;
};

} // namespace zk
