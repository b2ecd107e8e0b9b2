#include "play/check.hpp"

#include "board_screen/board_view.hpp"
#include "board_screen/glyphs.hpp"

#include <string>
#include <string_view>

namespace zk {

namespace {

constexpr int RIGHT_ATTR = 10;
constexpr int WRONG_ATTR = 12;

// What one pass over the board found.
struct PassResult {
    bool any_agreeing = false;
    bool any_disagreeing = false;
};

// Walks every line of the board (rows when `rows`, else columns) from its first cell,
// marks the line green while its cells agree and red at the first one that does not, and
// stops that line there. `mark` draws the line's edge mark in the attribute it is given.
template <typename Mark> PassResult check_lines(const PuzzleState& p, bool rows, Mark mark) {
    PassResult result;
    for (int line = 0; line < GRID_STRIDE; ++line) {
        for (int i = 0; i < GRID_STRIDE; ++i) {
            const int r = rows ? line : i;
            const int c = rows ? i : line;
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

constexpr int BOX_ATTR = 11;

// The fixed texts of the win box; the answer, the count and the time go between them.
constexpr ScreenText WIN_TEXTS[] = {
    {8, 6, 12, "GRATULACJE!"},      {10, 4, 10, "Rozwiazanie to"},  {13, 4, 10, "Udalo Ci sie za"},
    {16, 7, 10, "W czasie: "},      {19, 3, 15, "  Aby wrocic do"}, {20, 3, 15, "  menu nacisnij"},
    {21, 4, 15, "dowolny klawisz"},
};

std::uint8_t box_glyph(int x, int y) {
    constexpr int LEFT = 2, RIGHT = 20, TOP = 6, BOTTOM = 23;
    const bool edge_column = x == LEFT || x == RIGHT;
    const bool edge_row = y == TOP || y == BOTTOM;
    if (x == LEFT && y == TOP) return GLYPH_BOX_TL;
    if (x == RIGHT && y == TOP) return GLYPH_BOX_TR;
    if (x == LEFT && y == BOTTOM) return GLYPH_BOX_BL;
    if (x == RIGHT && y == BOTTOM) return GLYPH_BOX_BR;
    if (edge_row && x > LEFT && x < RIGHT) return GLYPH_BOX_HORIZONTAL;
    if (edge_column && y > TOP && y < BOTTOM) return GLYPH_BOX_VERTICAL;
    return ' ';
}

} // namespace

void check_canvas(PuzzleState& p, Screen& s, std::int64_t now_ms) {
    ++p.check_count;
    put_text_at(s, 4, 14, 48, std::to_string(p.check_count));

    const PassResult row_pass = check_lines(p, true, [&](int r, int attr) {
        put_char_at(s, BOARD_LEFT - 1, BOARD_TOP + r, attr, GLYPH_EDGE);
    });
    const PassResult column_pass = check_lines(p, false, [&](int c, int attr) {
        put_char_at(s, BOARD_LEFT + c, BOARD_TOP - 1, attr, GLYPH_EDGE);
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
    for (int x = 0; x <= 23; ++x)
        for (int y = 6; y <= 24; ++y) put_char_at(s, x, y, BOX_ATTR, box_glyph(x, y));
    for (int x = 24; x <= 39; ++x)
        for (int y = 0; y <= 7; ++y) put_char_at(s, x, y, BOX_ATTR, ' ');
    draw_texts(s, WIN_TEXTS);

    put_text_at(s, 11, 4, BOX_ATTR, answer_text(p));
    const std::string count = std::to_string(p.check_count);
    put_text_at(s, 14, 8, BOX_ATTR, count);
    put_text_at(s, 14, 8 + static_cast<int>(count.size()), 10, " razem");
    const int minutes = p.elapsed_seconds / 60;
    const int seconds = p.elapsed_seconds % 60;
    const std::string time = std::to_string(minutes) + "m " + std::to_string(seconds) + "s";
    put_text_at(s, 17, 8, 15, " ");
    put_text_at(s, 17, 9, 15, time);
}

} // namespace zk
