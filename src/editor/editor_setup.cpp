#include "editor/editor_setup.hpp"

#include "board_screen/board_view.hpp"
#include "board_screen/title.hpp"
#include "console/line_reader.hpp"
#include "editor/editor_board.hpp"
#include "editor/editor_legend.hpp"

namespace zk {

namespace {

// The title in three colours and the box with the rules a level should keep. The two
// numbers continue the text before them at the current position.
void draw_rules(Screen& s) {
    draw_title(s);
    set_colour(s, 11);
    put_text_at(s, 1, 14, "Edytor");
    set_colour(s, 12);
    put_text_at(s, 3, 1, "     Pare zasad:     ");
    set_colour(s, 15);
    put_text_at(s, 5, 1, "*Maksymalny wymiar to");
    set_colour(s, 10);
    put_text_at(s, 6, 1, "        15x15        ");
    set_colour(s, 15);
    put_text_at(s, 8, 1, "*Maksymalna ilosc grup");
    set_colour(s, 15);
    put_text_at(s, 9, 1, "      w pionie ");
    set_colour(s, 10);
    put_text(s, "8");
    set_colour(s, 15);
    put_text_at(s, 11, 1, "  *Maksymalna ilosc  ");
    set_colour(s, 15);
    put_text_at(s, 12, 1, "wystapien tego samego");
    set_colour(s, 15);
    put_text_at(s, 13, 1, "koloru pod rzad to ");
    set_colour(s, 10);
    put_text(s, "9");
}

// Shows a prompt in white and reads a number whose digits echo in light green after it.
int ask_size(Console& c, int row, const char* prompt) {
    set_colour(c.screen, 15);
    put_text_at(c.screen, row, 1, prompt);
    set_colour(c.screen, 10);
    return read_number(c);
}

} // namespace

NextScreen editor_setup(Context& ctx) {
    Screen& s = ctx.screen();
    clear_screen(s);
    draw_rules(s);
    const int height = ask_size(ctx.console, 15, "Podaj wysokosc: ");
    const int width = ask_size(ctx.console, 16, "Podaj szerokosc: ");

    if (!is_valid_board_size(height, width)) {
        set_colour(s, 12);
        put_text(s, "\n Podano nieprawidlowy wymiar\n     sprobuj jeszcze raz");
        set_colour(s, 15);
        wait_for_any_key(ctx.console);
        return NextScreen::editor_setup; // a fresh setup screen, as the next step of the chain
    }

    lay_out_editor_board(ctx.puzzle, height, width);
    draw_board_cells(ctx.puzzle, s);
    draw_editor_legend(s);
    return NextScreen::editor;
}

} // namespace zk
