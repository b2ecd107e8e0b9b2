#include "editor/editor_legend.hpp"

#include "board_screen/key_legend.hpp"

namespace zk {

namespace {

constexpr ScreenText SAVE_LINE[] = {
    {LEGEND_ACTION_ROW, LEGEND_COLUMN, ATTR_WHITE, "[Z] - zapisz "}};

} // namespace

void draw_editor_legend(Screen& s) {
    draw_key_legend(s, SAVE_LINE);
}

} // namespace zk
