#include "console/screen.hpp"

#include <gtest/gtest.h>

#include <string>

namespace zk {
namespace {

// Writes down what it is told, one short text per event.
struct Log : ScreenObserver {
    void cell_drawn(int col, int row, const Cell& cell) override {
        events += std::to_string(col) + "," + std::to_string(row) + ":" +
                  static_cast<char>(cell.glyph) + "@" + std::to_string(cell.attr) + " ";
    }
    void screen_cleared(std::uint8_t attr) override {
        events += "clear@" + std::to_string(attr) + " ";
    }
    void screen_scrolled(std::uint8_t attr) override {
        events += "scroll@" + std::to_string(attr) + " ";
    }
    std::string events;
};

TEST(ScreenObserver, HearsEveryDrawnByteEvenWhenNothingChanges) {
    Screen s;
    Log log;
    s.observer = &log;
    set_colour(s, 12);
    put_text_at(s, 2, 3, s.attr, "ab");
    put_text_at(s, 2, 3, s.attr, "ab"); // the same again: still drawn
    move_to(s, 9, 9);                   // moves and colours alone draw nothing
    set_colour(s, 7);
    put_byte(s, 'c');
    put_text(s, "42");
    EXPECT_EQ(log.events, "3,2:a@12 4,2:b@12 3,2:a@12 4,2:b@12 9,9:c@7 10,9:4@7 11,9:2@7 ");
}

TEST(ScreenObserver, HearsClearsAndScrollsButNothingOffTheScreen) {
    Screen s;
    Log log;
    s.observer = &log;
    set_colour(s, 240);
    clear_screen(s, s.attr);
    put_char_at(s, 80, 3, s.attr, 'x'); // beyond the right edge: dropped
    put_char_at(s, 0, -1, s.attr, 'y');
    move_to(s, 5, 24);
    put_byte(s, 'z');
    put_byte(s, '\n'); // below the bottom row: the screen moves up
    EXPECT_EQ(log.events, "clear@240 5,24:z@240 scroll@240 ");

    s.observer = nullptr; // detached: drawing goes on without it
    put_char_at(s, 1, 1, s.attr, 'q');
    EXPECT_EQ(log.events, "clear@240 5,24:z@240 scroll@240 ");
    EXPECT_EQ(s.at(1, 1).glyph, 'q');
}

} // namespace
} // namespace zk
