#pragma once

// Where the running program's file is.

#include <string>

namespace zk {

/// The running program's file, absolute and free of symbolic links, as the system knows it:
/// /proc/self/exe on Linux, _NSGetExecutablePath on macOS, sysctl(KERN_PROC_PATHNAME) on
/// FreeBSD; where that fails or the system has none, program_file_from_argv0(argv0). Empty
/// when it cannot be found.
std::string program_file(const char* argv0);

/// The program's file found the way the shell found it from `argv0`: a name with a slash is a
/// path, any other name is looked up in PATH; then made absolute and free of symbolic links.
/// Empty when it cannot be found.
std::string program_file_from_argv0(const char* argv0);

} // namespace zk
