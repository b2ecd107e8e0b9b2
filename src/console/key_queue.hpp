#pragma once

// The codes a key source has decoded and not yet handed out: the part of reading keys that the
// POSIX and the Windows back ends share.

#include "console/keys.hpp"

#include <cstddef>
#include <vector>

namespace zk {

/// Decoded key codes waiting to be read, in the order they came, and whether the input has
/// ended. The back end's decoder appends to `codes` and sets `ended`.
struct KeyQueue {
    std::vector<int> codes;
    std::size_t next = 0; ///< codes before this one have been handed out
    bool ended = false;   ///< the input is over: nothing more will be appended
};

/// Drops every code not yet handed out: keys the player typed without seeing the screen.
inline void drop_waiting_codes(KeyQueue& queue) {
    queue.next = queue.codes.size();
}

/// The next code of `queue`, in order. While none is waiting, the queue is emptied and
/// `read_more()` called, which appends codes, sets `ended` or does neither (a wake-up without
/// keys); once none is waiting and the input has ended, throws InputEnded.
template <typename ReadMore> int take_code(KeyQueue& queue, ReadMore&& read_more) {
    while (queue.next == queue.codes.size()) {
        queue.codes.clear();
        queue.next = 0;
        if (queue.ended) throw InputEnded{};
        read_more();
    }
    return queue.codes[queue.next++];
}

} // namespace zk
