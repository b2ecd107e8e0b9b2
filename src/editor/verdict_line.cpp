// The line that tells the editor's save question what the solver makes of the drawing.

#include "editor/verdict_line.hpp"

#include "editor/advice_text.hpp"
#include "solver/clues.hpp"

namespace zk {

namespace {

constexpr FixedText RUN_TOO_LONG_TEXT = advice_text(" Ciag dluzszy niz #!  ", ADVICE_MAX_RUN);
constexpr FixedText COLUMN_RUNS_TEXT =
    advice_text("Ponad # grup w pionie!", ADVICE_MAX_COLUMN_RUNS);

constexpr ScreenText EMPTY_LINE{VERDICT_ROW, DIALOG_COLUMN, ATTR_LIGHT_RED,
                                "    Pusta plansza!    "};
constexpr ScreenText RUN_TOO_LONG_LINE{VERDICT_ROW, DIALOG_COLUMN, ATTR_LIGHT_RED,
                                       RUN_TOO_LONG_TEXT.view()};
constexpr ScreenText COLUMN_RUNS_LINE{VERDICT_ROW, DIALOG_COLUMN, ATTR_LIGHT_RED,
                                      COLUMN_RUNS_TEXT.view()};
constexpr ScreenText SEVERAL_LINE{VERDICT_ROW, DIALOG_COLUMN, ATTR_LIGHT_RED,
                                  "   Wiele rozwiazan!   "};
constexpr ScreenText GUESSING_LINE{VERDICT_ROW, DIALOG_COLUMN, ATTR_YELLOW,
                                   "  Wymaga zgadywania   "};
constexpr ScreenText UNIQUE_LINE{VERDICT_ROW, DIALOG_COLUMN, ATTR_LIGHT_GREEN,
                                 "   Jedno rozwiazanie  "};

// Each line covers the dialog's width exactly, so it hides nothing of the drawing and
// erase_dialog removes all of it.
constexpr bool fills_dialog(const ScreenText& line) {
    return line.text.size() == DIALOG_WIDTH;
}
static_assert(fills_dialog(EMPTY_LINE) && fills_dialog(RUN_TOO_LONG_LINE) &&
              fills_dialog(COLUMN_RUNS_LINE) && fills_dialog(SEVERAL_LINE) &&
              fills_dialog(GUESSING_LINE) && fills_dialog(UNIQUE_LINE));

} // namespace

DrawingVerdict judge_editor_drawing(const PuzzleState& p) {
    const BoardSize size = board_size(p.target);
    return judge_drawing(p.canvas, size.height, size.width);
}

const ScreenText& verdict_line(DrawingVerdict verdict) {
    switch (verdict) {
    case DrawingVerdict::empty:
        return EMPTY_LINE;
    case DrawingVerdict::run_too_long:
        return RUN_TOO_LONG_LINE;
    case DrawingVerdict::too_many_column_runs:
        return COLUMN_RUNS_LINE;
    case DrawingVerdict::needs_guessing:
        return GUESSING_LINE;
    case DrawingVerdict::unique:
        return UNIQUE_LINE;
    case DrawingVerdict::several:
        break;
    }
    return SEVERAL_LINE; // anything unproven is no unique picture
}

} // namespace zk
