#include "board_screen/key_legend.hpp"

#include "console/colours.hpp"

#include <string>

namespace zk {

namespace {

// "[K] - name" in the colour's legend attribute, on row 10 for key 1 down to row 15 for key 6.
void draw_colour_line(Screen& s, char key) {
    const Colour& colour = *colour_of_key(key);
    set_colour(s, colour.legend_attr);
    put_text_at(s, 10 + (key - '1'), LEGEND_COLUMN,
                std::string("[") + key + "] - " + colour.legend_name);
}

} // namespace

void draw_key_legend(Screen& s, void (*draw_action_line)(Screen&)) {
    set_colour(s, 15);
    put_text_at(s, 6, LEGEND_COLUMN, "      Sterowanie: ");
    put_text_at(s, 8, LEGEND_COLUMN, "   WSAD ");
    set_colour(s, 12);
    put_byte(s, '/');
    set_colour(s, 15);
    put_text(s, " STRZALKI");
    draw_colour_line(s, '6');
    draw_colour_line(s, '1');
    draw_action_line(s);
    draw_colour_line(s, '2');
    draw_colour_line(s, '3');
    draw_colour_line(s, '4');
    set_colour(s, 12);
    put_text_at(s, 19, LEGEND_COLUMN, " [Q] - wroc do menu");
    draw_colour_line(s, '5');
}

} // namespace zk
