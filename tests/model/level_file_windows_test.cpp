// Tests of level files on Windows: the names Windows refuses, whole saves, regular files only.

#include "model/level_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

namespace zk {
namespace {

namespace fs = std::filesystem;

TEST(WindowsLevelNames, NamesWindowsCannotTakeAreRefusedWithAReason) {
    for (const char* name : {"e1", "moj_poziom", "a.b", "COM10", "console", "LPT10", "nul_x",
                             "CON_1", "x.y.z", "[e1]", "COMA", "LPT"}) {
        EXPECT_EQ(platform_name_fault(name), NameFault::none) << name;
        EXPECT_TRUE(is_safe_level_name(name)) << name;
    }
    const std::vector<std::pair<NameFault, std::vector<std::string>>> refused{
        {NameFault::reserved_character, {"a:b", "a*", "who?", "\"q\"", "<a", "b>", "a|b"}},
        {NameFault::trailing_dot_or_blank, {"x.", "x "}},
        {NameFault::control_character, {"ab\x01", "\x7f"}},
        {NameFault::device_name,
         {"CON", "con", "Prn", "aux.txt", "NUL.a.b", "com1", "COM9", "COM0", "lpt0", "lpt5",
          "LPT1.dat", "CON .x", "conin$", "CONOUT$"}}};
    for (const auto& [fault, names] : refused)
        for (const std::string& name : names) EXPECT_EQ(level_name_fault(name), fault) << name;
    EXPECT_EQ(level_path("e1"), "plansze\\e1.txt");
}

class WindowsLevelFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = fs::current_path();
        scratch_ = fs::temp_directory_path() /
                   ("zk-win-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                    "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(scratch_);
        fs::create_directories(scratch_);
        fs::current_path(scratch_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        std::error_code ignored;
        fs::remove_all(scratch_, ignored);
    }
    fs::path scratch_;
    fs::path previous_;
};

Grid two_by_two() {
    Grid canvas{};
    const char layout[] = "pp\nEE\nx";
    for (std::size_t i = 0; i + 1 < sizeof layout; ++i)
        canvas[i] = static_cast<std::uint8_t>(layout[i]);
    return canvas;
}

std::string file_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(WindowsLevelFiles, ASaveReplacesTheFileWholeWithCrLfAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(save_level(two_by_two(), level_path("lvl"), "nkot"));
    EXPECT_EQ(file_bytes("plansze/lvl.txt"), "pp\r\nEE\r\nnkot");
    ASSERT_TRUE(save_level(two_by_two(), level_path("lvl"), "npies")); // replaces it
    EXPECT_EQ(file_bytes("plansze/lvl.txt"), "pp\r\nEE\r\nnpies");
    EXPECT_EQ(std::distance(fs::directory_iterator("plansze"), fs::directory_iterator()), 1);

    PuzzleState p{};
    ASSERT_TRUE(load_level(p, find_level_file("lvl", {"plansze"})));
    EXPECT_STREQ(p.answer.data(), "pies");
    EXPECT_EQ(at(p.target, 1, 0), 'E');
}

TEST_F(WindowsLevelFiles, AFailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(save_level(two_by_two(), level_path("lvl"), "nkot"));
    // Another program holds the file open without sharing: the replace cannot happen.
    HANDLE held = CreateFileW(L"plansze\\lvl.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(save_level(two_by_two(), level_path("lvl"), "npies"));
    CloseHandle(held);
    EXPECT_EQ(file_bytes("plansze/lvl.txt"), "pp\r\nEE\r\nnkot");
    EXPECT_EQ(std::distance(fs::directory_iterator("plansze"), fs::directory_iterator()), 1);
}

TEST_F(WindowsLevelFiles, OnlyRegularDiskFilesAreOpened) {
    fs::create_directories("plansze/dir.txt");
    PuzzleState p{};
    EXPECT_FALSE(load_level(p, level_path("dir")));
    EXPECT_FALSE(load_level(p, "NUL"));
    EXPECT_FALSE(load_level(p, "plansze\\CON.txt")); // the console, had the name got through
    EXPECT_FALSE(load_level(p, level_path("missing")));
    EXPECT_EQ(find_level_file("missing", {}), "plansze\\missing.txt");
}

} // namespace
} // namespace zk
