// Windows console key events turned into the key codes the POSIX decoder gives for the same
// keys. Part of the Windows console back end.

#include "windows/key_event.hpp"

#include "console/keys.hpp"
#include "text/cp852.hpp"

#include <optional>
#include <windows.h>

namespace zk {

namespace {

constexpr int TAB = 9;
constexpr int LINE_FEED = 10;

int arrow_code(std::uint16_t virtual_key) {
    switch (virtual_key) {
    case VK_UP:
        return KEY_UP;
    case VK_DOWN:
        return KEY_DOWN;
    case VK_LEFT:
        return KEY_LEFT;
    case VK_RIGHT:
        return KEY_RIGHT;
    default:
        return 0;
    }
}

// The one code a typed character gives, or 0 for none.
int character_code(char16_t ch) {
    if (ch == KEY_ENTER || ch == KEY_BACKSPACE || ch == KEY_ESCAPE || ch == TAB ||
        ch == KEY_END_OF_TEXT)
        return ch;
    if (ch == LINE_FEED) return KEY_ENTER;      // Ctrl-Enter, and Enter as a terminal sends it
    if (ch == KEY_DELETE) return KEY_BACKSPACE; // Ctrl-Backspace, as a terminal's DEL
    if (ch < 128 && is_printable_ascii(static_cast<std::uint8_t>(ch))) return ch;
    if (ch >= 128) {
        // A typed letter beyond ASCII is told apart from the arrow prefix by its own range.
        const std::optional<std::uint8_t> byte = cp852_byte(ch);
        return byte ? TYPED_CHAR_BASE + *byte : 0;
    }
    return 0;
}

} // namespace

void translate_key_event(const ConsoleKeyEvent& event, std::vector<int>& codes) {
    if (!event.key_down) return;
    const int presses = event.repeat_count == 0 ? 1 : event.repeat_count;
    if (const int arrow = arrow_code(event.virtual_key); arrow != 0) {
        for (int i = 0; i < presses; ++i) {
            codes.push_back(KEY_PREFIX);
            codes.push_back(arrow);
        }
        return;
    }
    const bool alt = (event.control_state & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0;
    const bool ctrl = (event.control_state & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0;
    if (alt && !ctrl) return; // Alt combinations are no keys of the program
    if (alt && event.character < 32) return;
    // Some consoles (Wine's, fed by a terminal) report Escape by its key alone, with no
    // character.
    const char16_t character =
        event.character == 0 && event.virtual_key == VK_ESCAPE ? KEY_ESCAPE : event.character;
    const int code = character_code(character);
    if (code == 0) return;
    codes.insert(codes.end(), static_cast<std::size_t>(presses), code);
}

} // namespace zk
