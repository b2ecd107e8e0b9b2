#include "editor/editor_setup.hpp"

#include "board_screen/board_view.hpp"
#include "board_screen/title.hpp"
#include "console/line_reader.hpp"
#include "editor/editor_board.hpp"
#include "editor/editor_legend.hpp"

namespace zk {

namespace {

// The editor's own title word and the box with the rules a level should keep.
constexpr ScreenText RULES[] = {
    {1, 14, 11, "Edytor"},
    {3, 1, 12, "     Pare zasad:     "},
    {5, 1, 15, "*Maksymalny wymiar to"},
    {6, 1, 10, "        15x15        "},
    {8, 1, 15, "*Maksymalna ilosc grup"},
    {9, 1, 15, "      w pionie "},
    {9, 16, 10, "8", true},
    {11, 1, 15, "  *Maksymalna ilosc  "},
    {12, 1, 15, "wystapien tego samego"},
    {13, 1, 15, "koloru pod rzad to "},
    {13, 20, 10, "9", true},
};

// Shows a prompt in white and reads a number whose digits echo in light green after it.
int ask_size(Console& c, int row, const char* prompt) {
    put_text_at(c.screen, row, 1, 15, prompt);
    set_colour(c.screen, 10);
    return read_number(c);
}

} // namespace

NextScreen editor_setup(Context& ctx) {
    Screen& s = ctx.screen();
    clear_screen(s, 7);
    draw_title(s);
    draw_texts(s, RULES);
    const int height = ask_size(ctx.console, 15, "Podaj wysokosc: ");
    const int width = ask_size(ctx.console, 16, "Podaj szerokosc: ");

    if (!is_valid_board_size(height, width)) {
        set_colour(s, 12); // plain output below the echo of the width
        put_text(s, "\n Podano nieprawidlowy wymiar\n     sprobuj jeszcze raz");
        wait_for_any_key(ctx.console);
        return NextScreen::editor_setup; // a fresh setup screen, as the next step of the chain
    }

    lay_out_editor_board(ctx.puzzle, height, width);
    draw_board_cells(ctx.puzzle, s);
    draw_editor_legend(s);
    return NextScreen::editor;
}

} // namespace zk
