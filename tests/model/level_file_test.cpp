#include "model/level_file.hpp"

#include "console/terminal.hpp"
#include "scratch_dir.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace zk {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::write_file;

using LevelFileTest = test::ScratchDirTest;

// The first `width` target bytes of row r, as text.
std::string target_row(const PuzzleState& p, int r, int width = GRID_STRIDE) {
    std::string row;
    for (int c = 0; c < width; ++c) row.push_back(static_cast<char>(at(p.target, r, c)));
    return row;
}

std::string answer_of(const PuzzleState& p) {
    return std::string(p.answer.data());
}

// The editor's layout of a board: each row's letters and a newline byte, then 'x'.
Grid editor_layout(std::initializer_list<std::string_view> rows) {
    Grid canvas{};
    int r = 0;
    for (std::string_view row : rows) {
        int c = 0;
        for (char ch : row) at(canvas, r, c++) = static_cast<std::uint8_t>(ch);
        at(canvas, r++, c) = '\n';
    }
    at(canvas, r, 0) = 'x';
    return canvas;
}

// Names of the files in `dir`, sorted.
std::vector<std::string> files_in(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(LevelNameTest, AcceptsPlainNamesUpToFifteenCharacters) {
    EXPECT_TRUE(is_safe_level_name("e1"));
    EXPECT_TRUE(is_safe_level_name("abcdefghijklmno"));
    EXPECT_TRUE(is_safe_level_name("EXIT"));
    EXPECT_TRUE(is_safe_level_name("[e1]"));
    EXPECT_TRUE(is_safe_level_name("a.b"));
    EXPECT_TRUE(is_safe_level_name("x"));
}

TEST(LevelNameTest, RefusesNamesThatCouldLeaveTheLevelDirectory) {
    EXPECT_FALSE(is_safe_level_name(""));
    EXPECT_FALSE(is_safe_level_name("abcdefghijklmnop"));
    EXPECT_FALSE(is_safe_level_name("../x"));
    EXPECT_FALSE(is_safe_level_name("a/b"));
    EXPECT_FALSE(is_safe_level_name("a\\b"));
    EXPECT_FALSE(is_safe_level_name(".hidden"));
    EXPECT_FALSE(is_safe_level_name(".."));
    EXPECT_FALSE(is_safe_level_name(std::string_view("e1\0x", 4)));
}

TEST(LevelNameTest, TheFirstRuleBrokenIsTheReasonGiven) {
    EXPECT_EQ(level_name_fault(""), NameFault::empty);
    EXPECT_EQ(level_name_fault("../abcdefghijklmnop"), NameFault::too_long);
    EXPECT_EQ(level_name_fault("../x"), NameFault::separator);
    EXPECT_EQ(level_name_fault(".x\\y"), NameFault::separator);
    EXPECT_EQ(level_name_fault(std::string_view(".a\0", 3)), NameFault::leading_dot);
    EXPECT_EQ(level_name_fault(std::string_view("e1\0x", 4)), NameFault::zero_byte);
    EXPECT_EQ(level_name_fault("a.b"), NameFault::none);
}

TEST(LevelNameTest, PathLiesInTheLevelDirectory) {
    EXPECT_EQ(level_path("e1"), "plansze/e1.txt");
    EXPECT_EQ(level_path("[e1]"), "plansze/[e1].txt");
}

TEST_F(LevelFileTest, FindsTheWorkingDirectoryFileFirstThenTheInstalledOne) {
    write_file("inst/e9.txt", "pp\npp\nn");
    EXPECT_EQ(find_level_file("e9", "inst"), "inst/e9.txt");
    EXPECT_EQ(find_level_file("e8", "inst"), "plansze/e8.txt");
    EXPECT_EQ(find_level_file("e9", ""), "plansze/e9.txt");

    write_file("plansze/e9.txt", "pp\npp\nn");
    EXPECT_EQ(find_level_file("e9", "inst"), "plansze/e9.txt");
    EXPECT_EQ(find_level_file("e9"), "plansze/e9.txt");
}

TEST_F(LevelFileTest, LfAndCrLfFilesLoadTheSameLevel) {
    write_file("lf.txt", "EEp\npRR\nnkot");
    write_file("crlf.txt", "EEp\r\npRR\r\nnkot");
    PuzzleState lf, crlf;
    ASSERT_TRUE(load_level(lf, "lf.txt"));
    ASSERT_TRUE(load_level(crlf, "crlf.txt"));

    EXPECT_EQ(target_row(lf, 0, 4), std::string("EEp\0", 4));
    EXPECT_EQ(target_row(lf, 1, 4), std::string("pRR\0", 4));
    EXPECT_EQ(target_row(lf, 2), std::string(GRID_STRIDE, '\0'));
    EXPECT_EQ(answer_of(lf), "kot");
    EXPECT_EQ(lf.target, crlf.target);
    EXPECT_EQ(lf.answer, crlf.answer);
}

TEST_F(LevelFileTest, ALoneCrIsACellByteAndNoLineEnd) {
    write_file("cr.txt", "EE\rBB\npp\r\nnab\rc");
    PuzzleState p;
    ASSERT_TRUE(load_level(p, "cr.txt"));
    EXPECT_EQ(target_row(p, 0, 6), std::string("EE\rBB\0", 6));
    EXPECT_EQ(target_row(p, 1, 3), std::string("pp\0", 3));
    EXPECT_EQ(answer_of(p), "ab\rc");
}

TEST_F(LevelFileTest, AnswerIsEmptyWithoutNLineOrAfterABareN) {
    write_file("no_n.txt", "EE\r\nBB\r\n");
    write_file("bare_n.txt", "EE\r\nBB\r\nn");
    for (const char* path : {"no_n.txt", "bare_n.txt"}) {
        PuzzleState p;
        ASSERT_TRUE(load_level(p, path)) << path;
        EXPECT_EQ(target_row(p, 0, 3), std::string("EE\0", 3)) << path;
        EXPECT_EQ(target_row(p, 1, 3), std::string("BB\0", 3)) << path;
        EXPECT_EQ(p.answer, PuzzleState{}.answer) << path;
    }
}

TEST_F(LevelFileTest, ALineEndClosingTheFileIsNotPartOfTheAnswer) {
    write_file("lf_end.txt", "pp\npp\nnab\n");
    write_file("crlf_end.txt", "pp\r\npp\r\nnab\r\n");
    write_file("inside.txt", "pp\npp\nna\r\nb");
    PuzzleState lf_end, crlf_end, inside;
    ASSERT_TRUE(load_level(lf_end, "lf_end.txt"));
    ASSERT_TRUE(load_level(crlf_end, "crlf_end.txt"));
    ASSERT_TRUE(load_level(inside, "inside.txt"));
    EXPECT_EQ(answer_of(lf_end), "ab");
    EXPECT_EQ(answer_of(crlf_end), "ab");
    EXPECT_EQ(answer_of(inside), "a\nb");
}

TEST_F(LevelFileTest, ExcessBeyondTheFormatsLimitsIsNotStored) {
    std::string file;
    for (int r = 0; r < 40; ++r) file += std::string(200, 'R') + "\r\n";
    file += "n" + std::string(31, 'a') + std::string(100, 'z');
    write_file("big.txt", file);

    PuzzleState p;
    ASSERT_TRUE(load_level(p, "big.txt"));
    for (int r = 0; r < GRID_STRIDE; ++r) {
        for (int c = 0; c < GRID_STRIDE; ++c) {
            const bool inside = r < MAX_BOARD && c < MAX_BOARD;
            EXPECT_EQ(at(p.target, r, c), inside ? 'R' : 0) << r << "," << c;
        }
    }
    EXPECT_EQ(std::string(p.answer.data(), p.answer.size()), std::string(31, 'a') + '\0');
    // Nothing around the two loaded fields changed.
    EXPECT_EQ(p.canvas, Grid{});
    EXPECT_EQ(p.cursor_row, 0);
    EXPECT_EQ(p.cursor_col, 0);
    EXPECT_EQ(p.check_count, 0);
}

// A file of `size` bytes, sparse where nothing is written, with `head` at its start and
// `tail` at its end.
void write_sparse_file(const char* path, off_t size, std::string_view head, std::string_view tail) {
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, size), 0);
    ASSERT_EQ(pwrite(fd, head.data(), head.size(), 0), static_cast<ssize_t>(head.size()));
    const off_t at_end = size - static_cast<off_t>(tail.size());
    ASSERT_EQ(pwrite(fd, tail.data(), tail.size(), at_end), static_cast<ssize_t>(tail.size()));
    close(fd);
}

TEST_F(LevelFileTest, OnlyTheFirstBytesUpToTheReadBoundAreRead) {
    const auto bound = static_cast<off_t>(MAX_LEVEL_READ_BYTES);
    // The n line's last byte is the last byte read, or the first one not read.
    write_sparse_file("inside.txt", bound, "EE\r\nBB\r\n", "\nnab");
    write_sparse_file("beyond.txt", bound + 1, "EE\r\nBB\r\n", "\nnab");
    // Far beyond the bound, and loaded as quickly as a small file: reading it to its end
    // would take minutes.
    write_sparse_file("huge.txt", off_t{1} << 36, "EE\r\nBB\r\n", "\nnfar");

    PuzzleState p;
    ASSERT_TRUE(load_level(p, "inside.txt"));
    EXPECT_EQ(answer_of(p), "ab");
    ASSERT_TRUE(load_level(p, "beyond.txt"));
    EXPECT_EQ(answer_of(p), "a");
    ASSERT_TRUE(load_level(p, "huge.txt"));
    EXPECT_EQ(answer_of(p), "");
    EXPECT_EQ(target_row(p, 0, 3), std::string("EE\0", 3));
    EXPECT_EQ(target_row(p, 1, 3), std::string("BB\0", 3));
}

TEST_F(LevelFileTest, LoadingReplacesWhatAnEarlierLevelLeft) {
    write_file("small.txt", "pp\npp\nnab");
    PuzzleState p;
    at(p.target, 5, 5) = 'R';
    p.answer = {'l', 'o', 'n', 'g', 'e', 'r'};
    ASSERT_TRUE(load_level(p, "small.txt"));
    EXPECT_EQ(at(p.target, 5, 5), 0);
    EXPECT_EQ(answer_of(p), "ab");
}

TEST_F(LevelFileTest, WhatCannotBeOpenedAsAFileReadsNothing) {
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

TEST_F(LevelFileTest, WritesTheEditorsLayoutWithCrLfLineEnds) {
    ASSERT_TRUE(save_level(editor_layout({"pp", "pp"}), "plansze/two.txt", "nab"));
    EXPECT_EQ(read_file("plansze/two.txt"), "pp\r\npp\r\nnab");

    ASSERT_TRUE(save_level(editor_layout({"EEp", "pRR"}), "plansze/three.txt", "nkot"));
    EXPECT_EQ(read_file("plansze/three.txt"), "EEp\r\npRR\r\nnkot");
}

TEST_F(LevelFileTest, SavedLevelLoadsBackAsDrawn) {
    const Grid canvas = editor_layout({"EYBRGp", "pGRBYE", "EEEEEE"});
    ASSERT_TRUE(save_level(canvas, level_path("round"), std::string_view("nslowo\0junk", 11)));
    EXPECT_EQ(read_file("plansze/round.txt"), "EYBRGp\r\npGRBYE\r\nEEEEEE\r\nnslowo");

    PuzzleState p;
    ASSERT_TRUE(load_level(p, level_path("round")));
    EXPECT_EQ(target_row(p, 0, 7), std::string("EYBRGp\0", 7));
    EXPECT_EQ(target_row(p, 2, 7), std::string("EEEEEE\0", 7));
    EXPECT_EQ(target_row(p, 3), std::string(GRID_STRIDE, '\0'));
    EXPECT_EQ(answer_of(p), "slowo");
}

TEST_F(LevelFileTest, SaveCreatesTheLevelDirectoryAndReplacesAnOldFile) {
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

// The mode bits and group of the file at `path`.
std::pair<mode_t, gid_t> protection_of(const char* path) {
    struct stat info {};
    EXPECT_EQ(stat(path, &info), 0) << path;
    return {info.st_mode & 07777, info.st_gid};
}

TEST_F(LevelFileTest, ReplacedFileKeepsItsPermissionsAndGroup) {
    // A group other than the one new files get, where the user may choose one.
    gid_t other = getegid() + 4321;
    if (geteuid() != 0) {
        std::vector<gid_t> groups(static_cast<std::size_t>(getgroups(0, nullptr)));
        getgroups(static_cast<int>(groups.size()), groups.data());
        other = groups.empty() ? getegid() : groups.back();
    }
    const mode_t old_mask = umask(022);
    for (auto [path, mode, group] : {std::tuple{"plansze/private.txt", 0600, getegid()},
                                     std::tuple{"plansze/shared.txt", 0664, other}}) {
        write_file(path, "EE\r\nEE\r\nnold");
        ASSERT_EQ(chmod(path, static_cast<mode_t>(mode)), 0);
        ASSERT_EQ(chown(path, static_cast<uid_t>(-1), group), 0);
        EXPECT_TRUE(save_level(editor_layout({"pp", "pp"}), path, "nab")) << path;
        EXPECT_EQ(read_file(path), "pp\r\npp\r\nnab");
        EXPECT_EQ(protection_of(path), std::pair(static_cast<mode_t>(mode), group));
    }
    umask(old_mask);
}

TEST_F(LevelFileTest, ReadOnlyFileIsNotReplaced) {
    write_file("plansze/lvl.txt", "EE\r\nEE\r\nnold");
    ASSERT_EQ(chmod("plansze/lvl.txt", 0444), 0);
    // Saved by a user who may not write the file: root may write any, so it gives up its
    // privileges in a child, handing the directory to nobody.
    const pid_t child = fork();
    if (child == 0) {
        constexpr uid_t NOBODY = 65534;
        if (geteuid() == 0) {
            for (const char* path : {".", "plansze", "plansze/lvl.txt"})
                if (chown(path, NOBODY, NOBODY) != 0) _exit(90);
            if (setgroups(0, nullptr) != 0 || setgid(NOBODY) != 0 || setuid(NOBODY) != 0) _exit(91);
        }
        _exit(save_level(editor_layout({"pp", "pp"}), level_path("lvl"), "nab") ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save did not fail";
    EXPECT_EQ(read_file("plansze/lvl.txt"), "EE\r\nEE\r\nnold");
    EXPECT_EQ(protection_of("plansze/lvl.txt").first, mode_t{0444});
    EXPECT_EQ(files_in("plansze"), std::vector<std::string>{"lvl.txt"});
}

TEST_F(LevelFileTest, SaveThatCannotCreateItsFileFails) {
    write_file("plansze", "a file where the level directory should be");
    EXPECT_FALSE(save_level(editor_layout({"pp", "pp"}), level_path("lvl"), "nab"));
    EXPECT_EQ(read_file("plansze"), "a file where the level directory should be");

    fs::create_directories("other/taken.txt/inside");
    EXPECT_FALSE(save_level(editor_layout({"pp", "pp"}), "other/taken.txt", "nab"));
    EXPECT_TRUE(fs::is_directory("other/taken.txt/inside"));
    EXPECT_EQ(files_in("other"), std::vector<std::string>{"taken.txt"});
}

// A file size limit makes the writes fail part way, as a full disk would.
TEST_F(LevelFileTest, SaveThatFailsWhileWritingKeepsTheOldFile) {
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

// Ends the process by SIGTERM at the moment a write passes the file size limit: a signal
// that arrives while a save is writing its temporary file.
void terminate_now(int) {
    std::raise(SIGTERM);
}

TEST_F(LevelFileTest, ASignalDuringASaveRemovesItsTemporaryFile) {
    write_file("plansze/lvl.txt", "EE\r\nEE\r\nnold");
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_RDWR);
        Terminal terminal(null, null);
        std::signal(SIGXFSZ, terminate_now);
        rlimit tiny{};
        getrlimit(RLIMIT_FSIZE, &tiny);
        tiny.rlim_cur = 4;
        setrlimit(RLIMIT_FSIZE, &tiny);
        save_level(editor_layout({"pp", "pp"}), level_path("lvl"), "nab");
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(read_file("plansze/lvl.txt"), "EE\r\nEE\r\nnold");
    EXPECT_EQ(files_in("plansze"), std::vector<std::string>{"lvl.txt"});
}

} // namespace
} // namespace zk
