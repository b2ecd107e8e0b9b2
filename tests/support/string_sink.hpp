#pragma once

// Test support: a byte sink that keeps what it is given.

#include "console/presenter.hpp"

#include <string>
#include <string_view>

namespace zk {

/// Keeps every byte written to it.
class StringSink : public ByteSink {
  public:
    bool write(std::string_view bytes) override {
        this->bytes += bytes;
        return true;
    }
    std::string bytes;
};

} // namespace zk
