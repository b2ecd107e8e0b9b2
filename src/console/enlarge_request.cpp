// The console's enlarge request fitted to a window too narrow for all of it.

#include "console/enlarge_request.hpp"

namespace zk {

std::string fit_enlarge_request(const EnlargeRequest& words, int room, const TerminalSize* now) {
    const std::size_t cells = room < 0 ? 0 : static_cast<std::size_t>(room);
    std::string text(words.request);
    if (now != nullptr) {
        // Appended piece by piece: GCC 12 warns about the prepend of " " + std::to_string.
        text += " (";
        text += words.size_label;
        text += ' ';
        text += std::to_string(now->columns);
        text += " x ";
        text += std::to_string(now->rows);
        text += ')';
    }
    if (text.size() > cells) text = words.request;
    if (text.size() > cells) text = words.needed_size.substr(0, cells);
    return text;
}

} // namespace zk
