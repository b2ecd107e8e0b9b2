#pragma once

// What the POSIX key source needs of the POSIX terminal hold beyond the shared Terminal.

#include <csignal>

namespace zk {

/// The signal mask to wait for input under while a Terminal is held: the window-change
/// signal, blocked otherwise so that it cannot slip in between a check and a wait, gets
/// through.
const sigset_t* terminal_wait_mask();

} // namespace zk
