#pragma once

// Level editor: the rules and size prompts that open the editor.

#include "screens/context.hpp"

namespace zk {

/// The editor's first screen: rules, size prompts and, for valid sizes, the blank board with
/// canvas and target laid out. Returns the editor loop, or itself again after invalid sizes.
ScreenId editor_setup(Context& ctx);

} // namespace zk
