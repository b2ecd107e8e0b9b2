// The model's level format: its colour letters as one list, for the checker's messages.

#include "model/level_format.hpp"

namespace zk {

std::string cell_letter_list() {
    std::string list;
    for (const Colour& colour : COLOUR_TABLE) {
        if (!list.empty()) list += ' ';
        list += static_cast<char>(colour.letter);
    }
    return list;
}

} // namespace zk
