// The game's key loop: moves, paints, checks, the quit dialog and the win.

#include "play/play_loop.hpp"

#include "board_screen/action_keys.hpp"
#include "board_screen/board_view.hpp"
#include "board_screen/dialog.hpp"
#include "play/check.hpp"
#include "play/game_screen.hpp"

namespace zk {

namespace {

// Shows the win box; the key that closes it is taken here so the menu does not see it.
ScreenId win_game(Context& ctx) {
    show_win_screen(ctx.puzzle, ctx.screen());
    finish_game(ctx.puzzle);
    wait_for_any_key(ctx.console);
    return ScreenId::menu;
}

// Reads each key of the game and handles it until the game is left or won.
ScreenId play_loop(Context& ctx) {
    PuzzleState& p = ctx.puzzle;
    Screen& s = ctx.screen();
    for (;;) {
        const int code = get_key(ctx.console);
        if (is_action_key(code, Action::check)) {
            check_canvas(p, s, ctx.console.clock_ms());
        } else if (is_action_key(code, Action::quit)) {
            if (confirm_quit(ctx.console, "Stracisz postep w grze")) {
                finish_game(p);
                return ScreenId::menu;
            }
        } else {
            handle_cursor_code(p, s, code);
        }
        if (p.solved != 0) return win_game(ctx);
    }
}

} // namespace

ScreenId play_game(Context& ctx) {
    whiten_canvas(ctx.puzzle);
    draw_game_screen(ctx.screen(), ctx.display_path);
    draw_board_and_clues(ctx.puzzle, ctx.screen());
    ctx.puzzle.start_ticks = ctx.console.clock_ms();
    home_cursor(ctx.puzzle, ctx.screen());
    return play_loop(ctx);
}

} // namespace zk
