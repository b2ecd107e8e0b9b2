#pragma once

// What the POSIX key source needs of the POSIX terminal hold beyond the shared Terminal.

namespace zk {

/// The reading end of the held terminal's self-pipe: it becomes readable when a window change
/// or a continue after a stop asks for a repaint, and stays so until
/// Terminal::take_repaint_request takes the request. -1 when no Terminal is held.
int terminal_wake_fd();

} // namespace zk
