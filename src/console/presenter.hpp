#pragma once

// Console: the ANSI presenter that shows the screen model on a terminal, and its options.

#include "console/byte_sink.hpp"
#include "console/colour_sgr.hpp"
#include "console/enlarge_request.hpp"
#include "console/palette.hpp"
#include "console/screen.hpp"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

/// How the terminal shows glyphs and colours.
struct PresenterOptions {
    bool utf8 = true; ///< glyph bytes as UTF-8 code page 852 characters, else ASCII stand-ins
    ColourMode colours = ColourMode::basic16;
    Palette palette = Palette::classic; ///< the colours sent in the 256-colour and 24-bit modes
    /// The terminal moves the cursor one row down in its column on LF (its output processing
    /// is off), so line feeds may move the cursor down.
    bool line_feed_moves_down = false;
};

/// Options for the locale's character set name (nl_langinfo(CODESET)), the value of
/// COLORTERM and the value of TERM; any may be null. UTF-8 only when the character set is
/// UTF-8; the colours that colour_mode gives for COLORTERM and TERM.
PresenterOptions presenter_options(const char* codeset, const char* colorterm, const char* term);

/// True when TERM names a terminal that cannot position the cursor ("dumb"), on which the
/// game cannot draw its screen.
bool is_dumb_terminal(const char* term);

/// Shows a Screen on a terminal at rows 1..25, columns 1..80 (absolute positions, no
/// alternate screen), sending only what differs from what the terminal already shows.
///
/// The terminal is taken to erase in the colours in force (as xterm and its descendants, VTE,
/// tmux, kitty and libvterm do), so runs of blank cells are often erased rather than written.
class Presenter {
  public:
    /// `enlarge`: what is shown, fitted to the window by fit_enlarge_request with the window's
    /// size, while the window is smaller than the screen.
    Presenter(ByteSink& sink, const EnlargeRequest& enlarge, PresenterOptions options = {});

    /// Records the terminal's size. A change of size repaints everything at the next present;
    /// below 80 x 25 only the enlarge request is shown, and the model is kept untouched.
    void set_terminal_size(int columns, int rows);

    /// Makes the next present() reset the colours, clear the terminal in the screen's most
    /// common blank attribute and draw every cell that differs from such a blank.
    void invalidate();

    /// Sends what it takes for the terminal to show `screen`: every cell that differs from
    /// what the terminal shows, a blank end of a row as one erase, a run of blanks in one
    /// attribute as erase-characters where that is shorter, a screen that changed almost
    /// everywhere as a clear and the cells that are not blanks in the clear's attribute.
    /// Sends the changes in reading order or grouped by colour, whichever is shorter; chooses
    /// the shortest cursor move (backspaces for one to three columns left) and sends only the
    /// half of an attribute (foreground, background) that changes, both halves in one
    /// sequence; moves down by line feeds where the options allow and one row up by a reverse
    /// index where that is shorter. Bytes below 32 and 127 show as blanks. Clears
    /// screen.dirty_rows. Writes to the sink once, and only when there is something; when the
    /// sink reports a failed write, what the terminal shows is unknown and the next present
    /// repaints everything.
    void present(Screen& screen);

  private:
    /// What the terminal shows and where its cursor and colours stand.
    struct Shown {
        int attr = -1;       // attribute in force on the terminal, -1 unknown
        int cursor_col = -1; // where the terminal cursor stands, -1 unknown
        int cursor_row = -1;
        std::array<Cell, SCREEN_COLUMNS * SCREEN_ROWS> cells{};
    };

    struct CommonBlank {
        std::uint8_t attr; // the attribute most blank cells have
        int other_cells;   // cells that are not blanks in it
    };
    static CommonBlank common_blank(const Screen& screen);

    void show_enlarge_request(std::string& out);
    /// What the terminal's colours and cursor are known to be before a clear.
    enum class TerminalState { as_shown, unknown };
    void clear_terminal(std::string& out, Shown& shown, const Screen& screen,
                        TerminalState state) const;
    void draw_rows(std::string& out, Shown& shown, const Screen& screen, std::uint32_t rows) const;
    /// A stretch of one row to bring up to date: cells to write, blanks to erase with
    /// erase-characters, or the row's end to erase; cells [col, end) in attribute `attr`.
    struct Piece {
        enum class Kind { text, erase_chars, erase_line } kind;
        int row;
        int col;
        int end;
        std::uint8_t attr;
    };
    void collect_pieces(std::vector<Piece>& pieces, const Shown& shown, const Screen& screen,
                        int row) const;
    int colour_cost(int from, int to) const;
    /// The order pieces are sent in.
    enum class PieceOrder { as_given, grouped_by_colour };
    void draw_pieces(std::string& out, Shown& shown, const Screen& screen,
                     const std::vector<Piece>& pieces, PieceOrder order) const;
    void draw_piece(std::string& out, Shown& shown, const Screen& screen, const Piece& piece) const;
    /// A way to bring the terminal cursor somewhere, and its length in bytes.
    struct Move {
        enum class Way { none, absolute, relative, rewrite } way = Way::none;
        enum class Vertical { relative, line_feeds, reverse_index } vertical = Vertical::relative;
        enum class Horizontal { relative, backspace, to_column } horizontal = Horizontal::relative;
        int cost = 0;
    };
    Move plan_move(const Shown& shown, int attr, int from_col, int from_row, int col,
                   int row) const;
    void move_cursor(std::string& out, Shown& shown, int col, int row) const;
    int erased_run(const Shown& shown, const Screen& screen, int col, int row) const;
    void use_attr(std::string& out, Shown& shown, std::uint8_t attr) const;
    void put_cell(std::string& out, Shown& shown, int col, int row, const Cell& cell) const;

    ByteSink& sink_;
    EnlargeRequest enlarge_;
    PresenterOptions options_;
    int columns_ = MIN_TERMINAL_COLUMNS;
    int rows_ = MIN_TERMINAL_ROWS;
    bool repaint_all_ = true;    // the terminal's contents are unknown
    bool request_shown_ = false; // the enlarge request stands on the terminal
    Shown shown_;
    std::array<int, 16> foreground_length_{}; // length of each colour's foreground parameters
    std::array<int, 16> background_length_{};
};

} // namespace zk
