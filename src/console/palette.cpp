#include "console/palette.hpp"

namespace zk {

std::optional<Palette> palette_named(std::string_view name) {
    if (name == "classic") return Palette::classic;
    if (name == "colour-blind") return Palette::colour_blind;
    return std::nullopt;
}

} // namespace zk
