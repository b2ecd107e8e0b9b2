#pragma once

#include "console/enlarge_request.hpp"

#include <string_view>

namespace zk {

/// The request the console shows while the window is smaller than the screen.
inline constexpr EnlargeRequest ENLARGE_REQUEST{"Powieksz okno do 80 x 25", "teraz", "80 x 25"};

/// The one line printed, instead of the game, on a terminal that cannot position the cursor.
inline constexpr std::string_view DUMB_TERMINAL_MESSAGE =
    "zimvokrelt: ten terminal (TERM=dumb) nie umie ustawiac kursora ani kolorow, wiec nie "
    "pokaze gry";

} // namespace zk
