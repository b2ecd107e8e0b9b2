#include "board_screen/dialog.hpp"

#include <string>

namespace zk {

bool wait_for_yes(Console& c) {
    for (;;) {
        const int code = get_key(c);
        if (code == 'T' || code == 't') return true;
        if (code == 'N' || code == 'n') return false;
    }
}

void erase_dialog_line(Screen& s, int row) {
    put_text_at(s, row, DIALOG_COLUMN, std::string(DIALOG_WIDTH, ' '));
}

bool confirm_quit(Console& c, std::string_view warning) {
    Screen& s = c.screen;
    set_colour(s, 12);
    put_text_at(s, 1, DIALOG_COLUMN, "        UWAGA!        ");
    set_colour(s, 10);
    put_text_at(s, 2, DIALOG_COLUMN, warning);
    put_text_at(s, 3, DIALOG_COLUMN, "    na pewno wyjsc?   ");
    set_colour(s, 15);
    put_text_at(s, 4, DIALOG_COLUMN, "        [T/N]         ");
    if (wait_for_yes(c)) return true;
    set_colour(s, 12);
    for (int row = 1; row <= 4; ++row) erase_dialog_line(s, row);
    return false;
}

} // namespace zk
