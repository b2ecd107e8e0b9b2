#pragma once

// Text helpers: any bytes shown as text no terminal can take for a command.

#include <string>
#include <string_view>

namespace zk {

/// `bytes` safe to print on a terminal: printable ASCII as it is, every other byte as \xNN
/// (two upper-case hex digits), so that no byte from a file or a file name can act as a
/// terminal command.
std::string printable_text(std::string_view bytes);

} // namespace zk
