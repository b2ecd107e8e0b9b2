// The editor's first screen: the rules, the size prompts and the blank board for valid sizes.

#include "editor/editor_setup.hpp"

#include "board_screen/board_view.hpp"
#include "board_screen/title.hpp"
#include "console/line_reader.hpp"
#include "editor/advice_text.hpp"
#include "editor/editor_board.hpp"
#include "editor/editor_legend.hpp"

namespace zk {

namespace {

constexpr FixedText MAX_COLUMN_RUNS_TEXT = advice_text("#", ADVICE_MAX_COLUMN_RUNS);
constexpr FixedText MAX_RUN_TEXT = advice_text("#", ADVICE_MAX_RUN);

// The editor's own title word and the box with the rules a level should keep.
constexpr ScreenText RULES[] = {
    {TITLE_ROW, TITLE_COLUMN + TITLE_WIDTH, ATTR_LIGHT_CYAN, "Edytor"},
    {3, 1, ATTR_LIGHT_RED, "     Pare zasad:     "},
    {5, 1, ATTR_WHITE, "*Maksymalny wymiar to"},
    {6, 1, ATTR_LIGHT_GREEN, "        15x15        "},
    {8, 1, ATTR_WHITE, "*Maksymalna ilosc grup"},
    {9, 1, ATTR_WHITE, "      w pionie "},
    {9, 16, ATTR_LIGHT_GREEN, MAX_COLUMN_RUNS_TEXT.view()},
    {11, 1, ATTR_WHITE, "  *Maksymalna ilosc  "},
    {12, 1, ATTR_WHITE, "wystapien tego samego"},
    {13, 1, ATTR_WHITE, "koloru pod rzad to "},
    {13, 20, ATTR_LIGHT_GREEN, MAX_RUN_TEXT.view()},
};

// Shows a prompt in white and reads a number whose digits echo in light green after it.
int ask_size(Console& console, int row, const char* prompt) {
    put_text_at(console.screen, row, 1, ATTR_WHITE, prompt);
    return read_number(console, ATTR_LIGHT_GREEN);
}

} // namespace

ScreenId editor_setup(Context& ctx) {
    Screen& s = ctx.screen();
    clear_screen(s, ATTR_GREY);
    draw_title(s);
    draw_texts(s, RULES);
    const int height = ask_size(ctx.console, 15, "Podaj wysokosc: ");
    const int width = ask_size(ctx.console, 16, "Podaj szerokosc: ");

    if (!is_valid_board_size(height, width)) {
        // Plain output below the echo of the width.
        put_text(s, ATTR_LIGHT_RED, "\n Podano nieprawidlowy wymiar\n     sprobuj jeszcze raz");
        wait_for_any_key(ctx.console);
        return ScreenId::editor_setup; // a fresh setup screen, as the next step of the chain
    }

    lay_out_editor_board(ctx.puzzle, height, width);
    draw_board_cells(ctx.puzzle, s);
    draw_editor_legend(s);
    return ScreenId::editor;
}

} // namespace zk
