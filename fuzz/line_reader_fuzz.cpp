// Fuzz target: any key codes as typed input, read by turns as words, numbers and whole typed
// lines at the prompt positions of the program's screens (and at the screen's edges), with
// the rest of the line dropped now and then, until the input ends.
//
// Checked besides memory safety and undefined behaviour: words are non-empty, hold no white
// space and fit one screen row; the pending line holds only printable text, tabs and line ends;
// the output position stays on the screen; and a typed line stands on the screen where it
// was typed, as it was taken.

#include "fuzz_check.hpp"

#include "console/console.hpp"
#include "console/keys.hpp"
#include "console/line_reader.hpp"
#include "scripted_keys.hpp"

#include <algorithm>
#include <array>
#include <string>

namespace zk::fuzz {
namespace {

struct Position {
    int x;
    int y;
};

// The menu's, the editor's and the save dialog's prompts, then the screen's corners.
constexpr std::array<Position, 8> PROMPTS{{
    {63, 22},
    {17, 15},
    {18, 16},
    {25, 20},
    {25, 22},
    {79, 24},
    {0, 24},
    {78, 0},
}};

bool is_blank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

void check_pending(const Console& console) {
    for (char ch : console.pending_line)
        FUZZ_CHECK(ch == '\n' || ch == '\t' || (ch >= 32 && ch < 127));
}

void check_position(const Screen& s) {
    FUZZ_CHECK(s.y >= 0 && s.y < SCREEN_ROWS);
    FUZZ_CHECK(s.x >= 0 && s.x <= SCREEN_COLUMNS);
}

void check_word(const std::string& word) {
    FUZZ_CHECK(!word.empty() && word.size() <= SCREEN_COLUMNS);
    for (char ch : word) FUZZ_CHECK(!is_blank(ch));
}

// The echo's attribute; the checks look at glyphs only.
constexpr int ECHO_ATTR = 10;

// Reads one typed line at `at` and checks that the screen shows it from there.
void read_and_compare_line(Console& console, Position at) {
    const std::size_t before = console.pending_line.size();
    if (!read_typed_line(console, ECHO_ATTR)) throw InputEnded{}; // Ctrl-D on an empty line
    const std::string line =
        console.pending_line.substr(before, console.pending_line.size() - before - 1);
    FUZZ_CHECK(console.pending_line.back() == '\n');
    FUZZ_CHECK(static_cast<int>(line.size()) <= SCREEN_COLUMNS - at.x);
    // The line end moves one row down, two when the line filled the row to its last column
    // (the wrap is still pending then); rows moved below the bottom scrolled the screen up.
    const int rows_down = at.x + static_cast<int>(line.size()) == SCREEN_COLUMNS ? 2 : 1;
    const int row = std::min(at.y, SCREEN_ROWS - 1 - rows_down);
    for (std::size_t i = 0; i < line.size(); ++i)
        FUZZ_CHECK(console.screen.cell(row, at.x + static_cast<int>(i)).glyph ==
                   (line[i] == '\t' ? ' ' : static_cast<std::uint8_t>(line[i]))); // Tab: a blank
}

} // namespace
} // namespace zk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zk;
    using namespace zk::fuzz;

    ScriptedKeys keys(std::string(reinterpret_cast<const char*>(data), size));
    Screen screen;
    Console console(screen, keys);
    try {
        for (std::size_t turn = 0;; ++turn) {
            const Position at = PROMPTS[turn % PROMPTS.size()];
            move_output_to(console.screen, at.y, at.x);
            switch (turn % 5) {
            case 0:
            case 3:
                check_word(read_word(console, ECHO_ATTR));
                break;
            case 1:
                read_number(console, ECHO_ATTR);
                break;
            case 2:
                discard_pending_line(console);
                read_and_compare_line(console, at);
                break;
            case 4:
                read_number(console, ECHO_ATTR);
                discard_pending_line(console);
                break;
            }
            check_pending(console);
            check_position(console.screen);
        }
    } catch (const InputEnded&) {
        check_pending(console);
        check_position(console.screen);
    }
    return 0;
}
