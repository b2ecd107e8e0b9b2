// The level editor's key legend: the shared legend with the save key as its action line.

#include "editor/editor_legend.hpp"

#include "board_screen/action_keys.hpp"
#include "board_screen/key_legend.hpp"

namespace zk {

namespace {

constexpr FixedText SAVE_KEY_TEXT = key_text("[#] - zapisz ", Action::save);
constexpr ScreenText SAVE_LINE[] = {
    {LEGEND_ACTION_ROW, LEGEND_COLUMN, ATTR_WHITE, SAVE_KEY_TEXT.view()}};

} // namespace

void draw_editor_legend(Screen& s) {
    draw_key_legend(s, SAVE_LINE);
}

} // namespace zk
