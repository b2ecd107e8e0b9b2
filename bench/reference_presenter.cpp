// The reference presenter: every changed cell sent with its own cursor move and colour, the
// yardstick the rendering benchmark holds the real presenter against.

#include "reference_presenter.hpp"

#include "text/cp852.hpp"
#include "text/utf8.hpp"

#include <algorithm>
#include <array>

namespace zk::bench {

namespace {

bool shows_blank(std::uint8_t glyph) {
    return glyph == ' ' || glyph < 32 || glyph == 127;
}

void append_cursor_move(std::string& out, int col, int row) {
    out += "\x1b[";
    out += std::to_string(row + 1);
    out.push_back(';');
    out += std::to_string(col + 1);
    out.push_back('H');
}

// The glyph as the real presenter sends it, so only the way of drawing differs.
void append_glyph(std::string& out, std::uint8_t glyph, bool utf8) {
    if (shows_blank(glyph)) glyph = ' ';
    if (glyph < 128)
        out.push_back(static_cast<char>(glyph));
    else if (utf8)
        append_utf8(out, cp852_code_point(glyph));
    else
        out.push_back(ascii_stand_in(glyph));
}

void append_cell(std::string& out, int col, int row, const Cell& cell, PresenterOptions options) {
    append_cursor_move(out, col, row);
    out += attribute_sgr(cell.attr, options.colours);
    append_glyph(out, cell.glyph, options.utf8);
}

// The attribute most blank cells of `screen` have.
std::uint8_t commonest_blank(const Screen& screen) {
    std::array<int, 256> blanks_in{};
    for (const Cell& cell : screen.cells)
        if (shows_blank(cell.glyph)) ++blanks_in[cell.attr];
    return static_cast<std::uint8_t>(std::max_element(blanks_in.begin(), blanks_in.end()) -
                                     blanks_in.begin());
}

} // namespace

ReferencePresenter::ReferencePresenter(ByteSink& sink, PresenterOptions options)
    : sink_(sink), options_(options) {}

void ReferencePresenter::present(const Screen& screen) {
    std::string out;
    if (!started_) {
        // A console program hides the cursor at start-up and starts from a cleared console.
        out = "\x1b[?25l" + attribute_sgr(7, options_.colours) + "\x1b[2J";
        started_ = true;
    }
    std::string changed;
    for (int row = 0; row < SCREEN_ROWS; ++row)
        for (int col = 0; col < SCREEN_COLUMNS; ++col)
            if (!(screen.cell(row, col) == previous_.cell(row, col)))
                append_cell(changed, col, row, screen.cell(row, col), options_);

    const std::uint8_t blank_attr = commonest_blank(screen);
    std::string cleared = attribute_sgr(blank_attr, options_.colours) + "\x1b[2J";
    for (int row = 0; row < SCREEN_ROWS; ++row) {
        for (int col = 0; col < SCREEN_COLUMNS; ++col) {
            const Cell& cell = screen.cell(row, col);
            if (!shows_blank(cell.glyph) || cell.attr != blank_attr)
                append_cell(cleared, col, row, cell, options_);
        }
    }
    out += cleared.size() < changed.size() ? cleared : changed;
    previous_.cells = screen.cells;
    if (!out.empty()) sink_.write(out);
}

} // namespace zk::bench
