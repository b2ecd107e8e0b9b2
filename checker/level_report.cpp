#include "checker/level_report.hpp"

#include "checker/advice_check.hpp"
#include "checker/clue_text.hpp"
#include "checker/format_check.hpp"
#include "checker/printable_text.hpp"
#include "console/cp852.hpp"
#include "model/level_file.hpp"
#include "model/level_file_os.hpp"
#include "solver/clues.hpp"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iterator>
#include <optional>
#include <vector>

namespace zk {

namespace {

// Positions listed for two differing solutions before the list is cut short.
constexpr int MAX_LISTED_DIFFERENCES = 20;

// The bytes of the regular file at `path` (UTF-8, opened by its wide name on Windows), or
// nullopt when it cannot be read.
std::optional<std::string> read_bytes(const std::string& path) {
    std::FILE* file = open_level_for_reading(path);
    if (file == nullptr) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, count);
        if (bytes.size() > MAX_LEVEL_FILE_BYTES) break;
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return std::nullopt;
    return bytes;
}

// The size of the file at `path` (UTF-8 on every system), or nullopt when it is unknown.
std::optional<std::uintmax_t> size_on_disk(const std::string& path) {
    try {
        std::error_code error;
        const std::uintmax_t size =
            std::filesystem::file_size(std::u8string(path.begin(), path.end()), error);
        if (!error) return size;
    } catch (const std::exception&) { // a path that is not UTF-8 cannot be named on Windows
    }
    return std::nullopt;
}

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

void print_result(const FileVerdict& v, bool strict, std::ostream& out) {
    if (is_good(v, strict)) {
        out << "  result: good\n";
        return;
    }
    std::vector<std::string> reasons;
    if (!v.well_formed) reasons.push_back("format problems");
    if (strict && v.solver_ran && v.drawing == DrawingVerdict::empty)
        reasons.push_back("empty board");
    if (strict && !v.within_advice) reasons.push_back("advice rules broken");
    if (!v.solver_ran) reasons.push_back("not solved");
    if (v.solver_ran && v.verdict == Verdict::several) reasons.push_back("several solutions");
    if (v.solver_ran && v.verdict == Verdict::none) reasons.push_back("no solution");
    if (v.solver_ran && v.verdict == Verdict::undecided) reasons.push_back("undecided");
    if (strict && v.solver_ran && v.verdict == Verdict::unique && !v.line_solvable)
        reasons.push_back("needs guessing");
    out << "  result: NOT GOOD:";
    for (std::size_t i = 0; i < reasons.size(); ++i) out << (i == 0 ? " " : ", ") << reasons[i];
    out << '\n';
}

} // namespace

bool is_good(const FileVerdict& v, bool strict) {
    const bool basic = v.readable && v.well_formed && v.solver_ran && v.verdict == Verdict::unique;
    return basic && (!strict || v.drawing == DrawingVerdict::unique);
}

FileVerdict check_level_file(const std::string& path, const CheckOptions& options,
                             std::ostream& out) {
    FileVerdict verdict;
    out << printable_text(path) << ":\n";
    // The size is known before anything is read, so a huge file costs no reading at all.
    const std::optional<std::uintmax_t> file_size = size_on_disk(path);
    const bool too_large = file_size && *file_size > MAX_LEVEL_FILE_BYTES;
    PuzzleState puzzle;
    std::optional<std::string> bytes;
    if (load_level(puzzle, path)) bytes = too_large ? std::string() : read_bytes(path);
    if (!bytes) {
        out << "  cannot be read: missing, not a regular file, or not readable\n";
        print_result(verdict, options.strict, out);
        return verdict;
    }
    verdict.readable = true;

    FormatReport format;
    if (too_large || bytes->size() > MAX_LEVEL_FILE_BYTES) {
        format.problems.push_back(
            {1, 1, "the file is larger than " + std::to_string(MAX_LEVEL_FILE_BYTES) + " bytes"});
        format.found = counts_of(format.problems);
    } else {
        format = check_format(*bytes);
    }
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
    if (options.clues) print_clues(clues, options.colour, out);
    const SolveReport report = solve_board(clues);
    verdict.solver_ran = true;
    verdict.verdict = report.verdict;
    verdict.line_solvable = report.line_solvable;
    verdict.drawing = judge_drawing(puzzle.target, size.height, size.width, report);
    print_solution(puzzle.target, report, size, out);
    print_result(verdict, options.strict, out);
    return verdict;
}

} // namespace zk
