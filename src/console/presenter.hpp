#pragma once

#include "console/screen.hpp"

#include <array>
#include <string>
#include <string_view>

namespace zk {

/// Where the presenter's bytes go: the terminal, or memory in tests and benchmarks.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    /// Takes all of `bytes`, in order.
    virtual void write(std::string_view bytes) = 0;
};

/// Keeps every byte written to it.
class StringSink : public ByteSink {
  public:
    void write(std::string_view bytes) override { this->bytes += bytes; }
    std::string bytes;
};

/// How the terminal shows glyphs and colours.
struct PresenterOptions {
    bool utf8 = true;       ///< glyph bytes as UTF-8 code page 852 characters, else ASCII stand-ins
    bool truecolor = false; ///< 24-bit colours of the classic console palette, else 16 colours
};

/// Options for the locale's character set name (nl_langinfo(CODESET)) and the value of
/// COLORTERM; either may be null. UTF-8 only when the character set is UTF-8; 24-bit colour
/// only when COLORTERM is "truecolor" or "24bit".
PresenterOptions presenter_options(const char* codeset, const char* colorterm);

/// The smallest window that shows the whole screen.
inline constexpr int MIN_TERMINAL_COLUMNS = SCREEN_COLUMNS;
inline constexpr int MIN_TERMINAL_ROWS = SCREEN_ROWS;

/// The request shown alone on the first row while the window is smaller than the screen.
inline constexpr std::string_view ENLARGE_REQUEST = "Powieksz okno do 80 x 25";

/// The SGR sequence that selects console attribute `attr` (foreground and background).
std::string attribute_sgr(std::uint8_t attr, bool truecolor);

/// Shows a Screen on a terminal at rows 1..25, columns 1..80 (absolute positions, no
/// alternate screen), sending only what differs from what the terminal already shows.
///
/// The terminal is taken to erase in the colours in force (as xterm and its descendants, VTE,
/// tmux, kitty and libvterm do), so runs of blank cells are often erased rather than written.
class Presenter {
  public:
    explicit Presenter(ByteSink& sink, PresenterOptions options = {});

    /// Records the terminal's size. A change of size repaints everything at the next present;
    /// below 80 x 25 only the enlarge request is shown, and the model is kept untouched.
    void set_terminal_size(int columns, int rows);

    /// Makes the next present() reset the colours, clear the terminal in the screen's most
    /// common blank attribute and draw every cell that differs from such a blank.
    void invalidate();

    /// Sends what it takes for the terminal to show `screen`: every cell that differs from
    /// what the terminal shows, a blank end of a row as one erase, a screen that changed almost
    /// everywhere as a clear and the cells that are not blanks in the clear's attribute.
    /// Chooses the shortest cursor move and sends only the half of an attribute (foreground,
    /// background) that changes. Bytes below 32 and 127 show as blanks. Clears
    /// screen.dirty_rows. Writes to the sink once, and only when there is something.
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
    void clear_terminal(std::string& out, Shown& shown, const Screen& screen, bool reset) const;
    void draw_rows(std::string& out, Shown& shown, const Screen& screen, std::uint32_t rows) const;
    void draw_row(std::string& out, Shown& shown, const Screen& screen, int row) const;
    void move_cursor(std::string& out, Shown& shown, int col, int row) const;
    void use_attr(std::string& out, Shown& shown, std::uint8_t attr) const;
    void put_cell(std::string& out, Shown& shown, int col, int row, const Cell& cell) const;

    ByteSink& sink_;
    PresenterOptions options_;
    int columns_ = MIN_TERMINAL_COLUMNS;
    int rows_ = MIN_TERMINAL_ROWS;
    bool repaint_all_ = true;    // the terminal's contents are unknown
    bool request_shown_ = false; // the enlarge request stands on the terminal
    Shown shown_;
};

} // namespace zk
