// The checker's clue lines, coloured as the game's presenter colours each run's clue.

#include "checker/clue_text.hpp"

#include "board_screen/colour_looks.hpp"
#include "console/ansi_sequences.hpp"

#include <iomanip>

namespace zk {

namespace {

// The terminal code of the game's clue attribute for a run letter, as the game's presenter sends
// it in `colours`.
std::string clue_sgr(std::uint8_t letter, const ClueColours& colours) {
    const ColourLook* look = look_of_letter(letter);
    return attribute_sgr(static_cast<std::uint8_t>(look != nullptr && look->clue_attr >= 0
                                                       ? look->clue_attr
                                                       : DEFAULT_ATTR),
                         colours.mode, colours.palette);
}

void print_lines(const char* title, const std::array<RunList, MAX_BOARD>& lines, int count,
                 const std::optional<ClueColours>& colours, std::ostream& out) {
    out << "  " << title << ":\n";
    for (int i = 0; i < count; ++i)
        out << "    " << std::setw(2) << i + 1 << ": " << clue_list_text(lines[i], colours) << '\n';
}

} // namespace

std::string clue_list_text(const RunList& runs, const std::optional<ClueColours>& colours) {
    if (runs.count == 0) return "0";
    std::string text;
    for (const Run& run : runs) {
        if (!text.empty()) text += ' ';
        if (colours) text += clue_sgr(run.letter, *colours);
        text += std::to_string(run.length);
        text += static_cast<char>(run.letter);
        if (colours) text += SGR_RESET.view();
    }
    return text;
}

void print_clues(const Clues& clues, const std::optional<ClueColours>& colours, std::ostream& out) {
    print_lines("row clues, left to right", clues.rows, clues.height, colours, out);
    print_lines("column clues, top to bottom", clues.columns, clues.width, colours, out);
}

} // namespace zk
