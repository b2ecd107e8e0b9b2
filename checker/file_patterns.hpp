#pragma once

// File arguments with wildcards: the checker's interface, implemented by each platform folder
// (src/posix/file_patterns.cpp, src/windows/file_patterns.cpp).

#include <string>
#include <vector>

namespace zk {

/// The file arguments with their wildcards expanded where the system leaves that to the
/// program. On Windows each argument holding * or ? becomes the names it matches in its
/// folder (the folder part kept as written, the names in order ignoring case), or stays as it
/// is when it matches none. On POSIX the shell has expanded them, and they are returned as
/// they are.
std::vector<std::string> expand_file_patterns(std::vector<std::string> files);

} // namespace zk
