#include "console/presenter.hpp"

#include "console/cp852.hpp"

#include <algorithm>
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

// Windows orders the colour bits blue, green, red; terminals red, green, blue.
int terminal_colour(int windows_colour) {
    return ((windows_colour & 1) << 2) | (windows_colour & 2) | ((windows_colour & 4) >> 2);
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
    const int foreground = attr & 15;
    const int background = attr >> 4;
    std::string out = "\x1b[";
    if (truecolor) {
        out += "38;2;";
        append_rgb(out, CLASSIC_PALETTE[foreground]);
        out += ";48;2;";
        append_rgb(out, CLASSIC_PALETTE[background]);
    } else {
        append_number(out, (foreground & 8 ? 90 : 30) + terminal_colour(foreground));
        out.push_back(';');
        append_number(out, (background & 8 ? 100 : 40) + terminal_colour(background));
    }
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

void Presenter::begin_full_repaint(std::string& out) {
    out += RESET_ATTRIBUTES;
    out += CLEAR_TERMINAL;
    out += HIDE_CURSOR;
    sent_attr_ = -1;
    cursor_col_ = -1;
    cursor_row_ = -1;
}

void Presenter::show_enlarge_request(std::string& out) {
    begin_full_repaint(out);
    std::string request(ENLARGE_REQUEST);
    request += " (teraz " + std::to_string(columns_) + " x " + std::to_string(rows_) + ")";
    out += "\x1b[1;1H";
    // One cell less than the width, so the request never makes the terminal wrap.
    out.append(request, 0, static_cast<std::size_t>(std::max(0, columns_ - 1)));
}

void Presenter::put_cell(std::string& out, int col, int row, const Cell& cell) {
    if (col != cursor_col_ || row != cursor_row_) {
        out += "\x1b[";
        append_number(out, row + 1);
        out.push_back(';');
        append_number(out, col + 1);
        out.push_back('H');
    }
    if (cell.attr != sent_attr_) {
        out += attribute_sgr(cell.attr, options_.truecolor);
        sent_attr_ = cell.attr;
    }
    const std::uint8_t glyph = cell.glyph < 32 || cell.glyph == 127 ? ' ' : cell.glyph;
    if (glyph < 128)
        out.push_back(static_cast<char>(glyph));
    else if (options_.utf8)
        append_utf8(out, cp852_code_point(glyph));
    else
        out.push_back(ascii_stand_in(glyph));
    cursor_row_ = row;
    // After the last column the terminal waits to wrap; its cursor position is not reliable.
    const bool trusted = col + 1 < SCREEN_COLUMNS && !(options_.utf8 && glyph == GLYPH_SOFT_HYPHEN);
    cursor_col_ = trusted ? col + 1 : -1;
}

void Presenter::present(Screen& screen) {
    std::string out;
    if (columns_ < MIN_TERMINAL_COLUMNS || rows_ < MIN_TERMINAL_ROWS) {
        if (!request_shown_ && columns_ > 0 && rows_ > 0) {
            show_enlarge_request(out);
            request_shown_ = true;
        }
        repaint_all_ = true; // the request covers the screen until the window is large enough
    } else {
        const bool all = repaint_all_;
        std::uint32_t rows = screen.dirty_rows;
        if (all) {
            begin_full_repaint(out);
            rows = (1u << SCREEN_ROWS) - 1;
        }
        for (int row = 0; row < SCREEN_ROWS; ++row) {
            if ((rows & (1u << row)) == 0) continue;
            for (int col = 0; col < SCREEN_COLUMNS; ++col) {
                const Cell& cell = screen.at(col, row);
                Cell& shown = shown_[row * SCREEN_COLUMNS + col];
                if (!all && cell == shown) continue;
                put_cell(out, col, row, cell);
                shown = cell;
            }
        }
        repaint_all_ = false;
    }
    screen.dirty_rows = 0;
    if (!out.empty()) sink_.write(out);
}

} // namespace zk
