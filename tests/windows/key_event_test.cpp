// Windows console key events into key codes, without a console: the codes must be those the
// POSIX decoder gives for the same keys.

#include "windows/key_event.hpp"

#include "console/keys.hpp"

#include <gtest/gtest.h>

#include <windows.h>

namespace zk {
namespace {

std::vector<int> codes_of(ConsoleKeyEvent event) {
    std::vector<int> codes;
    translate_key_event(event, codes);
    return codes;
}

ConsoleKeyEvent typed(char16_t ch, std::uint32_t state = 0) {
    return {true, 1, 0, ch, state};
}

ConsoleKeyEvent pressed(std::uint16_t virtual_key, std::uint32_t state = 0) {
    return {true, 1, virtual_key, 0, state};
}

using Codes = std::vector<int>;

TEST(KeyEvent, ArrowsGiveThePrefixAndTheirCodeWhateverTheModifiers) {
    EXPECT_EQ(codes_of(pressed(VK_UP)), (Codes{KEY_PREFIX, KEY_UP}));
    EXPECT_EQ(codes_of(pressed(VK_DOWN, ENHANCED_KEY)), (Codes{KEY_PREFIX, KEY_DOWN}));
    EXPECT_EQ(codes_of(pressed(VK_LEFT, LEFT_CTRL_PRESSED)), (Codes{KEY_PREFIX, KEY_LEFT}));
    EXPECT_EQ(codes_of(pressed(VK_RIGHT, SHIFT_PRESSED)), (Codes{KEY_PREFIX, KEY_RIGHT}));
    ConsoleKeyEvent held = pressed(VK_RIGHT);
    held.repeat_count = 2;
    EXPECT_EQ(codes_of(held), (Codes{KEY_PREFIX, KEY_RIGHT, KEY_PREFIX, KEY_RIGHT}));
}

TEST(KeyEvent, TypedCharactersAndTheEditingKeysGiveTheDecoderCodes) {
    EXPECT_EQ(codes_of(typed(u'w')), (Codes{'w'}));
    EXPECT_EQ(codes_of(typed(u'Q', SHIFT_PRESSED)), (Codes{'Q'}));
    EXPECT_EQ(codes_of(typed(u'~')), (Codes{'~'}));
    EXPECT_EQ(codes_of({true, 1, VK_RETURN, u'\r', 0}), (Codes{KEY_ENTER}));
    // Wine reads Enter from a terminal as a line feed; Ctrl-Enter types one on Windows.
    EXPECT_EQ(codes_of({true, 1, VK_RETURN, u'\n', 0}), (Codes{KEY_ENTER}));
    EXPECT_EQ(codes_of({true, 1, VK_RETURN, u'\n', LEFT_CTRL_PRESSED}), (Codes{KEY_ENTER}));
    EXPECT_EQ(codes_of({true, 1, VK_BACK, u'\b', 0}), (Codes{KEY_BACKSPACE}));
    EXPECT_EQ(codes_of({true, 1, VK_BACK, 127, LEFT_CTRL_PRESSED}), (Codes{KEY_BACKSPACE}));
    EXPECT_EQ(codes_of({true, 1, VK_ESCAPE, 27, 0}), (Codes{KEY_ESCAPE}));
    EXPECT_EQ(codes_of({true, 1, VK_ESCAPE, 0, 0}), (Codes{KEY_ESCAPE})); // Wine: no character
    EXPECT_EQ(codes_of({true, 1, VK_TAB, u'\t', 0}), (Codes{9}));
    EXPECT_EQ(codes_of({true, 1, 'D', 4, LEFT_CTRL_PRESSED}), (Codes{4}));
    ConsoleKeyEvent held = typed(u'1');
    held.repeat_count = 3;
    EXPECT_EQ(codes_of(held), (Codes{'1', '1', '1'}));
}

TEST(KeyEvent, LettersBeyondAsciiGiveTheirCodePage852ByteAsATypedCharacterOrNothing) {
    EXPECT_EQ(codes_of(typed(u'\u0105', LEFT_CTRL_PRESSED | RIGHT_ALT_PRESSED)),
              (Codes{TYPED_CHAR_BASE + 165})); // AltGr+a on a Polish keyboard
    EXPECT_EQ(codes_of(typed(u'\u017C')), (Codes{TYPED_CHAR_BASE + 190}));
    // O acute is byte 224 in code page 852: it must not pose as the arrow prefix.
    EXPECT_EQ(codes_of(typed(u'\u00D3')), (Codes{TYPED_CHAR_BASE + 224}));
    EXPECT_EQ(codes_of(typed(u'\u20AC')), Codes{}); // the euro sign is not in code page 852
    EXPECT_EQ(codes_of(typed(0xD83D)), Codes{});    // half of a surrogate pair
}

TEST(KeyEvent, ReleasesOtherKeysAltCombinationsAndControlCharactersGiveNothing) {
    ConsoleKeyEvent release = typed(u'w');
    release.key_down = false;
    EXPECT_EQ(codes_of(release), Codes{});
    // PgDn and Delete would pass for Q and S through the prefix rule: they must give nothing.
    for (std::uint16_t key : {VK_NEXT, VK_PRIOR, VK_DELETE, VK_INSERT, VK_HOME, VK_END, VK_F1,
                              VK_F10, VK_SHIFT, VK_CONTROL, VK_MENU, VK_CAPITAL})
        EXPECT_EQ(codes_of(pressed(key, ENHANCED_KEY)), Codes{}) << key;
    EXPECT_EQ(codes_of(typed(u'x', LEFT_ALT_PRESSED)), Codes{});
    EXPECT_EQ(codes_of(typed(u'1', RIGHT_ALT_PRESSED)), Codes{});
    EXPECT_EQ(codes_of({true, 1, VK_RETURN, u'\r', LEFT_ALT_PRESSED}), Codes{});
    EXPECT_EQ(codes_of({true, 1, 'A', 1, LEFT_CTRL_PRESSED}), Codes{}); // Ctrl-A
    EXPECT_EQ(codes_of({true, 1, 'X', 24, LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED}), Codes{});
}

} // namespace
} // namespace zk
