// Shared screen parts: the two-coloured title of the game and the editor.

#include "board_screen/title.hpp"

namespace zk {

namespace {

constexpr ScreenText TITLE[] = {
    {TITLE_ROW, TITLE_COLUMN, ATTR_LIGHT_RED, "Zimvo"},
    {TITLE_ROW, TITLE_COLUMN + 5, ATTR_LIGHT_GREEN, "Krelt"},
};
static_assert(TITLE[1].col + static_cast<int>(TITLE[1].text.size()) == TITLE_COLUMN + TITLE_WIDTH);

} // namespace

void draw_title(Screen& s) {
    draw_texts(s, TITLE);
}

} // namespace zk
