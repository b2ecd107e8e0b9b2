// The main menu: its texts, the word typed at its prompt and the screen it leads to, and the
// level-not-found screen.

#include "menu/main_menu.hpp"

#include "board_screen/layout.hpp"
#include "console/line_reader.hpp"
#include "model/level_file.hpp"

#include <string>
#include <string_view>

namespace zk {

namespace {

// Title blocks: "ZIMVO" from column 0 (35 wide) and "KRELT" from column 35 (39 wide). The second
// is drawn after the first, each line whole.
constexpr ScreenText MENU_TEXTS[] = {
    {0, 0, ATTR_LIGHT_RED, R"( _____  _   __  __  __    __  ___  )"},
    {1, 0, ATTR_LIGHT_RED, R"(|__  / | | |  \/  | \ \  / / / _ \ )"},
    {2, 0, ATTR_LIGHT_RED, R"(  / /  | | | |\/| |  \ \/ / | | | |)"},
    {3, 0, ATTR_LIGHT_RED, R"( / /_  | | | |  | |   \  /  | |_| |)"},
    {4, 0, ATTR_LIGHT_RED, R"(/____| |_| |_|  |_|    \/    \___/ )"},
    {0, 35, ATTR_LIGHT_GREEN, R"(  _   __  ____    _____   _      _____ )"},
    {1, 35, ATTR_LIGHT_GREEN, R"( | | / / |  _ \  | ____| | |    |_   _|)"},
    {2, 35, ATTR_LIGHT_GREEN, R"( | |/ /  | |_/ / |  _|   | |      | |  )"},
    {3, 35, ATTR_LIGHT_GREEN, R"( | |\ \  |  _ \  | |___  | |__    | |  )"},
    {4, 35, ATTR_LIGHT_GREEN, R"( |_| \_\ |_| \_\ |_____| |____|   |_|  )"},
    {6, 14, ATTR_LIGHT_CYAN, "Poziomy:"},
    {8, 5, ATTR_LIGHT_GREEN, "Latwe: "},
    {10, 6, ATTR_LIGHT_GREEN, "[e1]"},
    {11, 6, ATTR_LIGHT_GREEN, "[e2]"},
    {12, 6, ATTR_LIGHT_GREEN, "[e3]"},
    {13, 6, ATTR_LIGHT_GREEN, "[e4]"},
    {14, 6, ATTR_LIGHT_GREEN, "[e5]"},
    {8, 14, ATTR_YELLOW, "Srednie: "},
    {10, 16, ATTR_YELLOW, "[m1]"},
    {11, 16, ATTR_YELLOW, "[m2]"},
    {12, 16, ATTR_YELLOW, "[m3]"},
    {13, 16, ATTR_YELLOW, "[m4]"},
    {14, 16, ATTR_YELLOW, "[m5]"},
    {8, 24, ATTR_LIGHT_RED, "Trudne: "},
    {10, 25, ATTR_LIGHT_RED, "[h1]"},
    {11, 25, ATTR_LIGHT_RED, "[h2]"},
    {12, 25, ATTR_LIGHT_RED, "[h3]"},
    {13, 25, ATTR_LIGHT_RED, "[h4]"},
    {14, 25, ATTR_LIGHT_RED, "[h5]"},
    {16, 15, ATTR_LIGHT_RED, "UWAGA!"},
    {17, 1, ATTR_WHITE, " Mozesz tworzyc wlasnie poziomy "},
    {18, 1, ATTR_WHITE, " aby to zrobic po prostu wpisz  "},
    {19, 1, ATTR_LIGHT_GREEN, "   edytor "},
    {19, 11, ATTR_WHITE, "jako nazwa poziomu"},
    {21, 1, ATTR_WHITE, "   Wpisujac "},
    {21, 13, ATTR_LIGHT_RED, "exit "},
    {21, 18, ATTR_WHITE, "opuscisz gre"},
    {23, 1, ATTR_LIGHT_CYAN, "Kolorowy nonogram w terminalu"},
    {24, 1, ATTR_LIGHT_CYAN, "Wersja 1.0"},
    {6, 50, ATTR_LIGHT_CYAN, "Jak grac?"},
    {8, 35, ATTR_WHITE, "* Jest to gra logiczna polegajaca na"},
    {9, 35, ATTR_WHITE, "   prawidlowym zamalowaniu planszy  "},
    {10, 35, ATTR_WHITE, "     zlozonej z kwadratowych pol    "},
    {12, 35, ATTR_WHITE, "* Liczby odpowiadaja grupie pol tzn."},
    {13, 36, ATTR_LIGHT_GREEN, " 3"},
    {13, 39, ATTR_WHITE, "oznacza trzy sasiadujace ze soba"},
    {14, 35, ATTR_WHITE, "  zielone pola (pionowo lub poziomo)"},
    {16, 35, ATTR_WHITE, "* Miedzy grupami"},
    {16, 51, ATTR_LIGHT_RED, " tego samego koloru"},
    {17, 35, ATTR_WHITE, "     musi wystepowac puste pole     "},
    {19, 35, ATTR_WHITE, "* Kolejnosc grup musi sie zgadzac z "},
    {20, 35, ATTR_WHITE, "     kolejnoscia podanych liczb     "},
};

constexpr std::string_view EDITOR_WORD = "edytor";

} // namespace

void draw_menu_screen(Screen& s) {
    draw_texts(s, MENU_TEXTS);
}

ScreenId show_menu(Context& ctx) {
    Screen& s = ctx.screen();
    clear_screen(s, ATTR_GREY);
    draw_menu_screen(s);
    // The typed word echoes from column 63.
    put_text_at(s, 22, 42, ATTR_LIGHT_GREEN, "Podaj nazwe poziomu: ");

    return follow_word(ctx, read_word(ctx.console, ATTR_LIGHT_GREEN));
}

ScreenId follow_word(Context& ctx, const std::string& name) {
    if (name == EXIT_WORD) return ScreenId::exit;
    if (name == EDITOR_WORD) return ScreenId::editor_setup;
    // A name that could lead out of the level directory names no level.
    if (!is_safe_level_name(name)) return ScreenId::level_not_found;

    ctx.display_path = level_display_path(name);
    if (!load_level(ctx.puzzle, find_level_file(name, ctx.level_dirs)))
        return ScreenId::level_not_found;
    return ScreenId::game;
}

ScreenId show_level_not_found(Context& ctx) {
    Screen& s = ctx.screen();
    clear_screen(s, ATTR_GREY);
    draw_menu_screen(s);
    put_text_at(s, 22, 38, ATTR_LIGHT_RED, "Brak planszy o podanej nazwie");
    put_text_at(s, 23, 38, ATTR_WHITE, "  Nacsisnij dowolny klawisz  ");
    wait_for_any_key(ctx.console);
    return ScreenId::menu;
}

} // namespace zk
