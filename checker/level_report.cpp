// The report on one level file: the format, the board, the advice, the solver's verdict and
// grade, the solutions' differences and the clues, and whether the file passes.

#include "checker/level_report.hpp"

#include "checker/advice_check.hpp"
#include "checker/clue_text.hpp"
#include "checker/format_check.hpp"
#include "model/level_file.hpp"
#include "solver/clues.hpp"
#include "solver/grade.hpp"
#include "text/cp852.hpp"
#include "text/printable_text.hpp"
#include "text/utf8.hpp"

#include <algorithm>
#include <optional>
#include <vector>

namespace zk {

namespace {

// Positions listed for two differing solutions before the list is cut short.
constexpr int MAX_LISTED_DIFFERENCES = 20;

std::string quoted_answer(const PuzzleState& p) {
    std::string text = "\"";
    for (const char ch : std::string_view(p.answer.data())) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 128)
            append_utf8(text, cp852_code_point(byte)); // the game shows code page 852
        else
            text += printable_text(std::string_view(&ch, 1));
    }
    return text + "\"";
}

// What the problems of each repeating kind are, for the count of those not listed.
const char* unlisted_description(ProblemKind kind) {
    switch (kind) {
    case ProblemKind::bad_byte:
        return "bytes that are not colour letters";
    case ProblemKind::row_length:
        return "rows of the wrong length";
    case ProblemKind::answer_byte:
        return "answer bytes that are not printable characters";
    case ProblemKind::long_run:
        return "runs that are too long";
    case ProblemKind::crowded_column:
        return "columns with too many runs";
    case ProblemKind::single:
        break;
    }
    return "problems";
}

ProblemCounts counts_of(const std::vector<FileProblem>& problems) {
    ProblemCounts counts{};
    for (const FileProblem& p : problems) ++counts[static_cast<std::size_t>(p.kind)];
    return counts;
}

// Prints the number of problems found, then each problem up to MAX_LISTED_PER_KIND of each
// repeating kind, then how many of each such kind are not listed. Every byte of the file
// name and the messages that could act as a terminal command is escaped.
void print_problems(const char* title, const std::string& path,
                    const std::vector<FileProblem>& problems, const ProblemCounts& found,
                    std::ostream& out) {
    std::size_t total = 0;
    for (std::size_t count : found) total += count;
    out << "  " << title << ": ";
    if (total == 0) {
        out << "ok\n";
        return;
    }
    out << total << (total == 1 ? " problem\n" : " problems\n");
    const std::string name = printable_text(path);
    ProblemCounts listed{};
    for (const FileProblem& p : problems) {
        const auto kind = static_cast<std::size_t>(p.kind);
        if (p.kind != ProblemKind::single && listed[kind] == MAX_LISTED_PER_KIND) continue;
        ++listed[kind];
        out << "    " << name << ':' << p.row << ':' << p.col << ": " << printable_text(p.message)
            << '\n';
    }
    for (std::size_t kind = 0; kind < PROBLEM_KINDS; ++kind)
        if (found[kind] > listed[kind])
            out << "    ... and " << found[kind] - listed[kind] << " more "
                << unlisted_description(static_cast<ProblemKind>(kind)) << '\n';
}

// Shows the level's own picture beside a second solution of its clues, marking and listing
// the cells where they differ.
void print_two_solutions(const Grid& picture, const SolveReport& report, BoardSize size,
                         std::ostream& out) {
    const Grid& other = report.solutions[0] != picture ? report.solutions[0] : report.solutions[1];
    // The picture's rows come from the file and may hold any byte: they are shown escaped.
    std::vector<std::string> mine, theirs, marks;
    std::size_t width = 7;
    std::vector<std::string> differences;
    for (int r = 0; r < size.height; ++r) {
        std::string picture_row, other_row, row_marks;
        for (int c = 0; c < size.width; ++c) {
            picture_row += static_cast<char>(at(picture, r, c));
            other_row += static_cast<char>(at(other, r, c));
            const bool differs = at(picture, r, c) != at(other, r, c);
            row_marks += differs ? '*' : '.';
            if (differs) differences.push_back(std::to_string(r + 1) + ':' + std::to_string(c + 1));
        }
        mine.push_back(printable_text(picture_row));
        theirs.push_back(printable_text(other_row));
        marks.push_back(row_marks);
        width = std::max({width, mine.back().size(), theirs.back().size()});
    }
    const auto column = [&](std::string text) {
        text.resize(width + 2, ' ');
        return text;
    };
    out << "    " << column("picture") << column("another") << "differ\n";
    for (std::size_t r = 0; r < mine.size(); ++r)
        out << "    " << column(mine[r]) << column(theirs[r]) << marks[r] << '\n';
    out << "  they differ in " << differences.size() << " cells (row:column):";
    for (std::size_t i = 0; i < differences.size() && i < MAX_LISTED_DIFFERENCES; ++i)
        out << ' ' << differences[i];
    if (differences.size() > MAX_LISTED_DIFFERENCES) out << " ...";
    out << '\n';
}

// "1 pass", "2 passes", "0 probes".
std::string counted(int n, const std::string& noun) {
    const bool sibilant = noun.back() == 's';
    return std::to_string(n) + ' ' + noun + (n == 1 ? "" : sibilant ? "es" : "s");
}

void print_solution(const Grid& picture, const SolveReport& report, BoardSize size,
                    std::ostream& out) {
    switch (report.verdict) {
    case Verdict::unique:
        out << "  solution: unique\n";
        break;
    case Verdict::several:
        out << "  solution: several solutions; the picture and another that fits its clues:\n";
        print_two_solutions(picture, report, size, out);
        break;
    case Verdict::none:
        out << "  solution: none (the clues contradict each other)\n";
        break;
    case Verdict::undecided:
        out << "  solution: undecided (the search gave up after " << report.guesses
            << " guesses)\n";
        break;
    }
    out << "  line reasoning alone: " << (report.line_solvable ? "yes" : "no") << '\n';
    out << "  difficulty: " << report.difficulty << " (" << counted(report.line_passes, "pass")
        << ", " << counted(report.line_steps, "line step") << ", "
        << counted(report.probes, "probe") << ", " << counted(report.guesses, "guess") << ")\n";
}

// The result line names only what the lines above it found: a file that was not read or is
// too large has no other reason, and a check that did not run is named as not done.
void print_result(const FileVerdict& v, bool strict, std::ostream& out) {
    if (is_good(v, strict)) {
        out << "  result: good\n";
        return;
    }
    std::vector<std::string> reasons;
    if (!v.readable) {
        reasons.push_back("cannot be read");
    } else if (v.too_large) {
        reasons.push_back("too large");
    } else {
        if (!v.well_formed) reasons.push_back("format problems");
        if (!v.board_checked) reasons.push_back("solution not checked");
    }
    if (v.board_checked) {
        if (strict && v.drawing == DrawingVerdict::empty) reasons.push_back("empty board");
        if (strict && !v.within_advice) reasons.push_back("advice rules broken");
        if (v.verdict == Verdict::several) reasons.push_back("several solutions");
        if (v.verdict == Verdict::none) reasons.push_back("no solution");
        if (v.verdict == Verdict::undecided) reasons.push_back("undecided");
        if (strict && v.verdict == Verdict::unique && !v.line_solvable)
            reasons.push_back("needs guessing");
    }
    out << "  result: NOT GOOD:";
    for (std::size_t i = 0; i < reasons.size(); ++i) out << (i == 0 ? " " : ", ") << reasons[i];
    out << '\n';
}

} // namespace

bool is_good(const FileVerdict& v, bool strict) {
    const bool basic = v.well_formed && v.board_checked && v.verdict == Verdict::unique;
    return basic && (!strict || v.drawing == DrawingVerdict::unique);
}

FileVerdict check_level_file(const std::string& path, const CheckOptions& options,
                             std::ostream& out) {
    FileVerdict verdict;
    out << printable_text(path) << ":\n";
    // One read: the format check and the game's reader judge the same copy of the file, even
    // when it is rewritten meanwhile. One byte past the limit tells a file that is too large.
    const std::optional<std::string> bytes = read_level_bytes(path, MAX_LEVEL_FILE_BYTES + 1);
    verdict.readable = bytes.has_value();
    verdict.too_large = bytes && bytes->size() > MAX_LEVEL_FILE_BYTES;
    if (!verdict.readable || verdict.too_large) {
        if (verdict.too_large)
            out << "  too large: more than " << MAX_LEVEL_FILE_BYTES << " bytes, not checked\n";
        else
            out << "  cannot be read: missing, not a regular file, or not readable\n";
        print_result(verdict, options.strict, out);
        return verdict;
    }

    PuzzleState puzzle;
    parse_level(puzzle, *bytes);
    const FormatReport format = check_format(*bytes);
    verdict.well_formed = format.problems.empty();
    out << "  board: " << format.height << (format.height == 1 ? " row" : " rows") << " x "
        << format.width << (format.width == 1 ? " column" : " columns") << ", answer "
        << quoted_answer(puzzle) << '\n';
    print_problems("format", path, format.problems, format.found, out);

    const bool solvable_shape = format.rectangular && format.height <= MAX_BOARD &&
                                format.width >= 1 && format.width <= MAX_BOARD;
    if (!solvable_shape) {
        out << "  advice: not checked\n"
            << "  solution: not checked: the rows do not form a board of at most " << MAX_BOARD
            << " x " << MAX_BOARD << " cells\n";
        print_result(verdict, options.strict, out);
        return verdict;
    }
    const BoardSize size{format.height, format.width};
    const std::vector<FileProblem> advice = check_advice(puzzle.target, size);
    verdict.within_advice = advice.empty();
    print_problems("advice", path, advice, counts_of(advice), out);

    const Clues clues = clues_of_picture(puzzle.target, size);
    if (options.clues) print_clues(clues, options.colours, out);
    const SolveReport report = solve_board(clues);
    verdict.board_checked = true;
    verdict.verdict = report.verdict;
    verdict.line_solvable = report.line_solvable;
    verdict.drawing = judge_drawing(puzzle.target, size.height, size.width, report);
    print_solution(puzzle.target, report, size, out);
    // A good level that line reasoning alone solves has a grade, as a generated puzzle does.
    if (const std::optional<Grade> grade = grade_of(report);
        grade && is_good(verdict, options.strict))
        out << "  grade: " << grade_name(*grade) << '\n';
    print_result(verdict, options.strict, out);
    return verdict;
}

} // namespace zk
