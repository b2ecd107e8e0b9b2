// Wildcards as the Windows checker expands them.

#include "checker/file_patterns.hpp"
#include "scratch_dir.hpp"

#include <fstream>

namespace zk::test {
namespace {

// Only long names that end in .txt match *.txt (not those whose 8.3 short name does), in
// the order that ignores case for Polish letters too.
TEST(WindowsFilePatterns, StarMatchesLongNamesInCaseBlindOrder) {
    ScratchDir dir;
    for (const wchar_t* name : {L"\u017Buk.txt", L"\u017Caba.txt", L"B2.txt", L"b.txt", L"b.txtold",
                                L"e1.txt~", L"a.TXT"})
        std::ofstream(dir.path() / name) << "pp\r\nnx";
    const std::string folder = dir.path().string() + "\\";
    const std::vector<std::string> expected{folder + "a.TXT", folder + "b.txt", folder + "B2.txt",
                                            folder + "\u017Caba.txt", folder + "\u017Buk.txt"};
    EXPECT_EQ(expand_file_patterns({folder + "*.txt"}), expected);
}

} // namespace
} // namespace zk::test
