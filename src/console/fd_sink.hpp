#pragma once

#include "console/presenter.hpp"

#include <string_view>

namespace zk {

/// Writes all of `bytes` to `fd`, continuing after interruptions and partial writes and
/// waiting while the descriptor is full; stops at any other error. True when every byte was
/// written. Safe to call from a signal handler (on POSIX) or a console control handler.
bool write_all(int fd, std::string_view bytes);

/// True when `fd` is a terminal that shows ANSI colour sequences: on POSIX any terminal; on
/// Windows a console that processes terminal sequences (Windows Terminal does, a classic
/// console usually does not and would print them as text).
bool shows_ansi_colours(int fd);

/// A byte sink that is a file descriptor (the terminal, a pipe or a file).
class FdSink : public ByteSink {
  public:
    explicit FdSink(int fd) : fd_(fd) {}
    void write(std::string_view bytes) override { write_all(fd_, bytes); }

  private:
    int fd_;
};

} // namespace zk
