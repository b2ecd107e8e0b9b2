#pragma once

// Test support: private scratch folders removed after each test.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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

/// A fresh private directory below the system's temporary directory, removed with everything
/// in it when the object goes. The one scratch directory helper of every test program.
class ScratchDir {
  public:
    explicit ScratchDir(std::string_view prefix = "zk-test") {
        path_ = make_scratch_dir(std::string(prefix) + "-");
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    /// Every regular file below the directory, as sorted paths relative to it.
    std::vector<std::string> files() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_))
            if (entry.is_regular_file())
                found.push_back(std::filesystem::relative(entry.path(), path_).generic_string());
        std::sort(found.begin(), found.end());
        return found;
    }

  private:
    std::filesystem::path path_;
};

/// A scratch directory whose subdirectory `work` (or the directory itself, for an empty name)
/// is the working directory for the life of the object; the one before is restored after.
/// With a subdirectory, a file written one level up still lands in the scratch directory.
class ScratchWorkingDir : public ScratchDir {
  public:
    explicit ScratchWorkingDir(std::string_view work = "work")
        : previous_(std::filesystem::current_path()) {
        std::filesystem::create_directories(path() / work);
        std::filesystem::current_path(path() / work);
    }
    ~ScratchWorkingDir() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }

  private:
    std::filesystem::path previous_;
};

/// Fixture that runs each test in a fresh scratch working directory and removes it after.
class ScratchDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_.emplace("");
        scratch_ = dir_->path();
    }
    void TearDown() override { dir_.reset(); }

    std::filesystem::path scratch_;

  private:
    std::optional<ScratchWorkingDir> dir_;
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
