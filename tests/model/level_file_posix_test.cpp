// Level file behaviour that rests on POSIX facilities: named pipes, the file mode creation
// mask and file size limits.

#include "model/level_file.hpp"

#include "level_file_helpers.hpp"
#include "scratch_dir.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace zk {
namespace {

namespace fs = std::filesystem;
using test::editor_layout;
using test::files_in;
using test::read_file;
using test::write_file;

using LevelFilePosixTest = test::ScratchDirTest;

TEST_F(LevelFilePosixTest, WhatCannotBeOpenedAsAFileReadsNothing) {
    fs::create_directory("dir.txt");
    ASSERT_EQ(mkfifo("fifo.txt", 0600), 0);
    PuzzleState p;
    at(p.target, 0, 0) = 'G';
    p.answer = {'o', 'l', 'd'};
    const PuzzleState before = p;

    for (const char* path : {"missing.txt", "dir.txt", "fifo.txt", "plansze/none.txt"}) {
        EXPECT_FALSE(load_level(p, path)) << path;
        EXPECT_EQ(p.target, before.target) << path;
        EXPECT_EQ(p.answer, before.answer) << path;
    }
}

TEST_F(LevelFilePosixTest, SaveCreatesTheLevelDirectoryAndReplacesAnOldFile) {
    ASSERT_FALSE(fs::exists("plansze"));
    const mode_t old_mask = umask(022);
    ASSERT_TRUE(save_level(editor_layout({"pp", "pp"}), level_path("lvl"), "nab"));
    umask(old_mask);
    EXPECT_TRUE(fs::is_directory("plansze"));
    struct stat info {};
    ASSERT_EQ(stat("plansze/lvl.txt", &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);

    write_file("plansze/lvl.txt", "a much longer old level file that must vanish entirely");
    ASSERT_TRUE(save_level(editor_layout({"EE", "EE"}), level_path("lvl"), "nx"));
    EXPECT_EQ(read_file("plansze/lvl.txt"), "EE\r\nEE\r\nnx");
    EXPECT_EQ(files_in("plansze"), std::vector<std::string>{"lvl.txt"});
}

// A file size limit makes the writes fail part way, as a full disk would.
TEST_F(LevelFilePosixTest, SaveThatFailsWhileWritingKeepsTheOldFile) {
    write_file("plansze/lvl.txt", "EE\r\nEE\r\nnold");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previous_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 4;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);

    const bool saved_ok = save_level(editor_layout({"pp", "pp"}), level_path("lvl"), "nab");

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous_handler);
    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(read_file("plansze/lvl.txt"), "EE\r\nEE\r\nnold");
    EXPECT_EQ(files_in("plansze"), std::vector<std::string>{"lvl.txt"});
}

} // namespace
} // namespace zk
