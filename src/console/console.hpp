#pragma once

#include "console/keys.hpp"
#include "console/screen.hpp"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace zk {

/// Milliseconds of real time from a monotonic clock; only differences are meaningful.
std::int64_t steady_milliseconds();

/// Everything a screen needs of the console: the screen it draws into, the keys it reads,
/// the typed line not yet consumed by word and number reads, and the clock.
struct Console {
    explicit Console(KeySource& key_source) : keys(&key_source) {}

    Screen screen;
    KeySource* keys;
    /// Rest of the last typed line (with its line end) that word and number reads have not
    /// taken yet. Key reads never see it.
    std::string pending_line;
    std::function<std::int64_t()> clock_ms = steady_milliseconds;
};

/// Reads one key code (0..255), bypassing any pending typed line.
inline int get_key(Console& c) {
    return c.keys->read_code();
}

} // namespace zk
