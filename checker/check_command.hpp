#pragma once

// Level checker: the command as a function of its arguments and streams, and its exit statuses.

#include "console/colour_sgr.hpp"

#include <optional>
#include <ostream>
#include <span>
#include <string>

namespace zk {

/// Exit statuses of zimvokrelt-check.
constexpr int CHECK_ALL_GOOD = 0;
constexpr int CHECK_SOME_BAD = 1;
constexpr int CHECK_USAGE_ERROR = 2;

/// Runs zimvokrelt-check with the arguments after the program name: `--help`, or
/// [--clues] [--strict] [--palette=NAME] [--] FILE... (wildcards in FILE expanded where the
/// system leaves that to the program). Reports go to `out`, usage errors to `err`. Clues are
/// coloured when `terminal`, the colour mode of the terminal `out` shows on, is given:
/// in that mode, with the palette of --palette, else of `palette_variable` (the value
/// of PALETTE_VARIABLE; nullptr or empty: unset), else the classic one, as the game colours
/// them. Returns the exit status.
int run_check_command(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                      std::optional<ColourMode> terminal, const char* palette_variable = nullptr);

} // namespace zk
