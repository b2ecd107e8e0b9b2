#pragma once

// Console: a byte sink on a file descriptor, and whether a descriptor is a terminal that shows
// colours. The platform folders implement the tests.

#include "console/byte_sink.hpp"
#include "console/write_all.hpp"

#include <string_view>

namespace zk {

/// True when `fd` is a terminal that shows ANSI colour sequences: on POSIX any terminal; on
/// Windows a console that processes terminal sequences (Windows Terminal does, a classic
/// console usually does not and would print them as text).
bool shows_ansi_colours(int fd);

/// True when `fd` is a terminal (on Windows a console), whose screen the game's first clear
/// wipes; false for a file, a pipe or a descriptor that is not open.
bool is_terminal(int fd);

/// A byte sink that is a file descriptor (the terminal, a pipe or a file). A write reports
/// whether every byte was written.
class FdSink : public ByteSink {
  public:
    explicit FdSink(int fd) : fd_(fd) {}
    bool write(std::string_view bytes) override { return write_all(fd_, bytes); }

  private:
    int fd_;
};

} // namespace zk
