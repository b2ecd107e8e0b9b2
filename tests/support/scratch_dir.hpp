#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zk::test {

/// Creates a new, empty directory named `prefix` and a random suffix in the system's temporary
/// directory, readable by its owner only, and returns its path; throws when none can be made.
inline std::filesystem::path make_scratch_dir(const std::string& prefix) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto path =
            std::filesystem::temp_directory_path() / (prefix + std::to_string(random()));
        if (!std::filesystem::create_directory(path)) continue;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }
    throw std::runtime_error("no scratch directory could be made");
}

/// Fixture that runs each test in a fresh temporary working directory and removes it after.
class ScratchDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        scratch_ = make_scratch_dir("zk-test-");
        std::filesystem::current_path(scratch_);
    }

    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        if (!scratch_.empty()) std::filesystem::remove_all(scratch_, ignored);
    }

    std::filesystem::path scratch_;

  private:
    std::filesystem::path previous_;
};

/// Writes exactly `bytes` to `path`, creating its directories.
inline void write_file(const std::filesystem::path& path, std::string_view bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

/// All bytes of the file at `path` (empty when it cannot be read).
inline std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace zk::test
