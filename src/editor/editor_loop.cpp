// The editor's key loop: moves, paints, the quit dialog and the save question with its verdict.

#include "editor/editor_loop.hpp"

#include "board_screen/action_keys.hpp"
#include "board_screen/board_view.hpp"
#include "board_screen/dialog.hpp"
#include "editor/save_dialog.hpp"
#include "editor/verdict_line.hpp"

namespace zk {

namespace {

// The save question; the verdict on the drawing goes on the row between it and the answer keys.
constexpr ScreenText SAVE_QUESTION{VERDICT_ROW - 1, DIALOG_COLUMN, ATTR_LIGHT_CYAN,
                                   "Skonczyles juz prace ?"};

// Asks whether the work is finished, with the verdict on the drawing as advice: the answer
// alone decides. The question and the verdict are erased either way.
bool confirm_finished(Context& ctx) {
    Screen& s = ctx.screen();
    const ScreenText& verdict = verdict_line(judge_editor_drawing(ctx.puzzle));
    draw_texts(s, {&SAVE_QUESTION, 1});
    draw_texts(s, {&verdict, 1});
    const bool yes = ask_yes(ctx.console);
    erase_dialog(s, SAVE_QUESTION.row);
    return yes;
}

} // namespace

ScreenId start_editor(Context& ctx) {
    home_cursor(ctx.puzzle, ctx.screen());
    return editor_loop(ctx);
}

ScreenId editor_loop(Context& ctx) {
    for (;;) {
        const int code = get_key(ctx.console);
        if (is_action_key(code, Action::quit)) {
            if (confirm_quit(ctx.console, " Mapa sie nie zapisze ")) break;
        } else if (is_action_key(code, Action::save)) {
            if (confirm_finished(ctx) && save_drawing(ctx)) break;
        } else {
            handle_cursor_code(ctx.puzzle, ctx.screen(), code); // any other code does nothing
        }
    }
    reset_puzzle(ctx.puzzle);
    return ScreenId::menu;
}

} // namespace zk
