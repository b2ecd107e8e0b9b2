// The console's typed lines: read from the keys with their echo on screen, and the words and
// numbers taken from them.

#include "console/line_reader.hpp"

#include <algorithm>
#include <climits>

namespace zk {

namespace {

bool is_space(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}
bool is_digit(char ch) {
    return ch >= '0' && ch <= '9';
}

// Reads a typed line for a word or number read, echoed in `echo_attr`, where Ctrl-D on an
// empty line ends the input.
void read_line_or_end(Console& console, int echo_attr) {
    if (!read_typed_line(console, echo_attr)) throw InputEnded{};
}

// Drops white space from the front of the pending line, reading new lines (echoed in
// `echo_attr`) until a non-blank character is pending. Every line read here echoes from where
// the first began: a line with nothing but white space leaves the screen as it was, so
// pressing Enter never moves the prompt's row down nor scrolls the screen.
void skip_white_space(Console& console, int echo_attr) {
    const int echo_x = console.screen.x;
    const int echo_y = console.screen.y;
    for (;;) {
        auto first =
            std::find_if_not(console.pending_line.begin(), console.pending_line.end(), is_space);
        console.pending_line.erase(console.pending_line.begin(), first);
        if (!console.pending_line.empty()) return;
        move_output_to(console.screen, echo_y, echo_x);
        read_line_or_end(console, echo_attr);
    }
}

} // namespace

bool read_typed_line(Console& console, int echo_attr) {
    Screen& s = console.screen;
    const int room = std::max(0, SCREEN_COLUMNS - s.x);
    std::string line;
    for (;;) {
        const int code = get_key(console);
        if (code == '\r' || code == '\n') break;
        int typed = -1; // the byte the code puts into the line, if any
        if ((code >= 32 && code < KEY_DELETE) || code == '\t')
            typed = code;
        else if (code >= TYPED_CHAR_BASE + 128 && code < TYPED_CHAR_BASE + 256)
            typed = code - TYPED_CHAR_BASE;
        if (typed >= 0) {
            if (static_cast<int>(line.size()) < room) {
                line.push_back(static_cast<char>(typed));
                put_byte(s, echo_attr,
                         typed == '\t' ? std::uint8_t{' '} : static_cast<std::uint8_t>(typed));
            }
        } else if (code == KEY_END_OF_TEXT) {
            if (line.empty()) return false; // as a shell: Ctrl-D on an empty line
        } else if (code == KEY_PREFIX || code == 0) {
            get_key(console); // the second code of an extended key is not typed text
        } else if (code == KEY_BACKSPACE || code == KEY_DELETE) {
            if (!line.empty()) {
                line.pop_back();
                --s.x;
                put_byte(s, echo_attr, ' ');
                --s.x;
            }
        }
    }
    put_byte(s, echo_attr, '\n');
    console.pending_line += line;
    console.pending_line += '\n';
    return true;
}

std::string read_word(Console& console, int echo_attr) {
    skip_white_space(console, echo_attr);
    auto end = std::find_if(console.pending_line.begin(), console.pending_line.end(), is_space);
    std::string word(console.pending_line.begin(), end);
    console.pending_line.erase(console.pending_line.begin(), end);
    return word;
}

int read_number(Console& console, int echo_attr) {
    skip_white_space(console, echo_attr);
    std::string& pending = console.pending_line;
    std::size_t i = 0;
    bool negative = false;
    if (pending[i] == '+' || pending[i] == '-') negative = pending[i++] == '-';
    long long value = 0;
    bool any_digit = false;
    while (i < pending.size() && is_digit(pending[i])) {
        value = std::min<long long>(value * 10 + (pending[i++] - '0'), INT_MAX + 1LL);
        any_digit = true;
    }
    pending.erase(0, i);
    if (pending.empty()) read_line_or_end(console, echo_attr);
    pending.erase(0, 1); // the one character after the number, normally the line end
    if (!any_digit) return 0;
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void discard_pending_line(Console& console) {
    console.pending_line.clear();
}

} // namespace zk
