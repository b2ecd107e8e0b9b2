// Tests of the zimvokrelt-check command: reports, statuses, escaping, the strict check, the
// coloured clues and the palette.

#include "checker/check_command.hpp"
#include "checker/clue_text.hpp"
#include "checker/level_report.hpp"

#include "scratch_dir.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#ifndef _WIN32
#include <sys/wait.h>
#endif
#include <vector>

namespace zk {
namespace {

// A 5 x 5 mushroom that line reasoning solves.
constexpr const char* GOOD_LEVEL = "pRRRp\r\nRRpRR\r\nRRRRR\r\nppGpp\r\npEGEp\r\nngrzyb";
// One green cell in each row and column: two solutions.
constexpr const char* AMBIGUOUS_LEVEL = "Ep\r\npE\r\nnab";
// Unique, but only probing finds it.
constexpr const char* PROBING_LEVEL = "ppEE\r\nppEE\r\nEEpp\r\nEppp\r\nnab";

struct CheckCommandTest : test::ScratchDirTest {
    std::ostringstream out;
    std::ostringstream err;

    int run(std::vector<std::string> args, std::optional<ColourMode> terminal = {},
            const char* palette_variable = nullptr) {
        return run_check_command(args, out, err, terminal, palette_variable);
    }
    bool out_has(const std::string& text) const {
        return out.str().find(text) != std::string::npos;
    }
};

TEST_F(CheckCommandTest, GoodLevelPasses) {
    test::write_file("e1.txt", GOOD_LEVEL);
    EXPECT_EQ(run({"e1.txt"}), CHECK_ALL_GOOD) << out.str();
    EXPECT_TRUE(out_has("e1.txt:\n  board: 5 rows x 5 columns, answer \"grzyb\"\n"
                        "  format: ok\n  advice: ok\n  solution: unique\n"
                        "  line reasoning alone: yes\n  difficulty: "))
        << out.str();
    EXPECT_TRUE(out_has("  result: good\n")) << out.str();
    EXPECT_FALSE(out_has("files:")) << out.str(); // no summary for one file
    EXPECT_EQ(err.str(), "");
}

TEST_F(CheckCommandTest, PolishAnswerInCodePage852IsWellFormedAndShownInUtf8) {
    test::write_file("zolw.txt", "pRRRp\r\nRRpRR\r\nRRRRR\r\nppGpp\r\npEGEp\r\nnje\xBE\x7F");
    run({"zolw.txt"});
    EXPECT_TRUE(out_has("answer \"je\u017c\\x7F\"\n")) << out.str();
    EXPECT_TRUE(out_has("zolw.txt:6:5: the answer contains byte 0x7F")) << out.str();
    EXPECT_FALSE(out_has(":6:4:")) << out.str(); // the letter is no problem
}

TEST_F(CheckCommandTest, AmbiguousLevelShowsTwoSolutionsAndWhereTheyDiffer) {
    test::write_file("two.txt", AMBIGUOUS_LEVEL);
    EXPECT_EQ(run({"two.txt"}), CHECK_SOME_BAD);
    EXPECT_TRUE(out_has("solution: several solutions")) << out.str();
    EXPECT_TRUE(out_has("    picture  another  differ\n"
                        "    Ep       pE       **\n"
                        "    pE       Ep       **\n"))
        << out.str();
    EXPECT_TRUE(out_has("they differ in 4 cells (row:column): 1:1 1:2 2:1 2:2\n")) << out.str();
    EXPECT_TRUE(out_has("result: NOT GOOD: several solutions")) << out.str();
}

TEST_F(CheckCommandTest, FormatProblemsNameFileRowAndColumn) {
    test::write_file("bad.txt", "EEp\r\npxR\r\nn");
    EXPECT_EQ(run({"bad.txt"}), CHECK_SOME_BAD);
    EXPECT_TRUE(out_has("  format: 2 problems\n"
                        "    bad.txt:2:2: byte 'x' is not a colour letter (E Y B R G p)\n"
                        "    bad.txt:3:2: the answer is empty\n"))
        << out.str();
    EXPECT_TRUE(out_has("result: NOT GOOD: format problems")) << out.str();
}

TEST_F(CheckCommandTest, RaggedBoardIsNotSolved) {
    test::write_file("ragged.txt", "EEp\r\npR\r\nnab");
    EXPECT_EQ(run({"ragged.txt"}), CHECK_SOME_BAD);
    EXPECT_TRUE(out_has("ragged.txt:2:3: row 2 has 2 cells, row 1 has 3")) << out.str();
    EXPECT_TRUE(out_has("  solution: not checked")) << out.str();
}

TEST_F(CheckCommandTest, UnreadableFilesFail) {
    std::filesystem::create_directory("folder.txt");
    EXPECT_EQ(run({"missing.txt", "folder.txt"}), CHECK_SOME_BAD);
    EXPECT_TRUE(out_has("missing.txt:\n  cannot be read")) << out.str();
    EXPECT_TRUE(out_has("folder.txt:\n  cannot be read")) << out.str();
}

TEST_F(CheckCommandTest, ResultNamesOnlyWhatTheBlockFound) {
    test::write_file("ragged.txt", "EEp\r\nE\r\nppppp\r\nnrag");
    test::write_file("long.txt", "EEEEEEEEEE\r\npppppppppp\r\nnab");
    for (const bool strict : {false, true}) {
        out.str("");
        run(strict ? std::vector<std::string>{"--strict", "missing.txt", "ragged.txt", "long.txt"}
                   : std::vector<std::string>{"missing.txt", "ragged.txt", "long.txt"});
        EXPECT_TRUE(out_has("missing.txt:\n  cannot be read: missing, not a regular file, or not "
                            "readable\n  result: NOT GOOD: cannot be read\n"))
            << out.str();
        EXPECT_TRUE(out_has("  advice: not checked\n  solution: not checked: the rows do not form "
                            "a board of at most 15 x 15 cells\n  result: NOT GOOD: format "
                            "problems, solution not checked\n"))
            << out.str();
        EXPECT_TRUE(out_has(strict ? "  result: NOT GOOD: advice rules broken\n\n3 files"
                                   : "  result: good\n\n3 files"))
            << out.str();
    }
}

TEST_F(CheckCommandTest, FilesBeyondTheSizeLimitAreNotChecked) {
    // Sparse files: a good level at the start, then zero bytes up to the size.
    for (auto [name, size] : {std::pair{"limit.txt", std::uintmax_t{MAX_LEVEL_FILE_BYTES}},
                              std::pair{"over.txt", std::uintmax_t{MAX_LEVEL_FILE_BYTES} + 1},
                              std::pair{"huge.txt", std::uintmax_t{1} << 36}}) {
        test::write_file(name, GOOD_LEVEL);
        std::filesystem::resize_file(name, size);
    }
    EXPECT_EQ(run({"limit.txt", "over.txt", "huge.txt"}), CHECK_SOME_BAD);
    EXPECT_TRUE(out_has("limit.txt:6:7: the answer contains byte 0x00")) << out.str();
    for (const std::string name : {"over.txt", "huge.txt"})
        EXPECT_TRUE(out_has(name + ":\n  too large: more than 1048576 bytes, not checked\n"
                                   "  result: NOT GOOD: too large\n"))
            << out.str();
}

// The first byte of `text` that a terminal could take as part of a command, or npos.
std::size_t first_unprintable(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte < 32 && byte != '\n') || byte >= 127) return i;
    }
    return std::string::npos;
}

TEST_F(CheckCommandTest, BytesOfTheFileAndItsNameReachTheOutputEscaped) {
    // One green cell in each row and column, so the picture is shown beside another
    // solution; terminal commands in the name, the picture and the answer.
#ifdef _WIN32
    // Windows file names take neither control characters nor bytes that are not UTF-8.
    const std::string name = "e]0;t.txt";
    const std::string shown = name;
#else
    const std::string name = "e\x1b]0;t\x07\x9b.txt";
    const std::string shown = "e\\x1B]0;t\\x07\\x9B.txt";
#endif
    test::write_file(name, "E\xff\r\n\x1b"
                           "E\r\nn\x1b[2J");
    EXPECT_EQ(run({name, "--\x1b[31m"}), CHECK_USAGE_ERROR);
    EXPECT_EQ(first_unprintable(err.str()), std::string::npos) << err.str();
    EXPECT_EQ(run({name}), CHECK_SOME_BAD);
    EXPECT_EQ(first_unprintable(out.str()), std::string::npos) << out.str();
    EXPECT_TRUE(out_has(shown + ":\n  board: 2 rows x 2 columns, answer \"\\x1B[2J\"\n"))
        << out.str();
    EXPECT_TRUE(out_has("    " + shown + ":1:2: byte 0xFF is not a colour letter")) << out.str();
    EXPECT_TRUE(out_has("    picture  another  differ\n"
                        "    E\\xFF    "))
        << out.str();
    EXPECT_TRUE(out_has("\n    \\x1BE    ")) << out.str();
}

TEST_F(CheckCommandTest, RepeatedProblemsAreListedUpToALimitThenCounted) {
    // A megabyte of bytes that are not colour letters, in rows of unequal length.
    std::string junk;
    while (junk.size() < MAX_LEVEL_FILE_BYTES - 100)
        junk += std::string(junk.size() % 7, '\xff') + "\n";
    test::write_file("junk.txt", junk + "n" + std::string(40, '\x1b'));
    EXPECT_EQ(run({"junk.txt"}), CHECK_SOME_BAD);
    const std::string& text = out.str();
    EXPECT_LT(text.size(), 10000u) << "the report grows with the file";
    for (const char* counted :
         {"more bytes that are not colour letters\n", "more rows of the wrong length\n",
          "    ... and 20 more answer bytes that are not printable characters"})
        EXPECT_TRUE(out_has(counted)) << counted << '\n' << text;
    // Every problem is counted in the total, listed or not.
    const std::size_t total = text.find(" problems\n");
    ASSERT_NE(total, std::string::npos) << text;
    const std::size_t start = text.rfind(' ', total - 1) + 1;
    EXPECT_GT(std::stoul(text.substr(start, total - start)), MAX_LEVEL_FILE_BYTES / 2) << text;
}

TEST_F(CheckCommandTest, OneBadFileAmongGoodOnesFailsTheRun) {
    test::write_file("good.txt", GOOD_LEVEL);
    test::write_file("two.txt", AMBIGUOUS_LEVEL);
    EXPECT_EQ(run({"good.txt", "two.txt", "good.txt"}), CHECK_SOME_BAD);
    EXPECT_TRUE(out_has("\n3 files: 2 good, 1 not good\n")) << out.str();
}

TEST_F(CheckCommandTest, StrictAlsoNeedsAdviceAndLineReasoning) {
    test::write_file("probe.txt", PROBING_LEVEL);
    EXPECT_EQ(run({"probe.txt"}), CHECK_ALL_GOOD) << out.str();
    EXPECT_TRUE(out_has("line reasoning alone: no")) << out.str();
    EXPECT_EQ(run({"--strict", "probe.txt"}), CHECK_SOME_BAD);
    EXPECT_TRUE(out_has("result: NOT GOOD: needs guessing")) << out.str();

    test::write_file("long.txt", "EEEEEEEEEE\r\npppppppppp\r\nnab");
    EXPECT_EQ(run({"long.txt"}), CHECK_ALL_GOOD) << out.str();
    EXPECT_TRUE(out_has("long.txt:1:1: run of 10 E cells in row 1")) << out.str();
    EXPECT_EQ(run({"--strict", "long.txt"}), CHECK_SOME_BAD);
    EXPECT_TRUE(out_has("result: NOT GOOD: advice rules broken")) << out.str();

    test::write_file("empty.txt", "pppp\r\npppp\r\nnab");
    EXPECT_EQ(run({"empty.txt"}), CHECK_ALL_GOOD) << out.str();
    EXPECT_EQ(run({"--strict", "empty.txt"}), CHECK_SOME_BAD);
    EXPECT_TRUE(out_has("result: NOT GOOD: empty board")) << out.str();
}

TEST_F(CheckCommandTest, CluesAreColouredOnlyForATerminal) {
    test::write_file("e1.txt", GOOD_LEVEL);
    EXPECT_EQ(run({"--clues", "e1.txt"}), CHECK_ALL_GOOD);
    EXPECT_TRUE(out_has("  row clues, left to right:\n     1: 3R\n     2: 2R 2R\n")) << out.str();
    EXPECT_TRUE(out_has("  column clues, top to bottom:\n     1: 2R\n")) << out.str();
    EXPECT_TRUE(out_has("     5: 1E 1G 1E\n")) << out.str();
    EXPECT_FALSE(out_has("\x1b[")) << out.str();

    out.str("");
    EXPECT_EQ(run({"--clues", "e1.txt"}, ColourMode::basic16), CHECK_ALL_GOOD);
    EXPECT_TRUE(out_has("     1: \x1b[91;40m3R\x1b[0m\n")) << out.str();

    // The game's colour mode and palette: red on black is 166 on 16 in the colour-blind
    // palette in 256 colours; the option wins over the environment.
    const ColourMode indexed = ColourMode::indexed256;
    out.str("");
    EXPECT_EQ(run({"--clues", "--palette", "colour-blind", "e1.txt"}, indexed, "classic"), 0);
    EXPECT_TRUE(out_has("     1: \x1b[38;5;166;48;5;16m3R\x1b[0m\n")) << out.str();
    out.str("");
    EXPECT_EQ(run({"--clues", "e1.txt"}, indexed, "colour-blind"), CHECK_ALL_GOOD);
    EXPECT_TRUE(out_has("     1: \x1b[38;5;166;48;5;16m3R\x1b[0m\n")) << out.str();
    EXPECT_EQ(run({"--clues", "e1.txt"}, indexed, "\x1b[2J"), CHECK_USAGE_ERROR);
    EXPECT_NE(err.str().find("unknown palette '\\x1B[2J' in ZIMVOKRELT_PALETTE"),
              std::string::npos);
}

TEST(ClueText, RunsInOrderWithTheirLetters) {
    const std::uint8_t line[] = {'R', 'R', 'Y', 'p', 'G', 'B', 'B', 'B'};
    EXPECT_EQ(clue_list_text(line_runs(line), std::nullopt), "2R 1Y 1G 3B");
    EXPECT_EQ(
        clue_list_text(line_runs(line), ClueColours{}),
        "\x1b[91;40m2R\x1b[0m \x1b[93;40m1Y\x1b[0m \x1b[37;40m1G\x1b[0m \x1b[94;40m3B\x1b[0m");
    EXPECT_EQ(clue_list_text(RunList{}, ClueColours{}), "0");
}

TEST_F(CheckCommandTest, UsageErrors) {
    EXPECT_EQ(run({}), CHECK_USAGE_ERROR);
    EXPECT_NE(err.str().find("no level file given"), std::string::npos);
    EXPECT_EQ(run({"--colour", "e1.txt"}), CHECK_USAGE_ERROR);
    EXPECT_NE(err.str().find("unknown option --colour"), std::string::npos);
    EXPECT_EQ(out.str(), "");
}

TEST_F(CheckCommandTest, HelpExplainsAndSucceeds) {
    EXPECT_EQ(run({"/?", "--bogus"}), CHECK_ALL_GOOD); // the Windows switch, before the fault
    EXPECT_EQ(run({"--help"}), CHECK_ALL_GOOD);
    for (const char* words : {"--clues", "--strict", "FILE:ROW:COLUMN", "advice", "difficulty",
                              "line reasoning alone", "Exit status"})
        EXPECT_TRUE(out_has(words)) << words;
    EXPECT_EQ(run({"-h"}), CHECK_ALL_GOOD); // the short form
}

TEST_F(CheckCommandTest, DoubleDashEndsOptions) {
    test::write_file("--clues", GOOD_LEVEL);
    EXPECT_EQ(run({"--", "--clues"}), CHECK_ALL_GOOD) << out.str() << err.str();
    EXPECT_FALSE(out_has("row clues")) << out.str();
}

// The built program, run through the shell: its exit status is what scripts and CI see.
int program_status(const std::string& args) {
#ifdef _WIN32
    // cmd.exe takes off the outermost quotes of the whole line.
    const std::string command =
        std::string("\"\"") + ZK_CHECK_PROGRAM + "\" " + args + " >NUL 2>&1\"";
    return std::system(command.c_str());
#else
    const std::string command =
        std::string("'") + ZK_CHECK_PROGRAM + "' " + args + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

TEST_F(CheckCommandTest, ProgramExitStatuses) {
    test::write_file("good.txt", GOOD_LEVEL);
    test::write_file("two.txt", AMBIGUOUS_LEVEL);
    EXPECT_EQ(program_status("good.txt"), 0);
    EXPECT_EQ(program_status("good.txt two.txt"), 1);
    EXPECT_EQ(program_status(""), 2);
    EXPECT_EQ(program_status("--nonsense good.txt"), 2);
    EXPECT_EQ(program_status("--help"), 0);
#ifndef _WIN32
    // The reader is gone before the report is written: status 1, not death by SIGPIPE.
    const std::string command = "(sleep 0.2; '" + std::string(ZK_CHECK_PROGRAM) +
                                "' good.txt 2>/dev/null; echo $? >status) | true";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(test::read_file("status"), "1\n");
#endif
}

} // namespace
} // namespace zk
