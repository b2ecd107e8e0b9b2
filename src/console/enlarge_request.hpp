#pragma once

// Console: the words shown while the window is smaller than the screen, and their fit to it.

#include "console/terminal.hpp"

#include <string>
#include <string_view>

namespace zk {

/// The words the console shows alone on the window's first row while the window is smaller
/// than the screen. The program supplies them; the console only fits them to the window.
struct EnlargeRequest {
    std::string_view request;     ///< the whole request, naming the size needed
    std::string_view size_label;  ///< introduces the window's present size after the request
    std::string_view needed_size; ///< the shortest form: the size needed alone
};

/// The longest form of `words` that fits in `room` cells: the request followed by
/// " (LABEL C x R)" for a window of size `now` (only when `now` is given), the request alone,
/// or else as much of the needed size as fits, so that the size needed stays readable.
std::string fit_enlarge_request(const EnlargeRequest& words, int room,
                                const TerminalSize* now = nullptr);

} // namespace zk
