#pragma once

// Program entry: the program's words the console shows for it, the enlarge request and the
// line for a terminal that cannot draw.

#include "console/enlarge_request.hpp"
#include "console/fixed_text.hpp"
#include "console/screen.hpp"

#include <string_view>

namespace zk {

/// The screen's size as the enlarge request names it, and the request the console shows while
/// the window is smaller than the screen.
inline constexpr FixedText SCREEN_SIZE_TEXT =
    decimal_text<SCREEN_COLUMNS>() + FixedText{" x "} + decimal_text<SCREEN_ROWS>();
inline constexpr FixedText ENLARGE_REQUEST_TEXT = FixedText{"Powieksz okno do "} + SCREEN_SIZE_TEXT;
inline constexpr EnlargeRequest ENLARGE_REQUEST{ENLARGE_REQUEST_TEXT.view(), "teraz",
                                                SCREEN_SIZE_TEXT.view()};

/// The one line printed, instead of the game, on a terminal that cannot position the cursor.
inline constexpr std::string_view DUMB_TERMINAL_MESSAGE =
    "zimvokrelt: ten terminal (TERM=dumb) nie umie ustawiac kursora ani kolorow, wiec nie "
    "pokaze gry";

/// The one line printed, before the game, when the colour-blind palette is chosen on a console
/// that shows only its own 16 colours, which the program cannot change.
inline constexpr std::string_view PALETTE_NOT_SHOWN_MESSAGE =
    "zimvokrelt: ten terminal pokazuje tylko 16 wlasnych kolorow, wiec paleta colour-blind "
    "nie zmieni kolorow gry";

} // namespace zk
