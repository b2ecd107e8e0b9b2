#include "editor/editor_legend.hpp"

#include "board_screen/key_legend.hpp"

namespace zk {

void draw_editor_legend(Screen& s) {
    draw_key_legend(s, [](Screen& screen) {
        set_colour(screen, 15);
        put_text_at(screen, 17, LEGEND_COLUMN, "[Z] - zapisz ");
    });
}

} // namespace zk
