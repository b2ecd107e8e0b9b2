#include "menu/main_menu.hpp"

#include "console/line_reader.hpp"
#include "model/level_file.hpp"

#include <string>
#include <string_view>

namespace zk {

namespace {

// Title blocks: "ZIMVO" from column 0 (35 wide) and "KRELT" from column 35 (39 wide). The second
// is drawn after the first, each line whole.
constexpr ScreenText MENU_TEXTS[] = {
    {0, 0, 12, R"( _____  _   __  __  __    __  ___  )"},
    {1, 0, 12, R"(|__  / | | |  \/  | \ \  / / / _ \ )"},
    {2, 0, 12, R"(  / /  | | | |\/| |  \ \/ / | | | |)"},
    {3, 0, 12, R"( / /_  | | | |  | |   \  /  | |_| |)"},
    {4, 0, 12, R"(/____| |_| |_|  |_|    \/    \___/ )"},
    {0, 35, 10, R"(  _   __  ____    _____   _      _____ )"},
    {1, 35, 10, R"( | | / / |  _ \  | ____| | |    |_   _|)"},
    {2, 35, 10, R"( | |/ /  | |_/ / |  _|   | |      | |  )"},
    {3, 35, 10, R"( | |\ \  |  _ \  | |___  | |__    | |  )"},
    {4, 35, 10, R"( |_| \_\ |_| \_\ |_____| |____|   |_|  )"},
    {6, 14, 11, "Poziomy:"},
    {8, 5, 10, "Latwe: "},
    {10, 6, 10, "[e1]"},
    {11, 6, 10, "[e2]"},
    {12, 6, 10, "[e3]"},
    {13, 6, 10, "[e4]"},
    {14, 6, 10, "[e5]"},
    {8, 14, 14, "Srednie: "},
    {10, 16, 14, "[m1]"},
    {11, 16, 14, "[m2]"},
    {12, 16, 14, "[m3]"},
    {13, 16, 14, "[m4]"},
    {14, 16, 14, "[m5]"},
    {8, 24, 12, "Trudne: "},
    {10, 25, 12, "[h1]"},
    {11, 25, 12, "[h2]"},
    {12, 25, 12, "[h3]"},
    {13, 25, 12, "[h4]"},
    {14, 25, 12, "[h5]"},
    {16, 15, 12, "UWAGA!"},
    {17, 1, 15, " Mozesz tworzyc wlasnie poziomy "},
    {18, 1, 15, " aby to zrobic po prostu wpisz  "},
    {19, 1, 10, "   edytor "},
    {19, 11, 15, "jako nazwa poziomu", true},
    {21, 1, 15, "   Wpisujac "},
    {21, 13, 12, "exit ", true},
    {21, 18, 15, "opuscisz gre", true},
    {23, 1, 11, "Kolorowy nonogram w terminalu"},
    {24, 1, 11, "Wersja 1.0"},
    {6, 50, 11, "Jak grac?"},
    {8, 35, 15, "* Jest to gra logiczna polegajaca na"},
    {9, 35, 15, "   prawidlowym zamalowaniu planszy  "},
    {10, 35, 15, "     zlozonej z kwadratowych pol    "},
    {12, 35, 15, "* Liczby odpowiadaja grupie pol tzn."},
    {13, 36, 10, " 3"},
    {13, 39, 15, "oznacza trzy sasiadujace ze soba"},
    {14, 35, 15, "  zielone pola (pionowo lub poziomo)"},
    {16, 35, 15, "* Miedzy grupami"},
    {16, 51, 12, " tego samego koloru", true},
    {17, 35, 15, "     musi wystepowac puste pole     "},
    {19, 35, 15, "* Kolejnosc grup musi sie zgadzac z "},
    {20, 35, 15, "     kolejnoscia podanych liczb     "},
};

constexpr std::string_view EXIT_WORD = "exit";
constexpr std::string_view EDITOR_WORD = "edytor";

} // namespace

void draw_menu_screen(Screen& s) {
    draw_texts(s, MENU_TEXTS);
}

NextScreen show_menu(Context& ctx) {
    Screen& s = ctx.screen();
    clear_screen(s, 7);
    draw_menu_screen(s);
    put_text_at(s, 22, 42, 10, "Podaj nazwe poziomu: "); // the typed word echoes from column 63
    set_colour(s, 10);

    return follow_word(ctx, read_word(ctx.console));
}

NextScreen follow_word(Context& ctx, const std::string& name) {
    if (name == EXIT_WORD) return NextScreen::exit;
    if (name == EDITOR_WORD) return NextScreen::editor_setup;
    // A name that could lead out of the level directory names no level.
    if (!is_safe_level_name(name)) return NextScreen::level_not_found;

    ctx.display_path = level_display_path(name);
    if (!load_level(ctx.puzzle, find_level_file(name, ctx.level_dirs)))
        return NextScreen::level_not_found;
    return NextScreen::game;
}

NextScreen show_level_not_found(Context& ctx) {
    Screen& s = ctx.screen();
    clear_screen(s, 7);
    draw_menu_screen(s);
    put_text_at(s, 22, 38, 12, "Brak planszy o podanej nazwie");
    put_text_at(s, 23, 38, 15, "  Nacsisnij dowolny klawisz  ");
    wait_for_any_key(ctx.console);
    return NextScreen::menu;
}

} // namespace zk
