#pragma once

// Test support: a key source that plays a fixed script of bytes.

#include "console/keys.hpp"

#include <cstddef>
#include <string>
#include <utility>

namespace zk {

/// Gives the bytes of a fixed string as codes, then throws InputEnded. For tests and scripts.
class ScriptedKeys : public KeySource {
  public:
    explicit ScriptedKeys(std::string codes = {}) : codes_(std::move(codes)) {}
    int read_code() override {
        if (next_ >= codes_.size()) throw InputEnded{};
        return static_cast<unsigned char>(codes_[next_++]);
    }
    /// Appends further codes to the script.
    void add(const std::string& codes) { codes_ += codes; }
    /// Number of codes not yet read.
    std::size_t remaining() const { return codes_.size() - next_; }

  private:
    std::string codes_;
    std::size_t next_ = 0;
};

} // namespace zk
