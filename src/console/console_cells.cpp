// The console's screen model as a cell console shows it: UTF-16 characters of the glyph bytes and
// the spans of each row that changed.

#include "console/console_cells.hpp"

#include "text/cp852.hpp"

namespace zk {

char16_t console_char(std::uint8_t glyph) {
    if (is_control_byte(glyph)) return u' ';
    return static_cast<char16_t>(
        cp852_code_point(glyph)); // every code page 852 character is in the BMP
}

std::vector<CellSpan> changed_spans(const ShownCells& shown, const Screen& screen) {
    std::vector<CellSpan> spans;
    for (int row = 0; row < SCREEN_ROWS; ++row) {
        const auto differs = [&](int col) {
            const std::size_t i = static_cast<std::size_t>(row * SCREEN_COLUMNS + col);
            return !(shown[i] == screen.cells[i]);
        };
        int first = 0;
        while (first < SCREEN_COLUMNS && !differs(first)) ++first;
        if (first == SCREEN_COLUMNS) continue;
        int end = SCREEN_COLUMNS;
        while (!differs(end - 1)) --end;
        spans.push_back({row, first, end});
    }
    return spans;
}

} // namespace zk
