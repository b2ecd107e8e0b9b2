#pragma once

#include <ostream>
#include <span>
#include <string>

namespace zk {

/// Exit statuses of zimvokrelt-check.
constexpr int CHECK_ALL_GOOD = 0;
constexpr int CHECK_SOME_BAD = 1;
constexpr int CHECK_USAGE_ERROR = 2;

/// Runs zimvokrelt-check with the arguments after the program name: `--help`, or
/// [--clues] [--strict] [--] FILE... (wildcards in FILE expanded where the system leaves that
/// to the program). Reports go to `out`, usage errors to `err`; clues are coloured when
/// `out_is_terminal`. Returns the exit status.
int run_check_command(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                      bool out_is_terminal);

} // namespace zk
