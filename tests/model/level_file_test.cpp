// Tests of level files: names, the search order, loading every line end and the format's
// limits.

#include "model/level_file.hpp"

#include "level_file_helpers.hpp"
#include "scratch_dir.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace zk {
namespace {

namespace fs = std::filesystem;
using test::answer_of;
using test::editor_layout;
using test::files_in;
using test::read_file;
using test::target_row;
using test::write_file;

using LevelFileTest = test::ScratchDirTest;

// `path` with the system's own directory separator, as the game builds its paths.
std::string native(const char* path) {
    return fs::path(path).make_preferred().string();
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
    EXPECT_EQ(level_path("e1"), native("plansze/e1.txt"));
    EXPECT_EQ(level_path("[e1]"), native("plansze/[e1].txt"));
}

TEST(LevelSearchTest, WorkingDirectoryThenBesideTheProgramThenInstalledRelativeThenAbsolute) {
    using Dirs = std::vector<std::string>;
    EXPECT_EQ(level_search_dirs({"games", "data", "/usr/lv"}),
              (Dirs{"plansze", native("games/plansze"), native("games/data"), "/usr/lv"}));
    // An unknown program folder, no installed levels, a folder named twice.
    EXPECT_EQ(level_search_dirs({"", "data", "/usr/lv"}), (Dirs{"plansze", "/usr/lv"}));
    EXPECT_EQ(level_search_dirs({"games", "", ""}), (Dirs{"plansze", native("games/plansze")}));
    EXPECT_EQ(level_search_dirs({"games", "plansze", native("games/plansze")}),
              (Dirs{"plansze", native("games/plansze")}));
}

TEST_F(LevelFileTest, FindsTheLevelInTheFirstFolderThatHoldsIt) {
    write_file("b/e9.txt", "pp\npp\nn");
    write_file("c/e9.txt", "pp\npp\nn");
    fs::create_directories("a/e8.txt"); // not a regular file
    const std::vector<std::string> dirs{"plansze", "a", "b", "c"};
    EXPECT_EQ(find_level_file("e9", dirs), native("b/e9.txt"));
    EXPECT_EQ(find_level_file("e8", dirs), native("plansze/e8.txt")); // none: the local path
    EXPECT_EQ(find_level_file("e9", {}), native("plansze/e9.txt"));

    write_file("plansze/e9.txt", "pp\npp\nn");
    EXPECT_EQ(find_level_file("e9", dirs), native("plansze/e9.txt"));
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
    file += 'n';
    file += std::string(31, 'a') + std::string(100, 'z');
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

TEST_F(LevelFileTest, LoadingReplacesWhatAnEarlierLevelLeft) {
    write_file("small.txt", "pp\npp\nnab");
    PuzzleState p;
    at(p.target, 5, 5) = 'R';
    p.answer = {'l', 'o', 'n', 'g', 'e', 'r'};
    ASSERT_TRUE(load_level(p, "small.txt"));
    EXPECT_EQ(at(p.target, 5, 5), 0);
    EXPECT_EQ(answer_of(p), "ab");
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

TEST_F(LevelFileTest, SaveThatCannotCreateItsFileFails) {
    write_file("plansze", "a file where the level directory should be");
    EXPECT_FALSE(save_level(editor_layout({"pp", "pp"}), level_path("lvl"), "nab"));
    EXPECT_EQ(read_file("plansze"), "a file where the level directory should be");

    fs::create_directories("other/taken.txt/inside");
    EXPECT_FALSE(save_level(editor_layout({"pp", "pp"}), "other/taken.txt", "nab"));
    EXPECT_TRUE(fs::is_directory("other/taken.txt/inside"));
    EXPECT_EQ(files_in("other"), std::vector<std::string>{"taken.txt"});
}

} // namespace
} // namespace zk
