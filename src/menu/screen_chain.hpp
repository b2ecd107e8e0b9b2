#pragma once

#include "board_screen/context.hpp"

namespace zk {

/// Runs one screen and returns the next.
NextScreen run_screen(Context& ctx, NextScreen screen);

/// Runs the chain of screens from `first` until the player types "exit"; returns the exit
/// status 0. Input ending propagates as InputEnded. Uses constant memory however long it runs.
int run_screens(Context& ctx, NextScreen first = NextScreen::menu);

} // namespace zk
