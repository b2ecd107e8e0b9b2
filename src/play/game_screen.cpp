// The game screen's frame, edge marks and clues in their slots and colours.

#include "play/game_screen.hpp"

#include "board_screen/action_keys.hpp"
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

// Prints the clue of one run at (row, col) in its clue attribute; slots off the screen have
// no room and are left out.
void print_clue(Screen& s, const Run& run, int row, int col) {
    if (!is_on_screen(row, col)) return;
    put_text_at(s, row, col, look_of_letter(run.letter)->clue_attr, std::to_string(run.length));
}

void draw_edge_marks(const PuzzleState& p, Screen& s) {
    for (int r = 0; r < GRID_STRIDE; ++r)
        if (is_board_cell(p, r, 0))
            put_glyph_at(s, BOARD_TOP + r, EDGE_MARK_COLUMN, ATTR_GREY, GLYPH_EDGE);
    for (int c = 0; c < GRID_STRIDE; ++c)
        if (is_board_cell(p, 0, c))
            put_glyph_at(s, EDGE_MARK_ROW, BOARD_LEFT + c, ATTR_GREY, GLYPH_EDGE);
}

// Rows from the bottom up, each read right to left, so that the run next to the board comes
// first. The drawing order decides which digit wins where two-digit clues overlap.
void draw_row_clues(const PuzzleState& p, Screen& s) {
    std::array<std::uint8_t, GRID_STRIDE> line{};
    for (int r = GRID_STRIDE - 1; r >= 0; --r) {
        for (int i = 0; i < GRID_STRIDE; ++i) line[i] = at(p.target, r, GRID_STRIDE - 1 - i);
        const RunList runs = line_runs(line);
        for (int k = 0; k < runs.count; ++k)
            print_clue(s, runs[k], BOARD_TOP + r, ROW_CLUE_COLUMN - k);
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
            print_clue(s, runs[k], COLUMN_CLUE_ROW - k, BOARD_LEFT + c);
    }
}

// The fixed texts of the game screen beside the title and the level name.
constexpr int MAP_ROW = 3;
constexpr ScreenText MAP_LABEL{MAP_ROW, 0, ATTR_WHITE, "  Mapa: "};
constexpr ScreenText COUNTER_LABEL{COUNTER_ROW, 2, ATTR_WHITE, "Sprawdzenia:"};
constexpr ScreenText GAME_FRAME[] = {
    MAP_LABEL,
    COUNTER_LABEL,
    {COUNTER_ROW, COUNTER_COLUMN, COUNTER_ATTR, "0"},
};
// The map label covers the level folder's prefix of the display path, leaving the level name.
static_assert(MAP_LABEL.text.size() == LEVEL_DISPLAY_PREFIX_LENGTH);
// The check count follows its label directly.
static_assert(COUNTER_LABEL.col + COUNTER_LABEL.text.size() == COUNTER_COLUMN);

// The check key's legend line, with the two check-mark colours.
constexpr char BLOCK[] = {static_cast<char>(GLYPH_BLOCK), '\0'};
constexpr FixedText CHECK_KEY_TEXT = key_text("[#] - sprawdz ", Action::check);
constexpr ScreenText CHECK_LINE[] = {
    {LEGEND_ACTION_ROW, LEGEND_COLUMN, ATTR_WHITE, CHECK_KEY_TEXT.view()},
    {LEGEND_ACTION_ROW, LEGEND_COLUMN + 14, RIGHT_ATTR, BLOCK},
    {LEGEND_ACTION_ROW, LEGEND_COLUMN + 15, RIGHT_ATTR, ":) "},
    {LEGEND_ACTION_ROW, LEGEND_COLUMN + 18, WRONG_ATTR, BLOCK},
    {LEGEND_ACTION_ROW, LEGEND_COLUMN + 19, WRONG_ATTR, ":( "},
};

} // namespace

void draw_game_screen(Screen& s, std::string_view display_path) {
    clear_screen(s, ATTR_GREY);
    draw_title(s);
    put_text_at(s, MAP_ROW, 0, ATTR_LIGHT_CYAN, display_path);
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
