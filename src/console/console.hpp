#pragma once

// The console every screen works on: the screen model, the key source, the typed line not yet
// read and the clock.

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
/// the typed line not yet consumed by word and number reads, and the clock. The screen and
/// the key source belong to whoever made the console (the program's main); both must outlive it.
struct Console {
    Console(Screen& drawn, KeySource& key_source) : screen(drawn), keys(&key_source) {}

    Screen& screen;
    KeySource* keys;
    /// Rest of the last typed line (with its line end) that word and number reads have not
    /// taken yet. Key reads never see it.
    std::string pending_line;
    std::function<std::int64_t()> clock_ms = steady_milliseconds;
};

/// Reads one key code, as KeySource::read_code gives it, bypassing any pending typed line.
inline int get_key(Console& console) {
    return console.keys->read_code();
}

/// Waits for one key press and drops it whole: after KEY_PREFIX the extended key's own code is
/// dropped too, so it never reaches a later key read or the next typed line.
inline void wait_for_any_key(Console& console) {
    if (get_key(console) == KEY_PREFIX) get_key(console);
}

} // namespace zk
