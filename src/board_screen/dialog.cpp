#include "board_screen/dialog.hpp"

#include <string>

namespace zk {

namespace {

// The quit question; the screen's own warning goes on row 2.
constexpr ScreenText QUIT_HEAD{1, DIALOG_COLUMN, 12, "        UWAGA!        "};
constexpr ScreenText QUIT_QUESTION[] = {
    {3, DIALOG_COLUMN, 10, "    na pewno wyjsc?   "},
    {4, DIALOG_COLUMN, 15, "        [T/N]         "},
};

} // namespace

bool wait_for_yes(Console& c) {
    for (;;) {
        const int code = get_key(c);
        if (code == 'T' || code == 't') return true;
        if (code == 'N' || code == 'n') return false;
    }
}

void erase_dialog_line(Screen& s, int row) {
    put_text_at(s, row, DIALOG_COLUMN, 7, std::string(DIALOG_WIDTH, ' '));
}

bool confirm_quit(Console& c, std::string_view warning) {
    Screen& s = c.screen;
    draw_texts(s, {&QUIT_HEAD, 1});
    put_text_at(s, 2, DIALOG_COLUMN, 10, warning);
    draw_texts(s, QUIT_QUESTION);
    if (wait_for_yes(c)) return true;
    for (int row = 1; row <= 4; ++row) erase_dialog_line(s, row);
    return false;
}

} // namespace zk
