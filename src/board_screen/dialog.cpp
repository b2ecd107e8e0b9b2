// The quit dialog and the yes/no question of the game and the editor, and the erasing of their
// rows.

#include "board_screen/dialog.hpp"

#include "board_screen/action_keys.hpp"

#include <string>

namespace zk {

namespace {

// The quit question; the screen's own warning goes on the row below the head.
constexpr ScreenText QUIT_HEAD{DIALOG_TOP_ROW, DIALOG_COLUMN, ATTR_LIGHT_RED,
                               "        UWAGA!        "};
constexpr int QUIT_WARNING_ROW = DIALOG_TOP_ROW + 1;
constexpr ScreenText QUIT_QUESTION{DIALOG_KEYS_ROW - 1, DIALOG_COLUMN, ATTR_LIGHT_GREEN,
                                   "    na pewno wyjsc?   "};
constexpr FixedText ANSWER_KEYS_TEXT = key_text("        [#/#]         ", Action::yes, Action::no);
constexpr ScreenText ANSWER_KEYS{DIALOG_KEYS_ROW, DIALOG_COLUMN, ATTR_WHITE,
                                 ANSWER_KEYS_TEXT.view()};

} // namespace

bool ask_yes(Console& console) {
    draw_texts(console.screen, {&ANSWER_KEYS, 1});
    for (;;) {
        const int code = get_key(console);
        if (is_action_key(code, Action::yes)) return true;
        if (is_action_key(code, Action::no)) return false;
    }
}

void erase_dialog(Screen& s, int first_row) {
    for (int row = first_row; row <= DIALOG_KEYS_ROW; ++row)
        put_text_at(s, row, DIALOG_COLUMN, ATTR_GREY, std::string(DIALOG_WIDTH, ' '));
}

bool confirm_quit(Console& console, std::string_view warning) {
    Screen& s = console.screen;
    draw_texts(s, {&QUIT_HEAD, 1});
    put_text_at(s, QUIT_WARNING_ROW, DIALOG_COLUMN, ATTR_LIGHT_GREEN, warning);
    draw_texts(s, {&QUIT_QUESTION, 1});
    if (ask_yes(console)) return true;
    erase_dialog(s, DIALOG_TOP_ROW);
    return false;
}

} // namespace zk
