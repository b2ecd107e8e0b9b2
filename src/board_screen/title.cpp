#include "board_screen/title.hpp"

namespace zk {

namespace {

constexpr ScreenText TITLE[] = {
    {1, 4, 12, "Zimvo"},
    {1, 9, 10, "Krelt"},
};

} // namespace

void draw_title(Screen& s) {
    draw_texts(s, TITLE);
}

} // namespace zk
