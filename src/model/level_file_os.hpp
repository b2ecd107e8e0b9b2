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

/// How many temporary names a save tries beside the level before it gives up.
inline constexpr int TEMPORARY_NAME_ATTEMPTS = 100;

/// The name of a save's temporary file beside the level `path`: `path`, ".tmp", the id of the
/// saving process, "_" and the number of the attempt, so that two programs saving the same
/// level never pick the same name and a name left by a kill is passed over on the next try.
inline std::string temporary_save_name(const std::string& path, unsigned long process_id,
                                       int attempt) {
    return path + ".tmp" + std::to_string(process_id) + "_" + std::to_string(attempt);
}

/// The running program's folder, absolute, as the system reports it or else found from
/// `argv0` (resolved against the working directory or PATH); empty when unknown.
std::string program_folder(const char* argv0);

} // namespace zk
