// The key source of the real program on POSIX: waits for the terminal and its self-pipe,
// reads and decodes the bytes.

#include "posix/terminal_keys.hpp"
#include "posix/terminal_wait.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <sys/select.h>
#include <unistd.h>

namespace zk {

namespace {

// What a wait for input found.
enum class Waited { input, woken, timed_out, failed };

// Waits until `input` can be read, the self-pipe `wake` is written to, or `timeout_ms` (when
// not negative) has passed. select, not poll or ppoll, so that the same call waits on every
// POSIX terminal: poll reports a terminal invalid on macOS, which has no ppoll either.
Waited wait_for_input(int input, int wake, int timeout_ms) {
    if (input >= FD_SETSIZE || wake >= FD_SETSIZE) return Waited::input; // read at once
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(input, &readable);
    if (wake >= 0) FD_SET(wake, &readable);
    timeval timeout{timeout_ms / 1000, (timeout_ms % 1000) * 1000};
    const int ready = ::select(std::max(input, wake) + 1, &readable, nullptr, nullptr,
                               timeout_ms < 0 ? nullptr : &timeout);
    if (ready < 0) return errno == EINTR ? Waited::woken : Waited::failed;
    if (ready == 0) return Waited::timed_out;
    if (FD_ISSET(input, &readable)) return Waited::input;
    return Waited::woken;
}

} // namespace

TerminalKeys::TerminalKeys(Terminal& terminal, Presenter& presenter, bool utf8_input)
    : terminal_(terminal), presenter_(presenter), decoder_(utf8_input) {
    const TerminalSize size = terminal_.size();
    presenter_.set_terminal_size(size.columns, size.rows);
    too_small_ = is_window_too_small(size);
}

void TerminalKeys::take_window_change() {
    if (!terminal_.take_repaint_request()) return;
    const TerminalSize size = terminal_.size();
    presenter_.set_terminal_size(size.columns, size.rows);
    presenter_.invalidate();
    too_small_ = is_window_too_small(size);
}

void TerminalKeys::present() {
    take_window_change();
    if (screen_ != nullptr) presenter_.present(*screen_);
}

int TerminalKeys::read_code() {
    present();
    // Keys typed while the window hides the screen are not acted on.
    if (too_small_) drop_waiting_codes(queue_);
    return take_code(queue_, [this] {
        read_more();
        // A window change that came in the same wake-up as keys counts before them: a key
        // typed into a window that has just become too small is not acted on.
        take_window_change();
        if (too_small_) drop_waiting_codes(queue_);
    });
}

// Waits for input and decodes what arrives into the queue; marks it ended when the input is over.
// A window change wakes the wait up, and the screen is presented again before the next wait.
void TerminalKeys::read_more() {
    present();
    // Only a terminal pauses between keys; a pipe's bytes are decoded as they come.
    const bool wait_for_more = decoder_.unfinished() && terminal_.input_is_tty();
    const Waited waited = wait_for_input(terminal_.input_fd(), terminal_wake_fd(),
                                         wait_for_more ? LONE_ESCAPE_WAIT_MS : -1);
    if (waited == Waited::woken) return; // a window change: the next round repaints
    if (waited == Waited::failed) {
        decoder_.end_of_input(queue_.codes);
        queue_.ended = true;
        return;
    }
    if (waited == Waited::timed_out) {
        decoder_.pause(queue_.codes);
        return;
    }
    std::array<std::uint8_t, 256> bytes{};
    const ssize_t count = ::read(terminal_.input_fd(), bytes.data(), bytes.size());
    if (count < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (count <= 0) {
        decoder_.end_of_input(queue_.codes);
        queue_.ended = true;
        return;
    }
    for (ssize_t i = 0; i < count; ++i)
        decoder_.feed(bytes[static_cast<std::size_t>(i)], queue_.codes);
}

} // namespace zk
