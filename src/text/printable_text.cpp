// Text helpers: bytes escaped as printable ASCII text.

#include "text/printable_text.hpp"

#include "text/cp852.hpp"

namespace zk {

std::string printable_text(std::string_view bytes) {
    constexpr char HEX[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size());
    for (char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (is_printable_ascii(byte)) {
            text += ch;
        } else {
            text += "\\x";
            text += HEX[byte >> 4];
            text += HEX[byte & 15];
        }
    }
    return text;
}

} // namespace zk
