#include "menu/screen_chain.hpp"

#include "editor/editor_loop.hpp"
#include "editor/editor_setup.hpp"
#include "menu/main_menu.hpp"
#include "play/play_loop.hpp"

namespace zk {

NextScreen run_screen(Context& ctx, NextScreen screen) {
    switch (screen) {
    case NextScreen::menu:
        return show_menu(ctx);
    case NextScreen::level_not_found:
        return show_level_not_found(ctx);
    case NextScreen::game:
        return play_game(ctx);
    case NextScreen::editor_setup:
        return editor_setup(ctx);
    case NextScreen::editor:
        return start_editor(ctx);
    case NextScreen::exit:
        break;
    }
    return NextScreen::exit;
}

void run_screens(Context& ctx, NextScreen first) {
    NextScreen screen = first;
    while (screen != NextScreen::exit) screen = run_screen(ctx, screen);
}

} // namespace zk
