// The program's chain of screens: each screen named by the one before runs in turn.

#include "menu/screen_chain.hpp"

#include "editor/editor_loop.hpp"
#include "editor/editor_setup.hpp"
#include "menu/main_menu.hpp"
#include "play/play_loop.hpp"

namespace zk {

ScreenId run_screen(Context& ctx, ScreenId screen) {
    switch (screen) {
    case ScreenId::menu:
        return show_menu(ctx);
    case ScreenId::level_not_found:
        return show_level_not_found(ctx);
    case ScreenId::game:
        return play_game(ctx);
    case ScreenId::editor_setup:
        return editor_setup(ctx);
    case ScreenId::editor:
        return start_editor(ctx);
    case ScreenId::exit:
        break;
    }
    return ScreenId::exit;
}

void run_screens(Context& ctx, ScreenId first) {
    ScreenId screen = first;
    while (screen != ScreenId::exit) screen = run_screen(ctx, screen);
}

} // namespace zk
