#include "console/presenter.hpp"

#include "console/cp852.hpp"

#include <algorithm>
#include <bit>
#include <cstring>
#include <strings.h>

namespace zk {

namespace {

constexpr std::string_view RESET_ATTRIBUTES = "\x1b[0m";
constexpr std::string_view CLEAR_TERMINAL = "\x1b[2J";
constexpr std::string_view HIDE_CURSOR = "\x1b[?25l";

// The classic console palette in Windows order (bit 0 blue, bit 1 green, bit 2 red, bit 3
// intensity), as 0xRRGGBB.
constexpr std::array<std::uint32_t, 16> CLASSIC_PALETTE{
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

// Soft hyphen: some terminals give it no width, so the cursor is not trusted after it.
constexpr std::uint8_t GLYPH_SOFT_HYPHEN = 240;

constexpr std::string_view ERASE_TO_END_OF_LINE = "\x1b[K";

// A present that redraws at least this many rows also works out a clear of the whole
// terminal and keeps the shorter of the two.
constexpr int ROWS_WORTH_A_CLEAR = SCREEN_ROWS / 2;
// A blank end of a row with at least this many cells to change is erased instead of written.
constexpr int CELLS_WORTH_AN_ERASE = 3;
// The longest gap in a row that may be crossed by writing its cells again.
constexpr int LONGEST_REWRITTEN_GAP = 4;

// Windows orders the colour bits blue, green, red; terminals red, green, blue.
int terminal_colour(int windows_colour) {
    return ((windows_colour & 1) << 2) | (windows_colour & 2) | ((windows_colour & 4) >> 2);
}

int foreground_of(int attr) {
    return attr & 15;
}

int background_of(int attr) {
    return (attr >> 4) & 15;
}

// True for the bytes the terminal shows as a blank cell.
bool shows_blank(std::uint8_t glyph) {
    return glyph == ' ' || glyph < 32 || glyph == 127;
}

// True when the terminal shows the two cells alike: the same attribute, and the same glyph or
// two bytes that both show as a blank.
bool looks_same(const Cell& a, const Cell& b) {
    return a.attr == b.attr &&
           (a.glyph == b.glyph || (shows_blank(a.glyph) && shows_blank(b.glyph)));
}

void append_number(std::string& out, int n) {
    out += std::to_string(n);
}

void append_rgb(std::string& out, std::uint32_t rgb) {
    append_number(out, static_cast<int>(rgb >> 16));
    out.push_back(';');
    append_number(out, static_cast<int>((rgb >> 8) & 0xFF));
    out.push_back(';');
    append_number(out, static_cast<int>(rgb & 0xFF));
}

void append_foreground(std::string& out, int colour, bool truecolor) {
    if (truecolor) {
        out += "38;2;";
        append_rgb(out, CLASSIC_PALETTE[colour]);
    } else {
        append_number(out, (colour & 8 ? 90 : 30) + terminal_colour(colour));
    }
}

void append_background(std::string& out, int colour, bool truecolor) {
    if (truecolor) {
        out += "48;2;";
        append_rgb(out, CLASSIC_PALETTE[colour]);
    } else {
        append_number(out, (colour & 8 ? 100 : 40) + terminal_colour(colour));
    }
}

int digit_count(int n) {
    int digits = 1;
    for (; n >= 10; n /= 10) ++digits;
    return digits;
}

// Length of a control sequence with one count, as append_csi sends it.
int csi_length(int count) {
    return 3 + (count != 1 ? digit_count(count) : 0);
}

// A control sequence with one count, the count left out when it is 1 (its default).
void append_csi(std::string& out, int count, char final) {
    out += "\x1b[";
    if (count != 1) append_number(out, count);
    out.push_back(final);
}

bool is_utf8_codeset(const char* codeset) {
    return codeset != nullptr &&
           (strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "UTF8") == 0);
}

} // namespace

PresenterOptions presenter_options(const char* codeset, const char* colorterm) {
    PresenterOptions options;
    options.utf8 = is_utf8_codeset(codeset);
    options.truecolor = colorterm != nullptr && (std::strcmp(colorterm, "truecolor") == 0 ||
                                                 std::strcmp(colorterm, "24bit") == 0);
    return options;
}

std::string attribute_sgr(std::uint8_t attr, bool truecolor) {
    std::string out = "\x1b[";
    append_foreground(out, foreground_of(attr), truecolor);
    out.push_back(';');
    append_background(out, background_of(attr), truecolor);
    out.push_back('m');
    return out;
}

Presenter::Presenter(ByteSink& sink, PresenterOptions options) : sink_(sink), options_(options) {}

void Presenter::set_terminal_size(int columns, int rows) {
    if (columns == columns_ && rows == rows_) return;
    columns_ = columns;
    rows_ = rows;
    invalidate();
}

void Presenter::invalidate() {
    repaint_all_ = true;
    request_shown_ = false;
}

void Presenter::show_enlarge_request(std::string& out) {
    out += RESET_ATTRIBUTES;
    out += CLEAR_TERMINAL;
    out += HIDE_CURSOR;
    shown_.attr = -1;
    // One cell less than the width, so the request never makes the terminal wrap. The
    // longest form that fits is shown, so the needed size always stays in view.
    const auto room = static_cast<std::size_t>(std::max(0, columns_ - 1));
    std::string request(ENLARGE_REQUEST);
    request += " (teraz " + std::to_string(columns_) + " x " + std::to_string(rows_) + ")";
    if (request.size() > room) request = ENLARGE_REQUEST;
    if (request.size() > room) request = "80 x 25"; // the needed size alone
    out += "\x1b[1;1H";
    out.append(request, 0, room);
    shown_.cursor_col = -1;
    shown_.cursor_row = -1;
}

// The attribute most blank cells of `screen` have, and how many cells are not such blanks.
Presenter::CommonBlank Presenter::common_blank(const Screen& screen) {
    std::array<int, 256> blanks_in{};
    for (const Cell& cell : screen.cells)
        if (shows_blank(cell.glyph)) ++blanks_in[cell.attr];
    const auto most = std::max_element(blanks_in.begin(), blanks_in.end());
    return {static_cast<std::uint8_t>(most - blanks_in.begin()),
            SCREEN_COLUMNS * SCREEN_ROWS - *most};
}

// Clears the terminal in the attribute most blank cells of `screen` have, so that only the
// cells that differ from such a blank remain to be drawn. With `reset` the terminal's state is
// unknown: its colours are reset and its cursor hidden first.
void Presenter::clear_terminal(std::string& out, Shown& shown, const Screen& screen,
                               bool reset) const {
    if (reset) {
        out += RESET_ATTRIBUTES;
        out += HIDE_CURSOR;
        shown.attr = -1;
        shown.cursor_col = -1;
        shown.cursor_row = -1;
    }
    const std::uint8_t attr = common_blank(screen).attr;
    use_attr(out, shown, attr);
    out += CLEAR_TERMINAL;
    shown.cells.fill(Cell{' ', attr});
}

void Presenter::draw_rows(std::string& out, Shown& shown, const Screen& screen,
                          std::uint32_t rows) const {
    for (int row = 0; row < SCREEN_ROWS; ++row)
        if ((rows & (1u << row)) != 0) draw_row(out, shown, screen, row);
}

// Sends the cells of one row that look different from what the terminal shows. Where the
// row ends in blanks of one attribute and enough of them differ, one erase to the end of the
// row does it.
void Presenter::draw_row(std::string& out, Shown& shown, const Screen& screen, int row) const {
    const Cell* line = &screen.cells[static_cast<std::size_t>(row) * SCREEN_COLUMNS];
    Cell* terminal = &shown.cells[static_cast<std::size_t>(row) * SCREEN_COLUMNS];

    int blank_end = SCREEN_COLUMNS; // first column of the row's blank end
    const Cell& last = line[SCREEN_COLUMNS - 1];
    if (shows_blank(last.glyph)) {
        blank_end = SCREEN_COLUMNS - 1;
        while (blank_end > 0 && shows_blank(line[blank_end - 1].glyph) &&
               line[blank_end - 1].attr == last.attr)
            --blank_end;
    }
    for (int col = 0; col < SCREEN_COLUMNS; ++col) {
        if (looks_same(line[col], terminal[col])) continue;
        if (col >= blank_end) {
            int differing = 0;
            for (int c = col; c < SCREEN_COLUMNS; ++c)
                differing += looks_same(line[c], terminal[c]) ? 0 : 1;
            const bool last_differs = !looks_same(last, terminal[SCREEN_COLUMNS - 1]);
            if (differing >= CELLS_WORTH_AN_ERASE || last_differs) {
                move_cursor(out, shown, col, row);
                use_attr(out, shown, last.attr);
                out += ERASE_TO_END_OF_LINE;
                std::copy(line + col, line + SCREEN_COLUMNS, terminal + col);
                return;
            }
        }
        put_cell(out, shown, col, row, line[col]);
    }
}

// Moves the terminal cursor to (col, row) by the shortest of: an absolute move, relative
// moves from where it stands, or writing again the few cells it has to cross in its row.
void Presenter::move_cursor(std::string& out, Shown& shown, int col, int row) const {
    if (shown.cursor_col == col && shown.cursor_row == row) return;
    const bool known = shown.cursor_col >= 0 && shown.cursor_row >= 0;
    const int dx = col - shown.cursor_col;
    const int dy = row - shown.cursor_row;
    const Cell* terminal = &shown.cells[static_cast<std::size_t>(row) * SCREEN_COLUMNS];

    enum class Way { absolute, relative, rewrite } way = Way::absolute;
    int best = 3 + digit_count(row + 1) + (col != 0 ? 1 + digit_count(col + 1) : 0);
    bool by_column = false; // the relative move reaches the column absolutely
    if (known) {
        const int vertical = dy == 0 ? 0 : csi_length(dy > 0 ? dy : -dy);
        const int horizontal = dx == 0 ? 0 : csi_length(dx > 0 ? dx : -dx);
        const int to_column = dx == 0 ? 0 : csi_length(col + 1);
        by_column = to_column < horizontal;
        const int relative = vertical + (by_column ? to_column : horizontal);
        if (relative < best) {
            best = relative;
            way = Way::relative;
        }
        if (dy == 0 && dx > 0 && dx <= LONGEST_REWRITTEN_GAP && dx < best && shown.attr >= 0) {
            // Cells written again in the colour in force must look as they do now.
            bool same_look = true;
            for (int c = shown.cursor_col; c < col && same_look; ++c) {
                const Cell& cell = terminal[c];
                same_look =
                    cell.attr == shown.attr && (cell.glyph < 128 || shows_blank(cell.glyph));
            }
            if (same_look) way = Way::rewrite;
        }
    }
    switch (way) {
    case Way::absolute:
        out += "\x1b[";
        append_number(out, row + 1);
        if (col != 0) {
            out.push_back(';');
            append_number(out, col + 1);
        }
        out.push_back('H');
        break;
    case Way::relative:
        if (dy != 0) append_csi(out, dy > 0 ? dy : -dy, dy > 0 ? 'B' : 'A');
        if (dx != 0 && by_column) append_csi(out, col + 1, 'G');
        if (dx != 0 && !by_column) append_csi(out, dx > 0 ? dx : -dx, dx > 0 ? 'C' : 'D');
        break;
    case Way::rewrite:
        for (int c = shown.cursor_col; c < col; ++c)
            out.push_back(shows_blank(terminal[c].glyph) ? ' '
                                                         : static_cast<char>(terminal[c].glyph));
        break;
    }
    shown.cursor_col = col;
    shown.cursor_row = row;
}

// Puts attribute `attr` in force, sending only the half (foreground, background) that differs.
void Presenter::use_attr(std::string& out, Shown& shown, std::uint8_t attr) const {
    if (shown.attr == attr) return;
    if (shown.attr < 0) {
        out += attribute_sgr(attr, options_.truecolor);
    } else {
        const bool same_foreground = foreground_of(shown.attr) == foreground_of(attr);
        const bool same_background = background_of(shown.attr) == background_of(attr);
        out += "\x1b[";
        if (!same_foreground) append_foreground(out, foreground_of(attr), options_.truecolor);
        if (!same_foreground && !same_background) out.push_back(';');
        if (!same_background) append_background(out, background_of(attr), options_.truecolor);
        out.push_back('m');
    }
    shown.attr = attr;
}

void Presenter::put_cell(std::string& out, Shown& shown, int col, int row, const Cell& cell) const {
    move_cursor(out, shown, col, row);
    use_attr(out, shown, cell.attr);
    const std::uint8_t glyph = shows_blank(cell.glyph) ? ' ' : cell.glyph;
    if (glyph < 128)
        out.push_back(static_cast<char>(glyph));
    else if (options_.utf8)
        append_utf8(out, cp852_code_point(glyph));
    else
        out.push_back(ascii_stand_in(glyph));
    shown.cells[static_cast<std::size_t>(row) * SCREEN_COLUMNS + col] = cell;
    // After the last column the terminal waits to wrap; its cursor position is not reliable.
    const bool trusted = col + 1 < SCREEN_COLUMNS && !(options_.utf8 && glyph == GLYPH_SOFT_HYPHEN);
    shown.cursor_col = trusted ? col + 1 : -1;
}

void Presenter::present(Screen& screen) {
    std::string out;
    if (columns_ < MIN_TERMINAL_COLUMNS || rows_ < MIN_TERMINAL_ROWS) {
        if (!request_shown_ && columns_ > 0 && rows_ > 0) {
            show_enlarge_request(out);
            request_shown_ = true;
        }
        repaint_all_ = true; // the request covers the screen until the window is large enough
    } else if (repaint_all_) {
        clear_terminal(out, shown_, screen, true);
        draw_rows(out, shown_, screen, (1u << SCREEN_ROWS) - 1);
        repaint_all_ = false;
    } else if (std::popcount(screen.dirty_rows) >= ROWS_WORTH_A_CLEAR) {
        Shown changed = shown_;
        draw_rows(out, changed, screen, screen.dirty_rows);
        // After a clear every cell that is not a blank on the cleared background costs at
        // least a byte: only a longer change is worth comparing with a clear.
        if (out.size() > static_cast<std::size_t>(common_blank(screen).other_cells)) {
            Shown cleared = shown_;
            std::string clear_first;
            clear_terminal(clear_first, cleared, screen, false);
            draw_rows(clear_first, cleared, screen, (1u << SCREEN_ROWS) - 1);
            if (clear_first.size() < out.size()) {
                out = std::move(clear_first);
                changed = cleared;
            }
        }
        shown_ = changed;
    } else {
        draw_rows(out, shown_, screen, screen.dirty_rows);
    }
    screen.dirty_rows = 0;
    if (!out.empty()) sink_.write(out);
}

} // namespace zk
