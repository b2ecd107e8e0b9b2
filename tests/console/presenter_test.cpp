#include "console/presenter.hpp"

#include "console/screen.hpp"

#include <gtest/gtest.h>

#include <string>

namespace zk {
namespace {

// Everything the presenter sent since the last call.
std::string take(StringSink& sink) {
    std::string bytes = std::move(sink.bytes);
    sink.bytes.clear();
    return bytes;
}

std::size_t count_of(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// A presenter that has already shown `screen` once.
struct Shown {
    explicit Shown(PresenterOptions options = {}) : presenter(sink, options) {
        presenter.present(screen);
        first = take(sink);
    }
    StringSink sink;
    Presenter presenter;
    Screen screen;
    std::string first;

    std::string present() {
        presenter.present(screen);
        return take(sink);
    }
};

TEST(Presenter, StartsWithAFullRepaintOfEveryCell) {
    Shown t;
    EXPECT_EQ(t.first.rfind("\x1b[0m\x1b[2J\x1b[?25l", 0), 0u); // reset, clear, hidden cursor
    EXPECT_EQ(count_of(t.first, "\x1b[37;40m"), 1u);            // one colour for all
    EXPECT_EQ(count_of(t.first, "H"), 25u);                     // one cursor move a row
    EXPECT_EQ(count_of(t.first, "\x1b[25;1H"), 1u);
    EXPECT_EQ(count_of(t.first, " "), 2000u);
    EXPECT_EQ(t.screen.dirty_rows, 0u);
    EXPECT_EQ(t.present(), ""); // nothing changed, nothing sent
}

TEST(Presenter, SendsOnlyChangedCellsAndMovesOnlyWhereNeeded) {
    Shown t;
    put_text_at(t.screen, 3, 10, "ab");
    put_char_at(t.screen, 20, 3, 'c');
    put_char_at(t.screen, 0, 7, 'd');
    EXPECT_EQ(t.present(), "\x1b[4;11Hab\x1b[4;21Hc\x1b[8;1Hd");

    put_text_at(t.screen, 3, 10, "ab"); // rewritten the same: the row is dirty, nothing differs
    EXPECT_NE(t.screen.dirty_rows, 0u);
    EXPECT_EQ(t.present(), "");

    put_char_at(t.screen, 1, 7, 'e'); // right where the last output left the cursor
    EXPECT_EQ(t.present(), "e");
}

TEST(Presenter, ColourChangesOnlyWhereTheAttributeChanges) {
    Shown t;
    set_colour(t.screen, 10);
    put_text_at(t.screen, 10, 6, "[e1]");
    set_colour(t.screen, 14);
    put_text_at(t.screen, 10, 16, "[m1]");
    set_colour(t.screen, 10);
    put_text_at(t.screen, 11, 6, "[e2]");
    EXPECT_EQ(t.present(),
              "\x1b[11;7H\x1b[92;40m[e1]\x1b[11;17H\x1b[93;40m[m1]\x1b[12;7H\x1b[92;40m[e2]");
    set_colour(t.screen, 10);
    put_text_at(t.screen, 11, 11, "x");
    EXPECT_EQ(t.present(), "\x1b[12;12Hx"); // still green: no colour sent
}

TEST(Presenter, WindowsColourOrderBecomesTerminalColours) {
    EXPECT_EQ(attribute_sgr(7, false), "\x1b[37;40m");
    EXPECT_EQ(attribute_sgr(1, false), "\x1b[34;40m");  // blue
    EXPECT_EQ(attribute_sgr(4, false), "\x1b[31;40m");  // red
    EXPECT_EQ(attribute_sgr(9, false), "\x1b[94;40m");  // light blue
    EXPECT_EQ(attribute_sgr(11, false), "\x1b[96;40m"); // light cyan
    EXPECT_EQ(attribute_sgr(12, false), "\x1b[91;40m"); // light red
    EXPECT_EQ(attribute_sgr(15, false), "\x1b[97;40m");
    EXPECT_EQ(attribute_sgr(48, false), "\x1b[30;46m");   // black on cyan
    EXPECT_EQ(attribute_sgr(112, false), "\x1b[30;47m");  // grey cell
    EXPECT_EQ(attribute_sgr(144, false), "\x1b[30;104m"); // blue cell
    EXPECT_EQ(attribute_sgr(160, false), "\x1b[30;102m"); // green cell
    EXPECT_EQ(attribute_sgr(192, false), "\x1b[30;101m"); // red cell
    EXPECT_EQ(attribute_sgr(224, false), "\x1b[30;103m"); // yellow cell
    EXPECT_EQ(attribute_sgr(240, false), "\x1b[30;107m"); // white cell
}

TEST(Presenter, TrueColourSendsTheClassicPalette) {
    EXPECT_EQ(attribute_sgr(160, true), "\x1b[38;2;0;0;0;48;2;0;255;0m");
    EXPECT_EQ(attribute_sgr(0x1C, true), "\x1b[38;2;255;0;0;48;2;0;0;128m");
    EXPECT_EQ(attribute_sgr(0x67, true), "\x1b[38;2;192;192;192;48;2;128;128;0m");
    EXPECT_EQ(attribute_sgr(0x38, true), "\x1b[38;2;128;128;128;48;2;0;128;128m");

    Shown t({true, true});
    set_colour(t.screen, 224);
    put_char_at(t.screen, 25, 9, ' ');
    EXPECT_EQ(t.present(), "\x1b[10;26H\x1b[38;2;0;0;0;48;2;255;255;0m ");
}

TEST(Presenter, ControlBytesShowAsBlanks) {
    Shown t;
    put_text_at(t.screen, 2, 0, std::string("\x1b[2J\x07\x7f\x08\x00x", 9));
    const std::string out = t.present();
    EXPECT_EQ(out, "\x1b[3;1H [2J    x");
}

TEST(Presenter, GlyphBytesAsUtf8OrAsciiStandIns) {
    Shown utf8({true, false});
    put_text_at(utf8.screen, 0, 0, "\xf8\xfe\xdb\xc9\xbb\xc8\xbc\xcd\xba\x88");
    EXPECT_EQ(utf8.present(), "\x1b[1;1H\xC2\xB0\xE2\x96\xA0\xE2\x96\x88\xE2\x95\x94\xE2\x95\x97"
                              "\xE2\x95\x9A\xE2\x95\x9D\xE2\x95\x90\xE2\x95\x91\xC5\x82");

    Shown ascii({false, false});
    put_text_at(ascii.screen, 0, 0, "\xf8\xfe\xdb\xc9\xbb\xc8\xbc\xcd\xba\x88");
    EXPECT_EQ(ascii.present(), "\x1b[1;1Ho##++++=|?");
}

TEST(Presenter, NeverTrustsTheCursorAfterTheLastColumnOrASoftHyphen) {
    Shown t;
    put_char_at(t.screen, 79, 3, 'x');
    put_char_at(t.screen, 0, 4, 'y');
    EXPECT_EQ(t.present(), "\x1b[4;80Hx\x1b[5;1Hy");
    put_text_at(t.screen, 6, 0, "\xf0z");
    EXPECT_EQ(t.present(), "\x1b[7;1H\xC2\xAD\x1b[7;2Hz");
}

TEST(Presenter, OptionsFollowTheLocaleAndColorterm) {
    EXPECT_TRUE(presenter_options("UTF-8", nullptr).utf8);
    EXPECT_TRUE(presenter_options("utf8", nullptr).utf8);
    EXPECT_FALSE(presenter_options("ANSI_X3.4-1968", nullptr).utf8);
    EXPECT_FALSE(presenter_options(nullptr, nullptr).utf8);
    EXPECT_TRUE(presenter_options("UTF-8", "truecolor").truecolor);
    EXPECT_TRUE(presenter_options("UTF-8", "24bit").truecolor);
    EXPECT_FALSE(presenter_options("UTF-8", "yes").truecolor);
    EXPECT_FALSE(presenter_options("UTF-8", nullptr).truecolor);
}

TEST(Presenter, SmallWindowShowsTheRequestAndRepaintsWhenLargeEnough) {
    Shown t;
    t.presenter.set_terminal_size(79, 40);
    put_text_at(t.screen, 5, 5, "hidden");
    const std::string request = t.present();
    EXPECT_NE(request.find("\x1b[2J"), std::string::npos);
    EXPECT_NE(request.find("\x1b[1;1HPowieksz okno do 80 x 25"), std::string::npos);
    EXPECT_EQ(request.find("hidden"), std::string::npos);
    EXPECT_EQ(count_of(request, "\x1b["), 4u); // reset, clear, hide, one move: no cell

    put_text_at(t.screen, 6, 5, "later");
    EXPECT_EQ(t.present(), ""); // the request stays; nothing is drawn

    t.presenter.set_terminal_size(15, 10); // even narrower: the request is cut to fit
    const std::string narrow = t.present();
    EXPECT_NE(narrow.find("\x1b[1;1HPowieksz okno "), std::string::npos);
    EXPECT_EQ(narrow.find("Powieksz okno d"), std::string::npos);

    t.presenter.set_terminal_size(100, 30);
    const std::string repaint = t.present();
    EXPECT_EQ(repaint.rfind("\x1b[0m\x1b[2J", 0), 0u);
    EXPECT_NE(repaint.find("hidden"), std::string::npos);
    EXPECT_NE(repaint.find("later"), std::string::npos);
    EXPECT_EQ(count_of(repaint, "H"), 25u); // one cursor move a row
    EXPECT_EQ(t.present(), "");
}

TEST(Presenter, InvalidateRepaintsEverything) {
    Shown t;
    t.presenter.invalidate();
    EXPECT_EQ(t.present(), t.first);
    t.presenter.set_terminal_size(80, 25); // the same size: nothing to repaint
    EXPECT_EQ(t.present(), "");
}

} // namespace
} // namespace zk
