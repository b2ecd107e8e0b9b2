#pragma once

#include <string>

namespace zk {

/// One thing wrong with a level file, at a 1-based line (row) and byte column of that line.
struct FileProblem {
    int row = 1;
    int col = 1;
    std::string message;
};

} // namespace zk
