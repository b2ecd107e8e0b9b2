// The checker's wildcards on POSIX systems: the shell has expanded them already, so the names
// pass through as given.

#include "checker/file_patterns.hpp"

namespace zk {

std::vector<std::string> expand_file_patterns(std::vector<std::string> files) {
    return files;
}

} // namespace zk
