// Tests of the benchmarks' reference presenter: what it sends for a changed cell and for a
// frame changed everywhere.

#include "reference_presenter.hpp"

#include "console/screen.hpp"
#include "string_sink.hpp"

#include <gtest/gtest.h>

namespace zk::bench {
namespace {

TEST(ReferencePresenter, SendsEveryChangedCellWithItsOwnMoveAndColour) {
    StringSink sink;
    ReferencePresenter reference(sink);
    Screen s;
    clear_screen(s, 7);
    put_text_at(s, 2, 3, 10, "ab");
    move_output_to(s, 24, 5);
    put_byte(s, 10, '\xf8');
    reference.present(s);
    EXPECT_EQ(sink.bytes, "\x1b[?25l\x1b[37;40m\x1b[2J"
                          "\x1b[3;4H\x1b[92;40ma\x1b[3;5H\x1b[92;40mb"
                          "\x1b[25;6H\x1b[92;40m\xC2\xB0");

    sink.bytes.clear();
    put_text_at(s, 2, 3, 10, "ab"); // drawn again the same: not in the frame's changes
    reference.present(s);
    EXPECT_EQ(sink.bytes, "");

    put_text_at(s, 2, 4, 0x1C,
                "c"); // a changed cell alone, in its full colour, even in 256 colours
    StringSink other;
    ReferencePresenter indexed(other, {true, ColourMode::indexed256});
    indexed.present(s);
    reference.present(s);
    EXPECT_EQ(sink.bytes, "\x1b[3;5H\x1b[91;44mc");
    EXPECT_NE(other.bytes.find("\x1b[3;5H\x1b[38;5;196;48;5;18mc"), std::string::npos);
}

TEST(ReferencePresenter, AFrameChangedEverywhereIsSentAsAClearAndItsOtherCells) {
    StringSink sink;
    ReferencePresenter reference(sink);
    Screen s;
    clear_screen(s, 240);
    put_text_at(s, 0, 0, 12, "x");
    reference.present(s);
    // Every cell changed: one clear in the commonest blank, then the one other cell.
    EXPECT_EQ(sink.bytes, "\x1b[?25l\x1b[37;40m\x1b[2J"
                          "\x1b[30;107m\x1b[2J\x1b[1;1H\x1b[91;40mx");
}

} // namespace
} // namespace zk::bench
