#pragma once

// The ANSI sequences that more than one part of the program sends.

#include "console/fixed_text.hpp"
#include "console/screen.hpp"

namespace zk {

/// Select Graphic Rendition 0: the terminal's default colours and no other attributes.
inline constexpr FixedText SGR_RESET{"\x1b[0m"};

/// Shows the terminal's cursor again.
inline constexpr FixedText SHOW_CURSOR{"\x1b[?25h"};

/// Puts the cursor at the start of the last drawn row.
inline constexpr FixedText CURSOR_TO_LAST_ROW =
    FixedText{"\x1b["} + decimal_text<SCREEN_ROWS>() + FixedText{";1H"};

} // namespace zk
