#include "board_screen/title.hpp"

namespace zk {

void draw_title(Screen& s) {
    set_colour(s, 12);
    put_text_at(s, 1, 4, "Zimvo");
    set_colour(s, 10);
    put_text_at(s, 1, 9, "Krelt");
}

} // namespace zk
