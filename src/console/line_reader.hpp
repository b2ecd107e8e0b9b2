#pragma once

// Console: reading typed lines, words and numbers the way the menu and the prompts need.

#include "console/console.hpp"

#include <string>

namespace zk {

/// Reads one typed line from the keys into the pending line, echoing it into the screen from
/// the current position in attribute `echo_attr`. Backspace removes the last character, Enter ends
/// the line and moves the position to column 0 of the next row. Taken are printable ASCII, Tab
/// (echoed as one blank, so words split on it) and typed characters above ASCII (as their
/// code page 852 byte, echoed as its glyph), each one character, and no more characters than
/// fit between the echo column and the right edge. Ctrl-D on a line with nothing typed returns
/// false at once, with nothing echoed or taken; later on the line it is dropped.
[[nodiscard]] bool read_typed_line(Console& console, int echo_attr);

/// Reads one word the way scanf " %s" does: blanks, tabs and empty lines are skipped, the
/// word ends at the first white space, and the rest of the line stays pending. Each line read
/// echoes in `echo_attr` where the first began, so empty lines leave the screen still. Ctrl-D
/// on a line with nothing typed ends the input (throws InputEnded).
std::string read_word(Console& console, int echo_attr);

/// Reads a number the way scanf "%d" does and then drops exactly one more character.
/// Returns 0 when no number is there; the non-number stays pending but for that character.
/// Lines are read, echoed and ended as for read_word.
int read_number(Console& console, int echo_attr);

/// Forgets whatever is left of the typed line.
void discard_pending_line(Console& console);

} // namespace zk
