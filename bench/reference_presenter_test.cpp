#include "reference_presenter.hpp"

#include "console/screen.hpp"

#include <gtest/gtest.h>

namespace zk::bench {
namespace {

TEST(ReferencePresenter, SendsEveryDrawnByteWithItsOwnMoveAndColour) {
    StringSink sink;
    ReferencePresenter reference(sink);
    Screen s;
    s.observer = &reference;
    set_colour(s, 7);
    clear_screen(s, s.attr);
    set_colour(s, 10);
    put_text_at(s, 2, 3, s.attr, "ab");
    put_text_at(s, 2, 3, s.attr, "a"); // the same byte again is sent again
    move_to(s, 5, 24);
    put_byte(s, '\xf8');
    put_byte(s, '\n');
    EXPECT_EQ(sink.bytes, ""); // nothing before the flush
    reference.flush();
    EXPECT_EQ(sink.bytes, "\x1b[?25l\x1b[37;40m\x1b[2J\x1b[H"
                          "\x1b[3;4H\x1b[92;40ma\x1b[3;5H\x1b[92;40mb\x1b[3;4H\x1b[92;40ma"
                          "\x1b[25;6H\x1b[92;40m\xC2\xB0"
                          "\x1b[25;1H\x1b[92;40m\n");
    sink.bytes.clear();
    reference.flush();
    EXPECT_EQ(sink.bytes, ""); // nothing drawn since
}

} // namespace
} // namespace zk::bench
