// The game's check: the counter, the right and wrong marks of each line, and the win box over the
// row clues.

#include "play/check.hpp"

#include "board_screen/glyphs.hpp"
#include "board_screen/layout.hpp"
#include "model/runs.hpp"

#include <string>
#include <string_view>

namespace zk {

namespace {

// What one pass over the board found.
struct PassResult {
    bool any_agreeing = false;
    bool any_disagreeing = false;
};

// Walks every line of the board of `kind` from its first cell,
// marks the line green while its cells agree and red at the first one that does not, and
// stops that line there. `mark` draws the line's edge mark in the attribute it is given.
template <typename Mark> PassResult check_lines(const PuzzleState& p, LineKind kind, Mark mark) {
    PassResult result;
    for (int line = 0; line < GRID_STRIDE; ++line) {
        for (int i = 0; i < GRID_STRIDE; ++i) {
            const int r = kind == LineKind::row ? line : i;
            const int c = kind == LineKind::row ? i : line;
            if (!is_board_cell(p, r, c)) continue;
            const bool agrees = at(p.canvas, r, c) == at(p.target, r, c);
            mark(line, agrees ? RIGHT_ATTR : WRONG_ATTR);
            if (!agrees) {
                result.any_disagreeing = true;
                break;
            }
            result.any_agreeing = true;
        }
    }
    return result;
}

// The answer up to its terminating zero, never past the end of the field.
std::string_view answer_text(const PuzzleState& p) {
    std::size_t length = 0;
    while (length < p.answer.size() && p.answer[length] != '\0') ++length;
    return {p.answer.data(), length};
}

constexpr int BOX_ATTR = ATTR_LIGHT_CYAN;

// The win box covers the row clues from the frame's top row down to the screen's bottom, and
// blanks the column clue area above every column a board can have.
constexpr CellBox WIN_BOX{0, WIN_FRAME.top, ROW_CLUE_COLUMN, SCREEN_ROWS - 1};
constexpr CellBox COLUMN_CLUE_AREA{EDGE_MARK_COLUMN, 0, BOARD_LEFT + MAX_BOARD - 1,
                                   COLUMN_CLUE_ROW};

// The win box's texts stand inside its frame, at these rows and columns counted from the
// frame's top left corner.
constexpr int win_row(int rows_below_top) {
    return WIN_FRAME.top + rows_below_top;
}
constexpr int win_column(int columns_right_of_left) {
    return WIN_FRAME.left + columns_right_of_left;
}

// The fixed texts of the win box; the answer, the count and the time go between them.
constexpr ScreenText WIN_TEXTS[] = {
    {win_row(2), win_column(4), ATTR_LIGHT_RED, "GRATULACJE!"},
    {win_row(4), win_column(2), ATTR_LIGHT_GREEN, "Rozwiazanie to"},
    {win_row(7), win_column(2), ATTR_LIGHT_GREEN, "Udalo Ci sie za"},
    {win_row(10), win_column(5), ATTR_LIGHT_GREEN, "W czasie: "},
    {win_row(13), win_column(1), ATTR_WHITE, "  Aby wrocic do"},
    {win_row(14), win_column(1), ATTR_WHITE, "  menu nacisnij"},
    {win_row(15), win_column(2), ATTR_WHITE, "dowolny klawisz"},
};
// The answer, the check count and the time, each on the row below its text.
constexpr int WIN_ANSWER_ROW = win_row(5);
constexpr int WIN_COUNT_ROW = win_row(8);
constexpr int WIN_TIME_ROW = win_row(11);

// The glyph of the win box at (y, x): the frame's corners and edges, blanks elsewhere.
std::uint8_t box_glyph(int y, int x) {
    const CellBox& f = WIN_FRAME;
    const bool edge_column = x == f.left || x == f.right;
    const bool edge_row = y == f.top || y == f.bottom;
    if (x == f.left && y == f.top) return GLYPH_BOX_TL;
    if (x == f.right && y == f.top) return GLYPH_BOX_TR;
    if (x == f.left && y == f.bottom) return GLYPH_BOX_BL;
    if (x == f.right && y == f.bottom) return GLYPH_BOX_BR;
    if (edge_row && x > f.left && x < f.right) return GLYPH_BOX_HORIZONTAL;
    if (edge_column && y > f.top && y < f.bottom) return GLYPH_BOX_VERTICAL;
    return ' ';
}

} // namespace

void check_canvas(PuzzleState& p, Screen& s, std::int64_t now_ms) {
    ++p.check_count;
    put_text_at(s, COUNTER_ROW, COUNTER_COLUMN, COUNTER_ATTR, std::to_string(p.check_count));

    const PassResult row_pass = check_lines(p, LineKind::row, [&](int r, int attr) {
        put_glyph_at(s, BOARD_TOP + r, EDGE_MARK_COLUMN, attr, GLYPH_EDGE);
    });
    const PassResult column_pass = check_lines(p, LineKind::column, [&](int c, int attr) {
        put_glyph_at(s, EDGE_MARK_ROW, BOARD_LEFT + c, attr, GLYPH_EDGE);
    });

    if (row_pass.any_disagreeing || column_pass.any_disagreeing) {
        p.solved = 0;
    } else if (row_pass.any_agreeing) {
        p.solved = 1;
        p.finish_ticks = now_ms;
        p.elapsed_seconds = static_cast<std::int32_t>((p.finish_ticks - p.start_ticks) / 1000);
    }
}

void show_win_screen(const PuzzleState& p, Screen& s) {
    for (int x = WIN_BOX.left; x <= WIN_BOX.right; ++x)
        for (int y = WIN_BOX.top; y <= WIN_BOX.bottom; ++y)
            put_glyph_at(s, y, x, BOX_ATTR, box_glyph(y, x));
    for (int x = COLUMN_CLUE_AREA.left; x <= COLUMN_CLUE_AREA.right; ++x)
        for (int y = COLUMN_CLUE_AREA.top; y <= COLUMN_CLUE_AREA.bottom; ++y)
            put_glyph_at(s, y, x, BOX_ATTR, ' ');
    draw_texts(s, WIN_TEXTS);

    put_text_at(s, WIN_ANSWER_ROW, win_column(2), BOX_ATTR, answer_text(p));
    const std::string count = std::to_string(p.check_count);
    put_text_at(s, WIN_COUNT_ROW, win_column(6), BOX_ATTR, count);
    put_text_at(s, WIN_COUNT_ROW, win_column(6) + static_cast<int>(count.size()), ATTR_LIGHT_GREEN,
                " razem");
    const int minutes = p.elapsed_seconds / 60;
    const int seconds = p.elapsed_seconds % 60;
    const std::string time = std::to_string(minutes) + "m " + std::to_string(seconds) + "s";
    put_text_at(s, WIN_TIME_ROW, win_column(6), ATTR_WHITE, " ");
    put_text_at(s, WIN_TIME_ROW, win_column(7), ATTR_WHITE, time);
}

} // namespace zk
