#pragma once

// What the model asks of the platform's file system: the platform folders implement it
// (posix/level_file.cpp and program_path.cpp, windows/level_file.cpp); level_file.cpp holds
// what is the same everywhere.

#include "model/puzzle.hpp"

#include <cstdio>
#include <string>
#include <string_view>

namespace zk {

/// What separates the level directory from the file name in level paths.
extern const char PATH_SEPARATOR;

/// True when `path` names an existing regular file (not a directory or a device).
bool is_regular_file(const std::string& path);

/// `path` opened for binary reading when it is a regular file, else nullptr. Never blocks on
/// a FIFO or device placed in the level directory.
std::FILE* open_level_for_reading(const std::string& path);

/// The running program's folder, absolute, as the system reports it or else found from
/// `argv0` (resolved against the working directory or PATH); empty when unknown.
std::string program_folder(const char* argv0);

} // namespace zk
