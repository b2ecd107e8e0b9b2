// Tests of the checker's format reading of level file bytes.

#include "checker/format_check.hpp"

#include <gtest/gtest.h>

#include <string>

namespace zk {
namespace {

// The problems as "row:col: message" lines, for readable failures.
std::string listed(const FormatReport& report) {
    std::string text;
    for (const FileProblem& p : report.problems)
        text += std::to_string(p.row) + ':' + std::to_string(p.col) + ": " + p.message + '\n';
    return text;
}

// True when some problem stands at row:col and its message contains `words`.
bool has_problem(const FormatReport& report, int row, int col, const std::string& words) {
    for (const FileProblem& p : report.problems)
        if (p.row == row && p.col == col && p.message.find(words) != std::string::npos) return true;
    return false;
}

TEST(FormatCheck, EditorFileAndItsVariantsAreWellFormed) {
    for (const char* bytes : {"EEp\r\npRR\r\nnkot", "EEp\npRR\nnkot", "EEp\r\npRR\r\nnkot\r\n",
                              "EEp\npRR\nnkot\n", "YBRGpE\r\nEEEEEE\r\nnab"}) {
        const FormatReport report = check_format(bytes);
        EXPECT_EQ(listed(report), "") << bytes;
        EXPECT_TRUE(report.rectangular);
        EXPECT_TRUE(report.has_answer_line);
        EXPECT_EQ(report.height, 2);
    }
    EXPECT_EQ(check_format("EEp\r\npRR\r\nnkot").width, 3);
}

TEST(FormatCheck, ByteThatIsNoColourLetter) {
    const FormatReport report = check_format("EEp\r\npxR\r\nnkot");
    EXPECT_EQ(report.problems.size(), 1u) << listed(report);
    EXPECT_TRUE(has_problem(report, 2, 2, "'x' is not a colour letter")) << listed(report);

    // A CR that does not end a line is a byte of the row; a blank is one too.
    const FormatReport cr = check_format("EEp\npR\r\r\np p\nnkot");
    EXPECT_TRUE(has_problem(cr, 2, 3, "0x0D")) << listed(cr);
    EXPECT_TRUE(has_problem(cr, 3, 2, "0x20")) << listed(cr);
    EXPECT_TRUE(cr.rectangular);
}

TEST(FormatCheck, RowsOfUnequalLength) {
    const FormatReport report = check_format("EEp\nEE\nEEpp\nnab");
    EXPECT_FALSE(report.rectangular);
    EXPECT_TRUE(has_problem(report, 2, 3, "row 2 has 2 cells, row 1 has 3")) << listed(report);
    EXPECT_TRUE(has_problem(report, 3, 4, "row 3 has 4 cells")) << listed(report);

    const FormatReport blank_line = check_format("EEp\n\nEEp\nnab");
    EXPECT_TRUE(has_problem(blank_line, 2, 1, "row 2 is empty")) << listed(blank_line);
}

TEST(FormatCheck, RowCountOutsideTwoToFifteen) {
    const FormatReport one = check_format("EEp\nnab");
    EXPECT_TRUE(has_problem(one, 1, 1, "1 row;")) << listed(one);

    EXPECT_TRUE(has_problem(check_format("nab"), 1, 1, "0 rows")) << listed(check_format("nab"));

    std::string sixteen;
    for (int r = 0; r < 16; ++r) sixteen += "pE\r\n";
    const FormatReport many = check_format(sixteen + "nab");
    EXPECT_EQ(many.height, 16);
    EXPECT_TRUE(has_problem(many, 16, 1, "16 rows")) << listed(many);

    std::string fifteen;
    for (int r = 0; r < 15; ++r) fifteen += "pE\r\n";
    EXPECT_EQ(listed(check_format(fifteen + "nab")), "");
}

TEST(FormatCheck, ColumnCountOutsideTwoToFifteen) {
    const FormatReport narrow = check_format("E\nE\nnab");
    EXPECT_TRUE(has_problem(narrow, 1, 2, "row 1 has 1 cell;")) << listed(narrow);

    const std::string row16(16, 'p');
    const FormatReport wide = check_format(row16 + "\n" + row16 + "\nnab");
    EXPECT_TRUE(has_problem(wide, 1, 16, "row 1 has 16 cells")) << listed(wide);
    EXPECT_EQ(wide.problems.size(), 1u) << listed(wide);

    const std::string row15(15, 'p');
    EXPECT_EQ(listed(check_format(row15 + "\n" + row15 + "\nnab")), "");
}

TEST(FormatCheck, MissingAnswerLine) {
    const FormatReport report = check_format("EEp\r\npRR\r\n");
    EXPECT_FALSE(report.has_answer_line);
    EXPECT_TRUE(has_problem(report, 3, 1, "missing n line")) << listed(report);

    const FormatReport unended = check_format("EEp\npRR");
    EXPECT_TRUE(has_problem(unended, 2, 4, "no line end")) << listed(unended);
    EXPECT_TRUE(has_problem(unended, 2, 4, "missing n line")) << listed(unended);
    EXPECT_EQ(unended.height, 2);

    EXPECT_TRUE(has_problem(check_format(""), 1, 1, "missing n line"));
}

TEST(FormatCheck, AnswerLetterInsideARow) {
    const FormatReport report = check_format("EEp\npRRnkot");
    EXPECT_TRUE(has_problem(report, 2, 4, "must begin a line")) << listed(report);
    EXPECT_TRUE(report.has_answer_line);
}

TEST(FormatCheck, EmptyAnswer) {
    EXPECT_TRUE(has_problem(check_format("EEp\npRR\nn"), 3, 2, "answer is empty"));
    EXPECT_TRUE(has_problem(check_format("EEp\npRR\nn\r\n"), 3, 2, "answer is empty"));
}

TEST(FormatCheck, AnswerLongerThanFifteen) {
    const FormatReport report = check_format("EEp\npRR\nn" + std::string(16, 'a'));
    EXPECT_TRUE(has_problem(report, 3, 17, "longer than 15")) << listed(report);
    EXPECT_EQ(report.problems.size(), 1u) << listed(report);
    EXPECT_EQ(listed(check_format("EEp\npRR\nn" + std::string(15, 'a'))), "");
}

TEST(FormatCheck, AnswerWithABlankOrControlByte) {
    const FormatReport report = check_format("EEp\npRR\nnkot pies");
    EXPECT_TRUE(has_problem(report, 3, 5, "contains a blank")) << listed(report);
    EXPECT_TRUE(has_problem(check_format("EEp\npRR\nnk\tot"), 3, 3, "contains a blank"));
    EXPECT_TRUE(has_problem(check_format("EEp\npRR\nnk\rot"), 3, 3, "0x0D"));
}

TEST(FormatCheck, AnythingAfterTheAnswerButOneLineEnd) {
    const FormatReport two_ends = check_format("EEp\r\npRR\r\nnkot\r\n\r\n");
    EXPECT_TRUE(has_problem(two_ends, 4, 1, "follows the answer")) << listed(two_ends);
    EXPECT_TRUE(has_problem(check_format("EEp\npRR\nnkot\nEEp"), 4, 1, "follows the answer"));
}

TEST(FormatCheck, ProblemsComeInFileOrder) {
    const FormatReport report = check_format("EEx\nE\nnk o");
    ASSERT_EQ(report.problems.size(), 3u) << listed(report);
    EXPECT_EQ(report.problems[0].row, 1);
    EXPECT_EQ(report.problems[1].row, 2);
    EXPECT_EQ(report.problems[2].row, 3);
}

TEST(FormatCheck, DescribesBytes) {
    EXPECT_EQ(describe_byte('x'), "'x'");
    EXPECT_EQ(describe_byte(' '), "0x20");
    EXPECT_EQ(describe_byte(0xA5), "0xA5");
}

} // namespace
} // namespace zk
