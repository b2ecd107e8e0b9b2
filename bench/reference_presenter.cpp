#include "reference_presenter.hpp"

#include "console/cp852.hpp"

namespace zk::bench {

namespace {

void append_cursor_move(std::string& out, int col, int row) {
    out += "\x1b[";
    out += std::to_string(row + 1);
    out.push_back(';');
    out += std::to_string(col + 1);
    out.push_back('H');
}

// The glyph as the real presenter sends it, so only the way of drawing differs.
void append_glyph(std::string& out, std::uint8_t glyph, bool utf8) {
    if (glyph < 32 || glyph == 127) glyph = ' ';
    if (glyph < 128)
        out.push_back(static_cast<char>(glyph));
    else if (utf8)
        append_utf8(out, cp852_code_point(glyph));
    else
        out.push_back(ascii_stand_in(glyph));
}

} // namespace

ReferencePresenter::ReferencePresenter(ByteSink& sink, PresenterOptions options)
    : sink_(sink), options_(options) {
    pending_ = "\x1b[?25l"; // the console program hides the cursor at start-up
}

void ReferencePresenter::cell_drawn(int col, int row, const Cell& cell) {
    append_cursor_move(pending_, col, row);
    pending_ += attribute_sgr(cell.attr, options_.truecolor);
    append_glyph(pending_, cell.glyph, options_.utf8);
}

void ReferencePresenter::screen_cleared(std::uint8_t attr) {
    pending_ += attribute_sgr(attr, options_.truecolor);
    pending_ += "\x1b[2J\x1b[H";
}

void ReferencePresenter::screen_scrolled(std::uint8_t attr) {
    append_cursor_move(pending_, 0, SCREEN_ROWS - 1);
    pending_ += attribute_sgr(attr, options_.truecolor);
    pending_.push_back('\n');
}

void ReferencePresenter::flush() {
    if (pending_.empty()) return;
    sink_.write(pending_);
    pending_.clear();
}

} // namespace zk::bench
