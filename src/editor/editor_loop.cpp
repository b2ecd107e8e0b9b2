#include "editor/editor_loop.hpp"

#include "board_screen/board_view.hpp"
#include "board_screen/dialog.hpp"
#include "editor/save_dialog.hpp"

namespace zk {

namespace {

// Asks whether the work is finished; the question is erased either way.
bool confirm_finished(Context& ctx) {
    Screen& s = ctx.screen();
    put_text_at(s, 2, DIALOG_COLUMN, 11, "Skonczyles juz prace ?");
    put_text_at(s, 4, DIALOG_COLUMN, 15, "        [T/N]         ");
    const bool yes = wait_for_yes(ctx.console);
    erase_dialog_line(s, 2);
    erase_dialog_line(s, 4);
    return yes;
}

} // namespace

NextScreen start_editor(Context& ctx) {
    home_cursor(ctx.puzzle, ctx.screen());
    return editor_loop(ctx);
}

NextScreen editor_loop(Context& ctx) {
    for (;;) {
        const int code = get_key(ctx.console);
        if (code == 'q' || code == 'Q') {
            if (confirm_quit(ctx.console, " Mapa sie nie zapisze ")) break;
        } else if (code == 'z' || code == 'Z') {
            if (confirm_finished(ctx) && save_drawing(ctx)) break;
        } else {
            handle_cursor_code(ctx.puzzle, ctx.screen(), code); // any other code does nothing
        }
    }
    reset_puzzle(ctx.puzzle);
    return NextScreen::menu;
}

} // namespace zk
