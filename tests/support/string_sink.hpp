#pragma once

// Test support: a byte sink that keeps what it is given.

#include "console/presenter.hpp"

#include <string>
#include <string_view>

namespace zk {

/// Keeps every byte written to it.
class StringSink : public ByteSink {
  public:
    void write(std::string_view bytes) override { this->bytes += bytes; }
    std::string bytes;
};

} // namespace zk
