#include "checker/clue_text.hpp"

#include <iomanip>

namespace zk {

namespace {

// The terminal colour closest to the game's clue attribute of each run letter.
const char* ansi_colour(std::uint8_t letter) {
    switch (letter) {
    case 'E':
        return "\x1b[92m"; // light green
    case 'Y':
        return "\x1b[93m"; // yellow
    case 'B':
        return "\x1b[94m"; // light blue
    case 'R':
        return "\x1b[91m"; // light red
    default:
        return "\x1b[37m"; // grey
    }
}

constexpr const char* ANSI_RESET = "\x1b[0m";

void print_lines(const char* title, const std::array<RunList, MAX_BOARD>& lines, int count,
                 bool colour, std::ostream& out) {
    out << "  " << title << ":\n";
    for (int i = 0; i < count; ++i)
        out << "    " << std::setw(2) << i + 1 << ": " << clue_list_text(lines[i], colour) << '\n';
}

} // namespace

std::string clue_list_text(const RunList& runs, bool colour) {
    if (runs.count == 0) return "0";
    std::string text;
    for (const Run& run : runs) {
        if (!text.empty()) text += ' ';
        if (colour) text += ansi_colour(run.letter);
        text += std::to_string(run.length);
        text += static_cast<char>(run.letter);
        if (colour) text += ANSI_RESET;
    }
    return text;
}

void print_clues(const Clues& clues, bool colour, std::ostream& out) {
    print_lines("row clues, left to right", clues.rows, clues.height, colour, out);
    print_lines("column clues, top to bottom", clues.columns, clues.width, colour, out);
}

} // namespace zk
