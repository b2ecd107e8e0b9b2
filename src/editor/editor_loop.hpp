#pragma once

// Level editor: the drawing loop, from the homed cursor to the menu.

#include "screens/context.hpp"

namespace zk {

/// Homes the cursor and runs the editor loop. Returns the main menu.
ScreenId start_editor(Context& ctx);

/// The editor's key loop: reads each key and handles it. Returns the main menu after a
/// confirmed quit or a save.
ScreenId editor_loop(Context& ctx);

} // namespace zk
