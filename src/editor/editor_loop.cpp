#include "editor/editor_loop.hpp"

#include "editor/save_dialog.hpp"
#include "model/cursor.hpp"

#include <string>

namespace zk {

namespace {

constexpr int DIALOG_COLUMN = 45;
const std::string DIALOG_BLANK(22, ' ');

// Waits for T/t (true) or N/n (false); every other code, both codes of an arrow key
// included, is dropped.
bool wait_for_yes(Console& c) {
    for (;;) {
        switch (get_key(c)) {
        case 'T':
        case 't':
            return true;
        case 'N':
        case 'n':
            return false;
        default:
            break;
        }
    }
}

// Asks whether to leave without saving. True when the author confirms; otherwise the
// dialog is erased and the drawing goes on.
bool confirm_quit(Context& ctx) {
    Screen& s = ctx.screen();
    set_colour(s, 12);
    put_text_at(s, 1, DIALOG_COLUMN, "        UWAGA!        ");
    set_colour(s, 10);
    put_text_at(s, 2, DIALOG_COLUMN, " Mapa sie nie zapisze ");
    put_text_at(s, 3, DIALOG_COLUMN, "    na pewno wyjsc?   ");
    set_colour(s, 15);
    put_text_at(s, 4, DIALOG_COLUMN, "        [T/N]         ");
    if (wait_for_yes(ctx.console)) return true;
    set_colour(s, 12);
    for (int row = 1; row <= 4; ++row) put_text_at(s, row, DIALOG_COLUMN, DIALOG_BLANK);
    return false;
}

// Asks whether the work is finished; the question is erased either way.
bool confirm_finished(Context& ctx) {
    Screen& s = ctx.screen();
    set_colour(s, 11);
    put_text_at(s, 2, DIALOG_COLUMN, "Skonczyles juz prace ?");
    set_colour(s, 15);
    put_text_at(s, 4, DIALOG_COLUMN, "        [T/N]         ");
    const bool yes = wait_for_yes(ctx.console);
    put_text_at(s, 2, DIALOG_COLUMN, DIALOG_BLANK);
    put_text_at(s, 4, DIALOG_COLUMN, DIALOG_BLANK);
    return yes;
}

} // namespace

NextScreen start_editor(Context& ctx) {
    home_cursor(ctx.puzzle, ctx.screen());
    return editor_loop(ctx, get_key(ctx.console));
}

NextScreen editor_loop(Context& ctx, int key) {
    int code = key == KEY_PREFIX ? get_key(ctx.console) : key;
    for (;;) {
        if (code == 'q' || code == 'Q') {
            if (confirm_quit(ctx)) break;
        } else if (code == 'z' || code == 'Z') {
            if (confirm_finished(ctx) && save_drawing(ctx)) break;
        } else {
            handle_cursor_code(ctx.puzzle, ctx.screen(), code); // any other code does nothing
        }
        code = read_command_code(ctx.console);
    }
    reset_puzzle(ctx.puzzle);
    return NextScreen::menu;
}

} // namespace zk
