#pragma once

#include <optional>
#include <string_view>

namespace zk {

/// The colours the 16 console colours are sent as in the 256-colour and 24-bit modes.
enum class Palette {
    classic,      ///< the classic console colours
    colour_blind, ///< colours that stay apart for players who cannot tell red from green
};

/// The palette called `name` ("classic" or "colour-blind"), or nothing for any other name.
std::optional<Palette> palette_named(std::string_view name);

} // namespace zk
