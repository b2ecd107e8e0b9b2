// The checker's byte-by-byte reading of a level file: rows of colour letters, the answer line
// and what may follow it, every break of the format with its row and column.

#include "checker/format_check.hpp"

#include "model/level_format.hpp"
#include "model/puzzle.hpp"
#include "text/cp852.hpp"

#include <algorithm>
#include <cstdio>

namespace zk {

namespace {

// Walks the bytes, keeping the line and column a reader of the file sees.
struct Cursor {
    std::string_view bytes;
    std::size_t pos = 0;
    int row = 1;
    int col = 1;

    bool done() const { return pos >= bytes.size(); }
    unsigned char peek() const { return static_cast<unsigned char>(bytes[pos]); }

    // Length of the line end at pos: 2 for CR LF, 1 for LF, 0 when there is none.
    std::size_t line_end() const {
        if (peek() == LINE_END) return 1;
        if (bytes.substr(pos).starts_with(SAVED_LINE_END)) return SAVED_LINE_END.size();
        return 0;
    }
    void next_line(std::size_t end_length) {
        pos += end_length;
        ++row;
        col = 1;
    }
    void next_byte() {
        ++pos;
        ++col;
    }
};

// Counts a problem of `kind` and lists it at `row`, `col`, unless MAX_LISTED_PER_KIND of its
// kind are listed already; `message` is made only for a problem that is listed.
template <typename Message>
void note(FormatReport& report, ProblemKind kind, int row, int col, Message message) {
    const std::size_t count = ++report.found[static_cast<std::size_t>(kind)];
    if (kind == ProblemKind::single || count <= MAX_LISTED_PER_KIND)
        report.problems.push_back({row, col, message(), kind});
}

std::string cells(int n) {
    return std::to_string(n) + (n == 1 ? " cell" : " cells");
}

void check_rows(const std::vector<int>& lengths, FormatReport& report) {
    report.height = static_cast<int>(lengths.size());
    report.width = lengths.empty() ? 0 : lengths.front();
    report.rectangular = !lengths.empty();
    for (std::size_t i = 1; i < lengths.size(); ++i) {
        if (lengths[i] == report.width) continue;
        report.rectangular = false;
        const int row = static_cast<int>(i) + 1;
        note(report, ProblemKind::row_length, row, std::min(lengths[i], report.width) + 1, [&] {
            return lengths[i] == 0 ? "row " + std::to_string(row) + " is empty; every row has " +
                                         cells(report.width) + " like row 1"
                                   : "row " + std::to_string(row) + " has " + cells(lengths[i]) +
                                         ", row 1 has " + std::to_string(report.width);
        });
    }
    if (report.height < MIN_BOARD)
        note(report, ProblemKind::single, 1, 1, [&] {
            return std::to_string(report.height) + (report.height == 1 ? " row" : " rows") +
                   "; a board has " + std::to_string(MIN_BOARD) + " to " +
                   std::to_string(MAX_BOARD) + " rows";
        });
    if (report.height > MAX_BOARD)
        note(report, ProblemKind::single, MAX_BOARD + 1, 1, [&] {
            return std::to_string(report.height) + " rows; a board has at most " +
                   std::to_string(MAX_BOARD);
        });
    if (report.height > 0 && report.width < MIN_BOARD)
        note(report, ProblemKind::single, 1, report.width + 1, [&] {
            return "row 1 has " + cells(report.width) + "; a board has " +
                   std::to_string(MIN_BOARD) + " to " + std::to_string(MAX_BOARD) + " columns";
        });
    if (report.width > MAX_BOARD)
        note(report, ProblemKind::single, 1, MAX_BOARD + 1, [&] {
            return "row 1 has " + cells(report.width) + "; a board has at most " +
                   std::to_string(MAX_BOARD) + " columns";
        });
}

void check_answer(Cursor& in, FormatReport& report) {
    const int answer_row = in.row;
    in.next_byte(); // the answer marker
    const int first_col = in.col;
    int length = 0;
    bool blank_seen = false;
    while (!in.done() && in.line_end() == 0) {
        const unsigned char byte = in.peek();
        ++length;
        if (length == static_cast<int>(MAX_NAME_LENGTH) + 1)
            note(report, ProblemKind::single, in.row, in.col, [] {
                return "the answer is longer than " +
                       std::to_string(static_cast<int>(MAX_NAME_LENGTH)) + " characters";
            });
        if ((byte == ' ' || byte == '\t') && !blank_seen) {
            blank_seen = true;
            note(report, ProblemKind::single, in.row, in.col,
                 [] { return std::string("the answer contains a blank"); });
        } else if (is_control_byte(byte)) {
            // Bytes above 127 are code page 852 letters, as the editor saves them.
            note(report, ProblemKind::answer_byte, in.row, in.col, [&] {
                return "the answer contains byte " + describe_byte(byte) +
                       ", which is not a printable character";
            });
        }
        in.next_byte();
    }
    if (length == 0)
        note(report, ProblemKind::single, answer_row, first_col,
             [] { return std::string("the answer is empty"); });
    if (in.done()) return;
    in.next_line(in.line_end());
    if (!in.done())
        note(report, ProblemKind::single, in.row, in.col, [] {
            return std::string("something follows the answer; only one final line end may");
        });
}

} // namespace

std::string describe_byte(unsigned char byte) {
    if (byte != ' ' && is_printable_ascii(byte))
        return std::string("'") + static_cast<char>(byte) + "'";
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", byte);
    return hex;
}

FormatReport check_format(std::string_view bytes) {
    FormatReport report;
    Cursor in{bytes};
    std::vector<int> lengths;
    int length = 0;
    while (!in.done() && in.peek() != ANSWER_MARKER) {
        if (const std::size_t end = in.line_end(); end != 0) {
            lengths.push_back(length);
            length = 0;
            in.next_line(end);
            continue;
        }
        if (colour_of_letter(in.peek()) == nullptr)
            note(report, ProblemKind::bad_byte, in.row, in.col, [&] {
                return "byte " + describe_byte(in.peek()) + " is not a colour letter (" +
                       cell_letter_list() + ")";
            });
        ++length;
        in.next_byte();
    }
    if (length > 0) {
        lengths.push_back(length);
        note(report, ProblemKind::single, in.row, in.col, [&] {
            return std::string(in.done() ? "the last row has no line end"
                                         : "the n line must begin a line of its own");
        });
    }
    if (in.done()) {
        note(report, ProblemKind::single, in.row, in.col, [] {
            return std::string("missing n line: the letter n and the answer end the file");
        });
    } else {
        report.has_answer_line = true;
    }
    check_rows(lengths, report);
    if (report.has_answer_line) check_answer(in, report);
    std::stable_sort(report.problems.begin(), report.problems.end(),
                     [](const FileProblem& a, const FileProblem& b) {
                         return a.row != b.row ? a.row < b.row : a.col < b.col;
                     });
    return report;
}

} // namespace zk
