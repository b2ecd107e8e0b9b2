// The SGR codes of the console's colours in each colour mode, and the mode a terminal's
// environment calls for.

#include "console/colour_sgr.hpp"

#include <cstring>
#include <string_view>

namespace zk {

namespace {

// Windows orders the colour bits blue, green, red; terminals red, green, blue.
int terminal_colour(int windows_colour) {
    return ((windows_colour & 1) << 2) | (windows_colour & 2) | ((windows_colour & 4) >> 2);
}

void append_number(std::string& out, int n) {
    out += std::to_string(n);
}

void append_rgb(std::string& out, std::uint32_t rgb) {
    append_number(out, static_cast<int>(rgb >> 16));
    out.push_back(';');
    append_number(out, static_cast<int>((rgb >> 8) & 0xFF));
    out.push_back(';');
    append_number(out, static_cast<int>(rgb & 0xFF));
}

// The parameters of one half of a colour: `extended` is 38 for the foreground and 48 for the
// background, `basic` the first of its eight 16-colour codes (30 or 40). The palette applies
// only where the terminal takes chosen colours (256 colours and 24 bits).
void append_half(std::string& out, int colour, ColourMode colours, Palette palette, int extended,
                 int basic) {
    switch (colours) {
    case ColourMode::rgb24:
        append_number(out, extended);
        out += ";2;";
        append_rgb(out, palette_rgb(palette, colour));
        break;
    case ColourMode::indexed256:
        append_number(out, extended);
        out += ";5;";
        append_number(out, palette_index_256(palette, colour));
        break;
    case ColourMode::basic16:
        append_number(out, (colour & 8 ? basic + 60 : basic) + terminal_colour(colour));
        break;
    }
}

} // namespace

ColourMode colour_mode(const char* colorterm, const char* term) {
    constexpr std::string_view SUFFIX_256 = "-256color";
    const std::string_view term_name = term != nullptr ? term : "";
    if (colorterm != nullptr &&
        (std::strcmp(colorterm, "truecolor") == 0 || std::strcmp(colorterm, "24bit") == 0))
        return ColourMode::rgb24;
    if (term_name.size() > SUFFIX_256.size() && term_name.ends_with(SUFFIX_256))
        return ColourMode::indexed256;
    return ColourMode::basic16;
}

void append_foreground_sgr(std::string& out, int colour, ColourMode colours, Palette palette) {
    append_half(out, colour, colours, palette, 38, 30);
}

void append_background_sgr(std::string& out, int colour, ColourMode colours, Palette palette) {
    append_half(out, colour, colours, palette, 48, 40);
}

std::string attribute_sgr(std::uint8_t attr, ColourMode colours, Palette palette) {
    std::string out = "\x1b[";
    append_foreground_sgr(out, foreground_of(attr), colours, palette);
    out.push_back(';');
    append_background_sgr(out, background_of(attr), colours, palette);
    out.push_back('m');
    return out;
}

} // namespace zk
