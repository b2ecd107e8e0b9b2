#pragma once

// Program entry: running the screens one after another from a first one until the player
// leaves.

#include "screens/context.hpp"

namespace zk {

/// Runs one screen and returns the next.
ScreenId run_screen(Context& ctx, ScreenId screen);

/// Runs the chain of screens from `first` until the player types "exit". Input ending
/// propagates as InputEnded. Uses constant memory however long it runs.
///
/// Screens draw into ctx.screen() and read keys only through ctx.console; the key source
/// shows the screen before every read that may block (ProgramConsole presents it), so no screen
/// presents anything itself.
void run_screens(Context& ctx, ScreenId first = ScreenId::menu);

} // namespace zk
