#pragma once

// The shipped levels a benchmark reads: the level files of a folder, in name order.

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace zk::bench {

/// The regular `.txt` files in `dir`, sorted by path; none when the folder cannot be read.
inline std::vector<std::filesystem::path> level_files_in(const std::filesystem::path& dir) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error))
        if (entry.is_regular_file() && entry.path().extension() == ".txt")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace zk::bench
