#pragma once

// Test support: a model terminal that plays back what a presenter sends.

#include "console/presenter.hpp"
#include "console/screen.hpp"
#include "terminal_colours.hpp"
#include "text/cp852.hpp"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zk::test {

/// A model terminal of 80 x 25 cells that plays back what a presenter sends, so tests can
/// check what the terminal ends up showing rather than the exact bytes. It knows the sequences
/// a presenter may use (absolute and relative cursor moves, backspace, line feed taken as one
/// row down with output processing off, reverse index, colours in 16 colours,
/// 256 colours and 24 bits, clear, erase to the end of the line, erase characters, cursor
/// visibility), erases in the colours in force, wraps only when a byte follows one written in
/// the last column, and records anything else as an error, as well as a backspace while a wrap
/// is pending (terminals disagree on where it goes) and a line feed or reverse index that would
/// scroll. A 256-colour index shows as the classic
/// console colour nearest its value, provided one is near (each channel within 32). Colours it
/// has not been told are -1 (the terminal's own default).
class ReplayTerminal {
  public:
    struct Shown {
        char32_t ch = U' ';
        int fg = -1;
        int bg = -1;
    };

    explicit ReplayTerminal(bool utf8 = true) : utf8_(utf8) {}

    void feed(std::string_view bytes) {
        for (char c : bytes) feed_byte(static_cast<std::uint8_t>(c));
    }

    const Shown& at(int col, int row) const { return cells_[row * SCREEN_COLUMNS + col]; }
    const std::vector<std::string>& errors() const { return errors_; }

    /// Every cell that does not show as `screen` says, as "row,col" texts; empty when all do.
    /// Glyphs show as the presenter promises, bytes below 32 and 127 as blanks; the colours
    /// are compared for every cell, blanks too.
    std::vector<std::string> differences(const Screen& screen) const {
        std::vector<std::string> out;
        for (int row = 0; row < SCREEN_ROWS; ++row) {
            for (int col = 0; col < SCREEN_COLUMNS; ++col) {
                const Cell& want = screen.cell(row, col);
                const Shown& got = at(col, row);
                const bool blank = want.glyph == ' ' || want.glyph < 32 || want.glyph == 127;
                const bool same = got.bg == (want.attr >> 4) && got.fg == (want.attr & 15) &&
                                  got.ch == (blank ? U' ' : expected_char(want.glyph));
                if (!same) out.push_back(std::to_string(row) + "," + std::to_string(col));
            }
        }
        return out;
    }

  private:
    char32_t expected_char(std::uint8_t glyph) const {
        if (glyph < 128) return glyph;
        return utf8_ ? cp852_code_point(glyph) : static_cast<char32_t>(ascii_stand_in(glyph));
    }

    // A colour the replay does not know never matches a cell's: -2.
    static int known(int colour) { return colour < 0 ? -2 : colour; }

    void feed_byte(std::uint8_t b) {
        if (state_ == State::escape) {
            state_ = b == '[' ? State::csi : State::text;
            params_.clear();
            if (b == 'M')
                step_row(-1);
            else if (b != '[')
                errors_.push_back("ESC followed by " + std::to_string(b));
            return;
        }
        if (state_ == State::csi) {
            if ((b >= '0' && b <= '9') || b == ';' || b == '?') {
                params_.push_back(static_cast<char>(b));
                return;
            }
            state_ = State::text;
            control(static_cast<char>(b));
            return;
        }
        if (b == 0x1b) {
            state_ = State::escape;
            return;
        }
        if (b == '\b') {
            if (wrap_pending_) errors_.push_back("backspace while a wrap is pending");
            if (col_ > 0) --col_;
            wrap_pending_ = false;
            return;
        }
        if (b == '\n') {
            step_row(1);
            return;
        }
        if (b < 32 || b == 127) {
            errors_.push_back("control byte " + std::to_string(b));
            return;
        }
        if (!utf8_ || b < 0x80) {
            print(b);
        } else if (b >= 0xC0) {
            pending_ = b >= 0xF0 ? b & 0x07 : b >= 0xE0 ? b & 0x0F : b & 0x1F;
            continuation_ = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
        } else if (continuation_ > 0) {
            pending_ = pending_ << 6 | (b & 0x3F);
            if (--continuation_ == 0) print(pending_);
        } else {
            errors_.push_back("stray UTF-8 continuation byte");
        }
    }

    // One row down (line feed) or up (reverse index) in the same column.
    void step_row(int by) {
        if (row_ + by < 0 || row_ + by >= SCREEN_ROWS)
            errors_.push_back("line feed or reverse index scrolled the terminal");
        else
            row_ += by;
        wrap_pending_ = false;
    }

    void print(char32_t ch) {
        if (wrap_pending_) {
            col_ = 0;
            ++row_;
            wrap_pending_ = false;
            if (row_ == SCREEN_ROWS) {
                errors_.push_back("output scrolled the terminal");
                row_ = SCREEN_ROWS - 1;
            }
        }
        cells_[row_ * SCREEN_COLUMNS + col_] = Shown{ch, fg_, bg_};
        if (col_ == SCREEN_COLUMNS - 1)
            wrap_pending_ = true;
        else
            ++col_;
    }

    std::vector<int> numbers() const {
        std::vector<int> out;
        std::string part;
        for (char c : params_ + ";") {
            if (c == ';') {
                out.push_back(part.empty() ? -1 : std::stoi(part));
                part.clear();
            } else {
                part.push_back(c);
            }
        }
        return out;
    }

    static int clamp(int v, int low, int high) { return v < low ? low : v > high ? high : v; }

    void control(char final) {
        if (!params_.empty() && params_[0] == '?') {
            if (params_ == "?25" && (final == 'l' || final == 'h')) return;
            errors_.push_back("private sequence " + params_ + final);
            return;
        }
        const std::vector<int> n = numbers();
        const int first = n[0] < 1 ? 1 : n[0];
        switch (final) {
        case 'H':
            row_ = clamp(first, 1, SCREEN_ROWS) - 1;
            col_ = clamp(n.size() > 1 && n[1] > 0 ? n[1] : 1, 1, SCREEN_COLUMNS) - 1;
            break;
        case 'A':
            row_ = clamp(row_ - first, 0, SCREEN_ROWS - 1);
            break;
        case 'B':
            row_ = clamp(row_ + first, 0, SCREEN_ROWS - 1);
            break;
        case 'C':
            col_ = clamp(col_ + first, 0, SCREEN_COLUMNS - 1);
            break;
        case 'D':
            col_ = clamp(col_ - first, 0, SCREEN_COLUMNS - 1);
            break;
        case 'G':
            col_ = clamp(first, 1, SCREEN_COLUMNS) - 1;
            break;
        case 'J':
            if (n[0] != 2) errors_.push_back("erase in display other than 2");
            cells_.fill(Shown{U' ', fg_, bg_});
            return; // the cursor stays, and so does a pending wrap
        case 'K':
            if (n[0] > 0) errors_.push_back("erase in line other than to its end");
            for (int c = col_; c < SCREEN_COLUMNS; ++c)
                cells_[row_ * SCREEN_COLUMNS + c] = Shown{U' ', fg_, bg_};
            break;
        case 'X':
            // Erases `first` cells from the cursor, not past the row's end; the cursor stays.
            for (int c = col_; c < SCREEN_COLUMNS && c < col_ + first; ++c)
                cells_[row_ * SCREEN_COLUMNS + c] = Shown{U' ', fg_, bg_};
            if (wrap_pending_) errors_.push_back("erase characters while a wrap is pending");
            return;
        case 'm':
            colours(n);
            return;
        default:
            errors_.push_back(std::string("sequence ") + params_ + final);
            return;
        }
        wrap_pending_ = false;
    }

    void colours(const std::vector<int>& n) {
        for (std::size_t i = 0; i < n.size(); ++i) {
            const int v = n[i];
            if (v <= 0) {
                fg_ = -1;
                bg_ = -1;
            } else if (v >= 30 && v <= 37) {
                fg_ = test::console_colour_of_terminal_index(v - 30);
            } else if (v >= 90 && v <= 97) {
                fg_ = test::console_colour_of_terminal_index(v - 90 + 8);
            } else if (v >= 40 && v <= 47) {
                bg_ = test::console_colour_of_terminal_index(v - 40);
            } else if (v >= 100 && v <= 107) {
                bg_ = test::console_colour_of_terminal_index(v - 100 + 8);
            } else if ((v == 38 || v == 48) && i + 4 < n.size() && n[i + 1] == 2) {
                (v == 38 ? fg_ : bg_) = known(test::console_colour_of_rgb(
                    static_cast<std::uint32_t>(n[i + 2] << 16 | n[i + 3] << 8 | n[i + 4])));
                i += 4;
            } else if ((v == 38 || v == 48) && i + 2 < n.size() && n[i + 1] == 5) {
                (v == 38 ? fg_ : bg_) = known(test::console_colour_of_fixed_index(n[i + 2]));
                i += 2;
            } else {
                errors_.push_back("colour " + std::to_string(v));
            }
        }
    }

    enum class State { text, escape, csi };

    bool utf8_;
    std::array<Shown, SCREEN_COLUMNS * SCREEN_ROWS> cells_{};
    int col_ = 0;
    int row_ = 0;
    bool wrap_pending_ = false;
    int fg_ = -1;
    int bg_ = -1;
    State state_ = State::text;
    std::string params_;
    char32_t pending_ = 0;
    int continuation_ = 0;
    std::vector<std::string> errors_;
};

} // namespace zk::test
