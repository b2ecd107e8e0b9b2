// The benchmarks' key sources: the screen presented before each key, the script that marks every
// read, and the random mix of game keys for the keys-per-second figure.

#include "bench_keys.hpp"

namespace zk::bench {

int MarkedScript::next_code() {
    marks_.push_back({sink_.count, Clock::now()});
    if (next_ >= codes_.size()) throw InputEnded{};
    return static_cast<unsigned char>(codes_[next_++]);
}

std::uint32_t GameKeyMix::random() {
    // xorshift32: the same stream on every machine.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

int GameKeyMix::next() {
    static constexpr std::string_view LETTER_MOVES = "wasdWASD";
    static constexpr std::array<int, 4> ARROWS{KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT};
    static constexpr std::string_view PAINTS = "123456";
    static constexpr std::array<int, 8> DROPPED{'x', '0', '7', ' ', 0, KEY_ENTER, 200, 255};

    if (queued_next_ < queued_count_) return queued_[queued_next_++];
    queued_count_ = 0;
    queued_next_ = 0;
    const std::uint32_t r = random();
    const std::uint32_t kind = r % 100;
    const std::uint32_t pick = r >> 8;
    if (kind < 25) return LETTER_MOVES[pick % LETTER_MOVES.size()];
    if (kind < 50) {
        queued_[queued_count_++] = ARROWS[pick % ARROWS.size()];
        return KEY_PREFIX;
    }
    if (kind < 78) return PAINTS[pick % PAINTS.size()];
    if (kind < 84) return pick % 2 == 0 ? 'c' : 'C';
    if (kind < 96) return DROPPED[pick % DROPPED.size()];
    // A quit dialog: a code it drops, then no.
    queued_[queued_count_++] = DROPPED[pick % DROPPED.size()];
    queued_[queued_count_++] = pick % 2 == 0 ? 'n' : 'N';
    return pick % 4 < 2 ? 'q' : 'Q';
}

} // namespace zk::bench
