// The key legend the game and the editor share: controls, the colours in their attributes, the
// screen's own action line and the way back to the menu.

#include "board_screen/key_legend.hpp"

#include "board_screen/action_keys.hpp"
#include "board_screen/colour_looks.hpp"

#include <string>

namespace zk {

namespace {

constexpr ScreenText LEGEND_HEAD[] = {
    {6, LEGEND_COLUMN, ATTR_WHITE, "      Sterowanie: "},
    {8, LEGEND_COLUMN, ATTR_WHITE, "   WSAD "},
    {8, LEGEND_COLUMN + 8, ATTR_LIGHT_RED, "/"},
    {8, LEGEND_COLUMN + 9, ATTR_WHITE, " STRZALKI"},
};

constexpr FixedText BACK_TO_MENU_TEXT = key_text(" [#] - wroc do menu", Action::quit);
constexpr ScreenText BACK_TO_MENU{19, LEGEND_COLUMN, ATTR_LIGHT_RED, BACK_TO_MENU_TEXT.view()};

// "[K] - name" in the colour's legend attribute, on row 10 for key 1 down to row 15 for key 6.
void draw_colour_line(Screen& s, char key) {
    const Colour& colour = *colour_of_key(key);
    put_text_at(s, 10 + (key - '1'), LEGEND_COLUMN, look_of(colour).legend_attr,
                std::string("[") + key + "] - " + look_of(colour).legend_name);
}

} // namespace

void draw_key_legend(Screen& s, std::span<const ScreenText> action_line) {
    draw_texts(s, LEGEND_HEAD);
    draw_colour_line(s, '6');
    draw_colour_line(s, '1');
    draw_texts(s, action_line);
    draw_colour_line(s, '2');
    draw_colour_line(s, '3');
    draw_colour_line(s, '4');
    draw_texts(s, {&BACK_TO_MENU, 1});
    draw_colour_line(s, '5');
}

} // namespace zk
