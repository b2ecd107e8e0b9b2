#pragma once

// Where drawn bytes go: the interface between the presenter and the terminal, a pipe or
// memory. Part of the console.

#include <string_view>

namespace zk {

/// Where the presenter's bytes go: the terminal, or memory in tests and benchmarks.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    /// Takes all of `bytes`, in order. False when some of them may not have reached their
    /// destination (a write failed).
    virtual bool write(std::string_view bytes) = 0;
};

} // namespace zk
