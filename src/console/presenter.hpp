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
class Presenter {
  public:
    explicit Presenter(ByteSink& sink, PresenterOptions options = {});

    /// Records the terminal's size. A change of size repaints everything at the next present;
    /// below 80 x 25 only the enlarge request is shown, and the model is kept untouched.
    void set_terminal_size(int columns, int rows);

    /// Makes the next present() clear the terminal and repaint every cell.
    void invalidate();

    /// Sends the cells of `screen` that differ from what the terminal shows: a cursor move
    /// only where the terminal cursor is not already at the cell, a colour change only where
    /// the attribute differs from the last one sent. Bytes below 32 and 127 show as blanks.
    /// Clears screen.dirty_rows. Writes to the sink once, and only when there is something.
    void present(Screen& screen);

  private:
    void begin_full_repaint(std::string& out);
    void show_enlarge_request(std::string& out);
    void put_cell(std::string& out, int col, int row, const Cell& cell);

    ByteSink& sink_;
    PresenterOptions options_;
    int columns_ = MIN_TERMINAL_COLUMNS;
    int rows_ = MIN_TERMINAL_ROWS;
    bool repaint_all_ = true;    // the terminal's contents are unknown
    bool request_shown_ = false; // the enlarge request stands on the terminal
    int sent_attr_ = -1;         // attribute in force on the terminal, -1 unknown
    int cursor_col_ = -1;        // where the terminal cursor stands, -1 unknown
    int cursor_row_ = -1;
    std::array<Cell, SCREEN_COLUMNS * SCREEN_ROWS> shown_{}; // what the terminal shows
};

} // namespace zk
