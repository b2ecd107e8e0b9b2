#include "play/game_screen.hpp"

#include "board_screen/board_view.hpp"
#include "board_screen/colour_looks.hpp"
#include "board_screen/glyphs.hpp"
#include "board_screen/key_legend.hpp"
#include "board_screen/title.hpp"
#include "model/level_file.hpp"
#include "model/runs.hpp"

#include <array>
#include <cstdint>
#include <string>

namespace zk {

namespace {

// Column of the row clue slot 0; slot k of a row stands k columns further left.
constexpr int ROW_CLUE_COLUMN = BOARD_LEFT - 2;
// Row of the column clue slot 0; slot k of a column stands k rows higher.
constexpr int COLUMN_CLUE_ROW = BOARD_TOP - 2;
constexpr int LEFT_EDGE_COLUMN = BOARD_LEFT - 1;
constexpr int TOP_EDGE_ROW = BOARD_TOP - 1;

// Prints the clue of one run at (x, y) in its clue attribute; slots off the screen have no
// room and are left out.
void print_clue(Screen& s, const Run& run, int x, int y) {
    if (!on_screen(x, y)) return;
    put_text_at(s, y, x, look_of_letter(run.letter)->clue_attr, std::to_string(run.length));
}

void draw_edge_marks(const PuzzleState& p, Screen& s) {
    for (int r = 0; r < GRID_STRIDE; ++r)
        if (is_board_cell(p, r, 0)) put_char_at(s, LEFT_EDGE_COLUMN, BOARD_TOP + r, 7, GLYPH_EDGE);
    for (int c = 0; c < GRID_STRIDE; ++c)
        if (is_board_cell(p, 0, c)) put_char_at(s, BOARD_LEFT + c, TOP_EDGE_ROW, 7, GLYPH_EDGE);
}

// Rows from the bottom up, each read right to left, so that the run next to the board comes
// first. The drawing order decides which digit wins where two-digit clues overlap.
void draw_row_clues(const PuzzleState& p, Screen& s) {
    std::array<std::uint8_t, GRID_STRIDE> line{};
    for (int r = GRID_STRIDE - 1; r >= 0; --r) {
        for (int i = 0; i < GRID_STRIDE; ++i) line[i] = at(p.target, r, GRID_STRIDE - 1 - i);
        const RunList runs = line_runs(line);
        for (int k = 0; k < runs.count; ++k)
            print_clue(s, runs[k], ROW_CLUE_COLUMN - k, BOARD_TOP + r);
    }
}

// Columns from the right to the left, each read bottom to top, so that the run next to the
// board comes first.
void draw_column_clues(const PuzzleState& p, Screen& s) {
    std::array<std::uint8_t, GRID_STRIDE> line{};
    for (int c = GRID_STRIDE - 1; c >= 0; --c) {
        for (int i = 0; i < GRID_STRIDE; ++i) line[i] = at(p.target, GRID_STRIDE - 1 - i, c);
        const RunList runs = line_runs(line);
        for (int k = 0; k < runs.count; ++k)
            print_clue(s, runs[k], BOARD_LEFT + c, COLUMN_CLUE_ROW - k);
    }
}

// The fixed texts of the game screen beside the title and the level name.
constexpr ScreenText GAME_FRAME[] = {
    {3, 0, 15, "  Mapa: "},
    {4, 2, 15, "Sprawdzenia: "},
    {4, 14, 48, "0"},
};
// The map label covers the level folder's prefix of the display path, leaving the level name.
static_assert(GAME_FRAME[0].text.size() == LEVEL_DISPLAY_PREFIX_LENGTH);

// The check key's legend line, with the two check-mark colours, green and red.
constexpr char BLOCK[] = {static_cast<char>(GLYPH_BLOCK), '\0'};
constexpr ScreenText CHECK_LINE[] = {
    {LEGEND_ACTION_ROW, LEGEND_COLUMN, 15, "[C] - sprawdz "},
    {LEGEND_ACTION_ROW, LEGEND_COLUMN + 14, 10, BLOCK, true},
    {LEGEND_ACTION_ROW, LEGEND_COLUMN + 15, 10, ":) ", true},
    {LEGEND_ACTION_ROW, LEGEND_COLUMN + 18, 12, BLOCK, true},
    {LEGEND_ACTION_ROW, LEGEND_COLUMN + 19, 12, ":( ", true},
};

} // namespace

void draw_game_screen(Screen& s, std::string_view display_path) {
    clear_screen(s, 7);
    draw_title(s);
    put_text_at(s, 3, 0, 11, display_path);
    draw_texts(s, GAME_FRAME);
    draw_key_legend(s, CHECK_LINE);
}

void draw_board_and_clues(const PuzzleState& p, Screen& s) {
    draw_board_cells(p, s);
    draw_edge_marks(p, s);
    draw_row_clues(p, s);
    draw_column_clues(p, s);
}

} // namespace zk
