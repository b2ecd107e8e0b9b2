// The console's ANSI presenter: what changed on the screen model, sent to the terminal in as few
// bytes as it can find.

#include "console/presenter.hpp"

#include "console/ansi_sequences.hpp"
#include "text/cp852.hpp"
#include "text/utf8.hpp"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace zk {

namespace {

constexpr std::string_view RESET_ATTRIBUTES = SGR_RESET.view();
constexpr std::string_view CLEAR_TERMINAL = "\x1b[2J";
constexpr std::string_view HIDE_CURSOR = "\x1b[?25l";

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
// The longest move left sent as backspaces (one byte a column) rather than a control sequence.
constexpr int LONGEST_BACKSPACE_MOVE = 3;
constexpr char BACKSPACE = '\b';
// One row down in the same column where the terminal takes LF as it is (no CR added).
constexpr char LINE_FEED = '\n';
// One row up in the same column (reverse index); the presenter never sends it on the top row,
// where it would scroll.
constexpr std::string_view REVERSE_INDEX = "\x1bM";
// The shortest run of blanks in one attribute erased with erase-characters (ESC [ n X).
constexpr int SHORTEST_ERASED_RUN = 6;

// True for the bytes the terminal shows as a blank cell.
bool shows_blank(std::uint8_t glyph) {
    return glyph == ' ' || is_control_byte(glyph);
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

constexpr int COLOUR_COUNT = 16;

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
    if (codeset == nullptr) return false;
    std::string name(codeset); // compared ignoring ASCII case
    for (char& ch : name) ch = ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
    return name == "UTF-8" || name == "UTF8";
}

} // namespace

PresenterOptions presenter_options(const char* codeset, const char* colorterm, const char* term) {
    PresenterOptions options;
    options.utf8 = is_utf8_codeset(codeset);
    options.colours = colour_mode(colorterm, term);
    return options;
}

bool is_dumb_terminal(const char* term) {
    return term != nullptr && std::strcmp(term, "dumb") == 0;
}

Presenter::Presenter(ByteSink& sink, const EnlargeRequest& enlarge, PresenterOptions options)
    : sink_(sink), enlarge_(enlarge), options_(options) {
    for (int colour = 0; colour < COLOUR_COUNT; ++colour) {
        std::string half;
        append_foreground_sgr(half, colour, options_.colours, options_.palette);
        foreground_length_[colour] = static_cast<int>(half.size());
        half.clear();
        append_background_sgr(half, colour, options_.colours, options_.palette);
        background_length_[colour] = static_cast<int>(half.size());
    }
}

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
    // One cell less than the width, so the request never makes the terminal wrap.
    const TerminalSize now{columns_, rows_};
    out += "\x1b[1;1H";
    out += fit_enlarge_request(enlarge_, columns_ - 1, &now);
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
// cells that differ from such a blank remain to be drawn. When the terminal's state is
// unknown its colours are reset and its cursor hidden first.
void Presenter::clear_terminal(std::string& out, Shown& shown, const Screen& screen,
                               TerminalState state) const {
    if (state == TerminalState::unknown) {
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

// Sends the cells of `rows` that look different from what the terminal shows, in reading
// order or grouped by colour, whichever takes fewer bytes.
void Presenter::draw_rows(std::string& out, Shown& shown, const Screen& screen,
                          std::uint32_t rows) const {
    std::vector<Piece> pieces;
    for (int row = 0; row < SCREEN_ROWS; ++row)
        if ((rows & (1u << row)) != 0) collect_pieces(pieces, shown, screen, row);
    if (pieces.empty()) return;

    Shown in_order = shown;
    std::string in_order_out;
    draw_pieces(in_order_out, in_order, screen, pieces, PieceOrder::as_given);
    if (pieces.size() > 1) {
        Shown grouped = shown;
        std::string grouped_out;
        draw_pieces(grouped_out, grouped, screen, pieces, PieceOrder::grouped_by_colour);
        if (grouped_out.size() < in_order_out.size()) {
            out += grouped_out;
            shown = grouped;
            return;
        }
    }
    out += in_order_out;
    shown = in_order;
}

// Adds the pieces that bring one row of the terminal to what `screen` shows: runs of cells to
// write in one attribute, runs of blanks to erase with erase-characters, and, where the row
// ends in blanks of one attribute and enough of them differ, one erase to the end of the row.
void Presenter::collect_pieces(std::vector<Piece>& pieces, const Shown& shown, const Screen& screen,
                               int row) const {
    const Cell* line = &screen.cells[static_cast<std::size_t>(row) * SCREEN_COLUMNS];
    const Cell* terminal = &shown.cells[static_cast<std::size_t>(row) * SCREEN_COLUMNS];

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
                pieces.push_back({Piece::Kind::erase_line, row, col, SCREEN_COLUMNS, last.attr});
                return;
            }
        }
        if (const int run = erased_run(shown, screen, col, row); run > 0) {
            pieces.push_back({Piece::Kind::erase_chars, row, col, col + run, line[col].attr});
            col += run - 1;
            continue;
        }
        Piece* previous = pieces.empty() ? nullptr : &pieces.back();
        if (previous != nullptr && previous->kind == Piece::Kind::text && previous->row == row &&
            previous->end == col && previous->attr == line[col].attr)
            ++previous->end;
        else
            pieces.push_back({Piece::Kind::text, row, col, col + 1, line[col].attr});
    }
}

// Length of the sequence use_attr sends to change the colours in force from `from` (-1:
// unknown) to `to`.
int Presenter::colour_cost(int from, int to) const {
    if (from == to) return 0;
    const bool fg = from < 0 || foreground_of(from) != foreground_of(to);
    const bool bg = from < 0 || background_of(from) != background_of(to);
    return 3 + (fg ? foreground_length_[foreground_of(to)] : 0) +
           (bg ? background_length_[background_of(to)] : 0) + (fg && bg ? 1 : 0);
}

// Sends `pieces` in the order given or, grouped by colour, always the piece that the move to it
// and the change of colour make cheapest next (the earliest of equals), so that cells of one
// colour go together.
void Presenter::draw_pieces(std::string& out, Shown& shown, const Screen& screen,
                            const std::vector<Piece>& pieces, PieceOrder order) const {
    std::vector<bool> done(pieces.size(), false);
    for (std::size_t n = 0; n < pieces.size(); ++n) {
        std::size_t next = n;
        if (order == PieceOrder::grouped_by_colour) {
            int best = -1;
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                if (done[i]) continue;
                const Piece& piece = pieces[i];
                int cost = colour_cost(shown.attr, piece.attr);
                if (best >= 0 && cost >= best) continue;
                cost += plan_move(shown, shown.attr, shown.cursor_col, shown.cursor_row, piece.col,
                                  piece.row)
                            .cost;
                if (best < 0 || cost < best) {
                    best = cost;
                    next = i;
                }
                if (best == 0) break;
            }
        }
        done[next] = true;
        draw_piece(out, shown, screen, pieces[next]);
    }
}

void Presenter::draw_piece(std::string& out, Shown& shown, const Screen& screen,
                           const Piece& piece) const {
    const Cell* line = &screen.cells[static_cast<std::size_t>(piece.row) * SCREEN_COLUMNS];
    Cell* terminal = &shown.cells[static_cast<std::size_t>(piece.row) * SCREEN_COLUMNS];
    switch (piece.kind) {
    case Piece::Kind::text:
        for (int col = piece.col; col < piece.end; ++col)
            put_cell(out, shown, col, piece.row, line[col]);
        return;
    case Piece::Kind::erase_chars:
    case Piece::Kind::erase_line:
        move_cursor(out, shown, piece.col, piece.row);
        use_attr(out, shown, piece.attr);
        // Both erase in the colours in force and leave the cursor where it stands.
        if (piece.kind == Piece::Kind::erase_line)
            out += ERASE_TO_END_OF_LINE;
        else
            append_csi(out, piece.end - piece.col, 'X');
        std::copy(line + piece.col, line + piece.end, terminal + piece.col);
        return;
    }
}

// The number of cells from (col, row) worth erasing with erase-characters rather than
// writing: a run of at least SHORTEST_ERASED_RUN blanks in one attribute up to the last cell
// in it that differs from the terminal, when the erase and the move on to the row's next
// change are shorter than writing the blanks; 0 otherwise.
int Presenter::erased_run(const Shown& shown, const Screen& screen, int col, int row) const {
    const Cell* line = &screen.cells[static_cast<std::size_t>(row) * SCREEN_COLUMNS];
    const Cell* terminal = &shown.cells[static_cast<std::size_t>(row) * SCREEN_COLUMNS];
    if (!shows_blank(line[col].glyph)) return 0;
    const std::uint8_t attr = line[col].attr;
    int run = 0;
    for (int c = col; c < SCREEN_COLUMNS && shows_blank(line[c].glyph) && line[c].attr == attr; ++c)
        if (!looks_same(line[c], terminal[c])) run = c - col + 1;
    if (run < SHORTEST_ERASED_RUN) return 0;
    int next = col + run; // the row's next cell to change, if any
    while (next < SCREEN_COLUMNS && looks_same(line[next], terminal[next])) ++next;
    int erase = csi_length(run);
    int write = run;
    if (next < SCREEN_COLUMNS) {
        erase += plan_move(shown, attr, col, row, next, row).cost;
        write += plan_move(shown, attr, col + run, row, next, row).cost;
    }
    return erase < write ? run : 0;
}

// Works out the shortest way to bring the terminal cursor to (col, row): an absolute move,
// relative moves from where it stands (line feeds down, a reverse index one row up,
// backspaces for one to three columns left), or writing
// again the few cells it has to cross in its row.
Presenter::Move Presenter::plan_move(const Shown& shown, int attr, int from_col, int from_row,
                                     int col, int row) const {
    Move move;
    if (from_col == col && from_row == row) return move;
    move.way = Move::Way::absolute;
    move.cost = 3 + digit_count(row + 1) + (col != 0 ? 1 + digit_count(col + 1) : 0);
    if (from_col < 0 || from_row < 0) return move;

    const int dx = col - from_col;
    const int dy = row - from_row;
    int vertical = 0;
    if (dy != 0) {
        vertical = csi_length(dy > 0 ? dy : -dy);
        move.vertical = Move::Vertical::relative;
        // Neither scrolls: the target row is on the screen, so the cursor does not stand on
        // the row where a line feed or a reverse index would scroll.
        if (dy > 0 && options_.line_feed_moves_down && dy < vertical) {
            vertical = dy;
            move.vertical = Move::Vertical::line_feeds;
        } else if (dy == -1 && static_cast<int>(REVERSE_INDEX.size()) < vertical) {
            vertical = static_cast<int>(REVERSE_INDEX.size());
            move.vertical = Move::Vertical::reverse_index;
        }
    }
    int horizontal = 0;
    if (dx != 0) {
        horizontal = csi_length(dx > 0 ? dx : -dx);
        move.horizontal = Move::Horizontal::relative;
        if (dx < 0 && -dx <= LONGEST_BACKSPACE_MOVE) {
            horizontal = -dx;
            move.horizontal = Move::Horizontal::backspace;
        }
        if (csi_length(col + 1) < horizontal) {
            horizontal = csi_length(col + 1);
            move.horizontal = Move::Horizontal::to_column;
        }
    }
    if (vertical + horizontal < move.cost) {
        move.way = Move::Way::relative;
        move.cost = vertical + horizontal;
    }
    if (dy == 0 && dx > 0 && dx <= LONGEST_REWRITTEN_GAP && dx < move.cost && attr >= 0) {
        // Cells written again in the colour in force must look as they do now.
        const Cell* terminal = &shown.cells[static_cast<std::size_t>(row) * SCREEN_COLUMNS];
        bool same_look = true;
        for (int c = from_col; c < col && same_look; ++c) {
            const Cell& cell = terminal[c];
            same_look = cell.attr == attr && (cell.glyph < 128 || shows_blank(cell.glyph));
        }
        if (same_look) {
            move.way = Move::Way::rewrite;
            move.cost = dx;
        }
    }
    return move;
}

// Moves the terminal cursor to (col, row) the shortest way.
void Presenter::move_cursor(std::string& out, Shown& shown, int col, int row) const {
    const Move move = plan_move(shown, shown.attr, shown.cursor_col, shown.cursor_row, col, row);
    const int dx = col - shown.cursor_col;
    const int dy = row - shown.cursor_row;
    const Cell* terminal = &shown.cells[static_cast<std::size_t>(row) * SCREEN_COLUMNS];
    switch (move.way) {
    case Move::Way::none:
        return;
    case Move::Way::absolute:
        out += "\x1b[";
        append_number(out, row + 1);
        if (col != 0) {
            out.push_back(';');
            append_number(out, col + 1);
        }
        out.push_back('H');
        break;
    case Move::Way::relative:
        if (move.vertical == Move::Vertical::line_feeds)
            out.append(static_cast<std::size_t>(dy), LINE_FEED);
        else if (move.vertical == Move::Vertical::reverse_index)
            out += REVERSE_INDEX;
        else if (dy != 0)
            append_csi(out, dy > 0 ? dy : -dy, dy > 0 ? 'B' : 'A');
        if (dx == 0) break;
        if (move.horizontal == Move::Horizontal::backspace)
            out.append(static_cast<std::size_t>(-dx), BACKSPACE);
        else if (move.horizontal == Move::Horizontal::to_column)
            append_csi(out, col + 1, 'G');
        else
            append_csi(out, dx > 0 ? dx : -dx, dx > 0 ? 'C' : 'D');
        break;
    case Move::Way::rewrite:
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
        out += attribute_sgr(attr, options_.colours, options_.palette);
    } else {
        const bool same_foreground = foreground_of(shown.attr) == foreground_of(attr);
        const bool same_background = background_of(shown.attr) == background_of(attr);
        out += "\x1b[";
        if (!same_foreground)
            append_foreground_sgr(out, foreground_of(attr), options_.colours, options_.palette);
        if (!same_foreground && !same_background) out.push_back(';');
        if (!same_background)
            append_background_sgr(out, background_of(attr), options_.colours, options_.palette);
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
    if (is_window_too_small({columns_, rows_})) {
        if (!request_shown_ && columns_ > 0 && rows_ > 0) {
            show_enlarge_request(out);
            request_shown_ = true;
        }
        repaint_all_ = true; // the request covers the screen until the window is large enough
    } else if (repaint_all_) {
        clear_terminal(out, shown_, screen, TerminalState::unknown);
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
            clear_terminal(clear_first, cleared, screen, TerminalState::as_shown);
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
    if (!out.empty() && !sink_.write(out)) invalidate();
}

} // namespace zk
