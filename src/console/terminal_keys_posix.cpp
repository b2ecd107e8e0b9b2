#include "console/terminal_keys.hpp"
#include "console/terminal_posix.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace zk {

namespace {

constexpr std::uint8_t END_OF_TRANSMISSION = 4; // Ctrl-D

} // namespace

TerminalKeys::TerminalKeys(Terminal& terminal, Presenter& presenter)
    : terminal_(terminal), presenter_(presenter) {
    const TerminalSize size = terminal_.size();
    presenter_.set_terminal_size(size.columns, size.rows);
}

void TerminalKeys::present() {
    if (terminal_.take_repaint_request()) {
        const TerminalSize size = terminal_.size();
        presenter_.set_terminal_size(size.columns, size.rows);
        presenter_.invalidate();
    }
    if (screen_ != nullptr) presenter_.present(*screen_);
}

int TerminalKeys::read_code() {
    present();
    while (next_code_ == codes_.size()) {
        codes_.clear();
        next_code_ = 0;
        if (ended_) throw InputEnded{};
        read_more();
    }
    return codes_[next_code_++];
}

// Waits for input and decodes what arrives into codes_; sets ended_ when the input is over.
// A window change wakes the wait up, and the screen is presented again before the next wait.
void TerminalKeys::read_more() {
    present();
    const bool wait_for_escape = decoder_.escape_pending() && terminal_.input_is_tty();
    const timespec escape_wait{0, LONE_ESCAPE_WAIT_MS * 1000000L};
    pollfd input{terminal_.input_fd(), POLLIN, 0};
    const int ready =
        ppoll(&input, 1, wait_for_escape ? &escape_wait : nullptr, terminal_wait_mask());
    if (ready < 0) {
        if (errno == EINTR) return; // a window change: the next round repaints
        decoder_.end_of_input(codes_);
        ended_ = true;
        return;
    }
    if (ready == 0) {
        decoder_.finish_pending_escape(codes_);
        return;
    }
    std::array<std::uint8_t, 256> bytes{};
    const ssize_t count = ::read(terminal_.input_fd(), bytes.data(), bytes.size());
    if (count < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (count <= 0) {
        decoder_.end_of_input(codes_);
        ended_ = true;
        return;
    }
    for (ssize_t i = 0; i < count; ++i) {
        const std::size_t before = codes_.size();
        decoder_.feed(bytes[static_cast<std::size_t>(i)], codes_);
        if (!terminal_.input_is_tty()) continue;
        const auto eot = std::find(codes_.begin() + static_cast<std::ptrdiff_t>(before),
                                   codes_.end(), END_OF_TRANSMISSION);
        if (eot != codes_.end()) {
            // Ctrl-D on a terminal ends the input; whatever was typed after it is dropped.
            codes_.erase(eot, codes_.end());
            ended_ = true;
            return;
        }
    }
}

} // namespace zk
