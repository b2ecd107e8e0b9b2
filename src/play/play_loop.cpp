#include "play/play_loop.hpp"

#include "board_screen/board_view.hpp"
#include "board_screen/dialog.hpp"
#include "play/check.hpp"
#include "play/game_screen.hpp"

namespace zk {

namespace {

NextScreen leave_game(PuzzleState& p) {
    p.check_count = 0;
    reset_puzzle(p);
    return NextScreen::menu;
}

// Shows the win box, which clears the level; the count goes back to 0 once the box has shown
// it, and the key that closes the box is taken here so the menu does not see it.
NextScreen win_game(Context& ctx) {
    PuzzleState& p = ctx.puzzle;
    set_colour(ctx.screen(), 7);
    p.solved = 0;
    show_win_screen(p, ctx.screen());
    p.check_count = 0;
    wait_for_any_key(ctx.console);
    return NextScreen::menu;
}

} // namespace

NextScreen play_game(Context& ctx) {
    whiten_canvas(ctx.puzzle);
    draw_game_screen(ctx.screen(), ctx.display_path);
    draw_board_and_clues(ctx.puzzle, ctx.screen());
    return start_game(ctx);
}

NextScreen start_game(Context& ctx) {
    ctx.puzzle.start_ticks = ctx.console.clock_ms();
    home_cursor(ctx.puzzle, ctx.screen());
    return play_loop(ctx, get_key(ctx.console));
}

NextScreen play_loop(Context& ctx, int key) {
    PuzzleState& p = ctx.puzzle;
    Screen& s = ctx.screen();
    int code = key == KEY_PREFIX ? get_key(ctx.console) : key;
    for (;;) {
        if (code == 'c' || code == 'C') {
            check_canvas(p, s, ctx.console.clock_ms());
        } else if (code == 'q' || code == 'Q') {
            if (confirm_quit(ctx.console, "Stracisz postep w grze")) return leave_game(p);
        } else {
            handle_cursor_code(p, s, code);
        }
        if (p.solved != 0) return win_game(ctx);
        code = read_command_code(ctx.console);
    }
}

} // namespace zk
