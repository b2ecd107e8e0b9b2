#pragma once

#include "console/console.hpp"

#include <string>

namespace zk {

/// Reads one typed line from the keys into the pending line, echoing it into the screen from
/// the current position in attribute `echo_attr`. Backspace removes the last character, Enter ends
/// the line and moves the position to column 0 of the next row. Taken are printable ASCII, Tab
/// (echoed as one blank, so words split on it) and typed characters above ASCII (as their
/// code page 852 byte, echoed as its glyph), each one character, and no more characters than
/// fit between the echo column and the right edge. Ctrl-D on a line with nothing typed ends
/// the input (throws InputEnded); later on the line it is dropped.
void read_typed_line(Console& c, int echo_attr);

/// Reads one word the way scanf " %s" does: blanks, tabs and empty lines are skipped, the
/// word ends at the first white space, and the rest of the line stays pending. Lines typed
/// meanwhile echo in `echo_attr`.
std::string read_word(Console& c, int echo_attr);

/// Reads a number the way scanf "%d" does and then drops exactly one more character.
/// Returns 0 when no number is there; the non-number stays pending but for that character.
/// Lines typed meanwhile echo in `echo_attr`.
int read_number(Console& c, int echo_attr);

/// Forgets whatever is left of the typed line.
void discard_pending_line(Console& c);

} // namespace zk
