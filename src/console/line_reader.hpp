#pragma once

#include "console/console.hpp"

#include <string>

namespace zk {

/// Reads one typed line from the keys into the pending line, echoing it into the screen at
/// the current position and attribute. Backspace removes the last character, Enter ends the
/// line and moves the position to column 0 of the next row. Only printable ASCII is taken,
/// and no more characters than fit between the echo column and the right edge.
void read_typed_line(Console& c);

/// Reads one word the way scanf " %s" does: blanks, tabs and empty lines are skipped, the
/// word ends at the first white space, and the rest of the line stays pending.
std::string read_word(Console& c);

/// Reads a number the way scanf "%d" does and then drops exactly one more character.
/// Returns 0 when no number is there; the non-number stays pending but for that character.
int read_number(Console& c);

/// Forgets whatever is left of the typed line.
void discard_pending_line(Console& c);

} // namespace zk
