#pragma once

// Windows console key events turned into the program's key codes. Part of the Windows console
// back end; plain types, so that it is tested without a console.

#include <cstdint>
#include <vector>

namespace zk {

/// One key event of the Windows console input, in plain types: whether the key went down,
/// how many presses it stands for, the virtual-key code, the UTF-16 character it types (0 for
/// none) and the control-key state bits (Alt, Ctrl, Shift...).
struct ConsoleKeyEvent {
    bool key_down = true;
    std::uint16_t repeat_count = 1;
    std::uint16_t virtual_key = 0;
    char16_t character = 0;
    std::uint32_t control_state = 0;
};

/// Appends the key codes of `event` to `codes`, the same codes the POSIX key decoder gives
/// for the same key: printable ASCII as itself, Enter KEY_ENTER (typed as CR or LF), Backspace
/// and Ctrl-Backspace KEY_BACKSPACE, Escape KEY_ESCAPE, Tab 9, Ctrl-D KEY_END_OF_TEXT, the arrow
/// keys (with any modifier) KEY_PREFIX and then KEY_UP, KEY_DOWN, KEY_LEFT or KEY_RIGHT, and a
/// typed character beyond ASCII as TYPED_CHAR_BASE + its code page 852 byte when code page 852
/// has it. Each press of a repeated key counts. Nothing for a release, for Alt
/// combinations (AltGr, reported as Ctrl with Alt, still types its character), for other
/// control characters, and for keys that type nothing (function keys, Home, End, PgUp, PgDn,
/// Insert, Delete).
void translate_key_event(const ConsoleKeyEvent& event, std::vector<int>& codes);

} // namespace zk
