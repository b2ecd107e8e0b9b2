// Tests of the ANSI presenter: what it sends, and what a terminal that plays it back shows.

#include "console/presenter.hpp"

#include "console/screen.hpp"

#include "menu/console_texts.hpp"
#include "string_sink.hpp"
#include "terminal_replay.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

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
    explicit Shown(PresenterOptions options = {}) : presenter(sink, ENLARGE_REQUEST, options) {
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

TEST(Presenter, StartsWithAClearInTheCommonestBlankAndDrawsTheRest) {
    Shown t;
    EXPECT_EQ(t.first, "\x1b[0m\x1b[?25l\x1b[37;40m\x1b[2J"); // reset, hidden cursor, clear
    EXPECT_EQ(t.screen.dirty_rows, 0u);
    EXPECT_EQ(t.present(), ""); // nothing changed, nothing sent

    StringSink sink;
    Presenter presenter(sink, ENLARGE_REQUEST);
    Screen screen;
    clear_screen(screen, 240);
    put_text_at(screen, 3, 5, 12, "ab");
    presenter.present(screen);
    EXPECT_EQ(sink.bytes, "\x1b[0m\x1b[?25l\x1b[30;107m\x1b[2J\x1b[4;6H\x1b[91;40mab");
    test::ReplayTerminal terminal;
    terminal.feed(sink.bytes);
    EXPECT_TRUE(terminal.differences(screen).empty());
}

TEST(Presenter, SendsOnlyChangedCellsByTheShortestMove) {
    Shown t;
    put_text_at(t.screen, 3, 10, 7, "ab");
    put_glyph_at(t.screen, 3, 20, 7, 'c');
    put_glyph_at(t.screen, 7, 0, 7, 'd');
    EXPECT_EQ(t.present(), "\x1b[4;11Hab\x1b[8Cc\x1b[8Hd"); // forward in the row; absolute

    put_text_at(t.screen, 3, 10, 7,
                "ab"); // rewritten the same: the row is dirty, nothing differs
    EXPECT_NE(t.screen.dirty_rows, 0u);
    EXPECT_EQ(t.present(), "");

    put_glyph_at(t.screen, 7, 1, 7, 'e'); // right where the last output left the cursor
    EXPECT_EQ(t.present(), "e");
    put_glyph_at(t.screen, 7, 4, 7, 'f'); // two unchanged cells between: written again
    EXPECT_EQ(t.present(), "  f");
    put_glyph_at(t.screen, 8, 5, 7, 'g'); // one row down
    EXPECT_EQ(t.present(), "\x1b[Bg");
    put_glyph_at(t.screen, 8, 2, 7, 'h'); // back to the left
    EXPECT_EQ(t.present(), "\x1b[4Dh");
    put_glyph_at(t.screen, 9, 2, 7, 'i'); // down and one left: a backspace
    EXPECT_EQ(t.present(), "\x1b[B\bi");
    put_glyph_at(t.screen, 9, 0, 7, 'k'); // three left in the row: three backspaces
    EXPECT_EQ(t.present(), "\b\b\bk");
    put_glyph_at(t.screen, 8, 0, 7, 'l'); // one row up: a reverse index
    EXPECT_EQ(t.present(), "\x1bM\bl");
    put_glyph_at(t.screen, 20, 40, 7,
                 'j'); // far down and right: the absolute move is shorter
    EXPECT_EQ(t.present(), "\x1b[21;41Hj");

    Shown raw(PresenterOptions{.line_feed_moves_down = true});
    put_glyph_at(raw.screen, 4, 3, 7, 'a');
    put_glyph_at(raw.screen, 5, 3, 7, 'b'); // one row down where LF adds no CR: a line feed
    put_glyph_at(raw.screen, 8, 3, 7, 'c'); // three rows down: still shorter than ESC [3B
    EXPECT_EQ(raw.present(), "\x1b[5;4Ha\n\bb\n\n\n\bc");
}

TEST(Presenter, ColourChangesOnlyWhereAndAsFarAsTheAttributeChanges) {
    Shown t;
    put_text_at(t.screen, 10, 6, 10, "[e1]");
    put_text_at(t.screen, 10, 16, 14, "[m1]");
    // Only the foreground differs from the colours in force, so only it is sent.
    EXPECT_EQ(t.present(), "\x1b[11;7H\x1b[92m[e1]\x1b[6C\x1b[93m[m1]");
    put_text_at(t.screen, 10, 21, 14, "x");
    EXPECT_EQ(t.present(), "\x1b[Cx"); // still yellow: no colour sent

    // The same foreground on another background.
    put_glyph_at(t.screen, 10, 22, 0xAE, 'y');
    EXPECT_EQ(t.present(), "\x1b[102my");
    // Both differ.
    put_glyph_at(t.screen, 10, 23, 0x1C, 'z');
    EXPECT_EQ(t.present(), "\x1b[91;44mz");
}

TEST(Presenter, WindowsColourOrderBecomesTerminalColours) {
    EXPECT_EQ(attribute_sgr(7, ColourMode::basic16), "\x1b[37;40m");
    EXPECT_EQ(attribute_sgr(1, ColourMode::basic16), "\x1b[34;40m");  // blue
    EXPECT_EQ(attribute_sgr(4, ColourMode::basic16), "\x1b[31;40m");  // red
    EXPECT_EQ(attribute_sgr(9, ColourMode::basic16), "\x1b[94;40m");  // light blue
    EXPECT_EQ(attribute_sgr(11, ColourMode::basic16), "\x1b[96;40m"); // light cyan
    EXPECT_EQ(attribute_sgr(12, ColourMode::basic16), "\x1b[91;40m"); // light red
    EXPECT_EQ(attribute_sgr(15, ColourMode::basic16), "\x1b[97;40m");
    EXPECT_EQ(attribute_sgr(48, ColourMode::basic16), "\x1b[30;46m");   // black on cyan
    EXPECT_EQ(attribute_sgr(112, ColourMode::basic16), "\x1b[30;47m");  // grey cell
    EXPECT_EQ(attribute_sgr(144, ColourMode::basic16), "\x1b[30;104m"); // blue cell
    EXPECT_EQ(attribute_sgr(160, ColourMode::basic16), "\x1b[30;102m"); // green cell
    EXPECT_EQ(attribute_sgr(192, ColourMode::basic16), "\x1b[30;101m"); // red cell
    EXPECT_EQ(attribute_sgr(224, ColourMode::basic16), "\x1b[30;103m"); // yellow cell
    EXPECT_EQ(attribute_sgr(240, ColourMode::basic16), "\x1b[30;107m"); // white cell
}

TEST(Presenter, TrueColourSendsTheClassicPalette) {
    EXPECT_EQ(attribute_sgr(160, ColourMode::rgb24), "\x1b[38;2;0;0;0;48;2;0;255;0m");
    EXPECT_EQ(attribute_sgr(0x1C, ColourMode::rgb24), "\x1b[38;2;255;0;0;48;2;0;0;128m");
    EXPECT_EQ(attribute_sgr(0x67, ColourMode::rgb24), "\x1b[38;2;192;192;192;48;2;128;128;0m");
    EXPECT_EQ(attribute_sgr(0x38, ColourMode::rgb24), "\x1b[38;2;128;128;128;48;2;0;128;128m");

    Shown t({.utf8 = true, .colours = ColourMode::rgb24});
    EXPECT_EQ(t.first, "\x1b[0m\x1b[?25l\x1b[38;2;192;192;192;48;2;0;0;0m\x1b[2J");
    put_glyph_at(t.screen, 9, 25, 224, ' ');
    EXPECT_EQ(t.present(), "\x1b[10;26H\x1b[38;2;0;0;0;48;2;255;255;0m ");
    put_glyph_at(t.screen, 9, 26, 0x1C, 'x');
    EXPECT_EQ(t.present(), "\x1b[38;2;255;0;0;48;2;0;0;128mx");
    put_glyph_at(t.screen, 9, 27, 0x1E, 'y');
    EXPECT_EQ(t.present(), "\x1b[38;2;255;255;0my");
}

TEST(Presenter, TwoHundredFiftySixColoursUseTheNearestFixedPaletteIndices) {
    // Each classic value's nearest index in the cube (levels 0, 95, 135, 175, 215, 255) or the
    // grey ramp (8, 18, .. 238), worked out by hand.
    // Light blue is 3B78FF, nearest 5F87FF (69).
    constexpr int NEAREST[16] = {16,  18, 28, 30, 88,  90,  100, 250,
                                 244, 69, 46, 51, 196, 201, 226, 231};
    for (int colour = 0; colour < 16; ++colour)
        EXPECT_EQ(palette_index_256(Palette::classic, colour), NEAREST[colour])
            << "colour " << colour;
    // Grey C0C0C0 and white FFFFFF: 188 against 255 on every channel, far apart.
    EXPECT_EQ(attribute_sgr(112, ColourMode::indexed256), "\x1b[38;5;16;48;5;250m");
    EXPECT_EQ(attribute_sgr(240, ColourMode::indexed256), "\x1b[38;5;16;48;5;231m");

    Shown t({.utf8 = true, .colours = ColourMode::indexed256});
    EXPECT_EQ(t.first, "\x1b[0m\x1b[?25l\x1b[38;5;250;48;5;16m\x1b[2J");
    put_glyph_at(t.screen, 9, 25, 0x70, 'a');
    EXPECT_EQ(t.present(), "\x1b[10;26H\x1b[38;5;16;48;5;250ma"); // both halves in one
    put_glyph_at(t.screen, 9, 26, 0xF0, 'b');
    EXPECT_EQ(t.present(), "\x1b[48;5;231mb"); // only the background changed
    put_glyph_at(t.screen, 9, 27, 0xFC, 'c');
    EXPECT_EQ(t.present(), "\x1b[38;5;196mc"); // only the foreground
}

TEST(Presenter, RunsOfBlanksAreErasedWithEraseCharactersWhereThatIsShorter) {
    Shown t;
    put_text_at(t.screen, 9, 25, 240, std::string(15, ' '));
    EXPECT_EQ(t.present(), "\x1b[10;26H\x1b[30;107m\x1b[15X"); // nothing after: no move

    // Six blanks right before the next change: written, as the erase would need a move on.
    put_text_at(t.screen, 11, 25, 240, std::string(6, ' ') + "ab");
    EXPECT_EQ(t.present(), "\x1b[2B      ab"); // the erase left the cursor at column 25
    // Eight blanks and a gap before the next change: erased, then one move on.
    put_text_at(t.screen, 13, 25, 240, std::string(8, ' '));
    put_text_at(t.screen, 13, 45, 240, "cd");
    EXPECT_EQ(t.present(), "\x1b[14;26H\x1b[8X\x1b[20Ccd");
    // Five blanks are never erased.
    put_text_at(t.screen, 15, 25, 240, std::string(5, ' '));
    put_text_at(t.screen, 15, 45, 240, "ef");
    EXPECT_EQ(t.present().find('X'), std::string::npos);
}

TEST(Presenter, CellsOfOneColourGoTogetherWhenThatIsShorter) {
    // A board: a grey edge mark and fifteen white cells on each of fifteen rows, with clues
    // in two alternating colours on the left, as the game screen draws it.
    for (const ColourMode colours : {ColourMode::basic16, ColourMode::indexed256}) {
        Shown t({true, colours});
        for (int row = 9; row < 24; ++row) {
            put_text_at(t.screen, row, 20, row % 2 == 0 ? 12 : 14, "3");
            put_text_at(t.screen, row, 22, row % 2 == 0 ? 14 : 12, "4");
            put_glyph_at(t.screen, row, 24, 7, 254); // a small filled square
            put_text_at(t.screen, row, 25, 240, std::string(15, ' '));
        }
        const std::string out = t.present();
        const std::string white = colours == ColourMode::basic16 ? "107m" : "231m";
        EXPECT_EQ(count_of(out, white), 1u) << "white put in force once";
        EXPECT_EQ(count_of(out, "\x1b[15X"), 15u);
        EXPECT_LE(count_of(out, "m"), 5u) << "one change of colour per colour";
        test::ReplayTerminal terminal;
        terminal.feed(t.first + out);
        EXPECT_TRUE(terminal.differences(t.screen).empty());
        EXPECT_TRUE(terminal.errors().empty());
    }
}

TEST(Presenter, ControlBytesShowAsBlanks) {
    Shown t;
    // On white, so the blanks have to be sent.
    put_text_at(t.screen, 2, 0, 240, std::string("\x1b[2J\x07\x7f\x08\x00x", 9));
    EXPECT_EQ(t.present(), "\x1b[3H\x1b[30;107m [2J    x");

    // Over the cleared blanks: nothing to show.
    put_text_at(t.screen, 5, 10, 7, "\x01\x02 ");
    EXPECT_EQ(t.present(), "");
    // Blanks in another attribute are sent.
    put_text_at(t.screen, 5, 10, 12, "\x01\x02 ");
    EXPECT_EQ(t.present(), "\x1b[6;11H\x1b[91;40m   ");
}

TEST(Presenter, ARowEndingInBlanksIsErasedToItsEnd) {
    Shown t;
    put_text_at(t.screen, 3, 10, 7, "abcdefgh");
    t.present();
    put_text_at(t.screen, 3, 12, 7, "      ");
    EXPECT_EQ(t.present(), "\x1b[6D\x1b[K"); // back six cells, erase

    put_text_at(t.screen, 4, 70, 7, "abcdefghij"); // up to the last column
    t.present();
    put_text_at(t.screen, 4, 70, 0x20, "abcdefgh  ");
    // The erase takes the background in force: green is put in force first.
    const std::string out = t.present();
    EXPECT_EQ(out, "\x1b[5;71H\x1b[30;42mabcdefgh\x1b[K");

    put_text_at(t.screen, 6, 0, 0x20, "abcdef");
    t.present();
    put_text_at(t.screen, 6, 4, 7, "  "); // two blanks: cheaper written than erased
    EXPECT_EQ(t.present(), "\b\b\x1b[37;40m  ");
}

TEST(Presenter, AScreenChangedAlmostEverywhereIsClearedFirst) {
    Shown t;
    for (int row = 0; row < SCREEN_ROWS; ++row)
        put_text_at(t.screen, row, 0, 7, std::string(60, static_cast<char>('a' + row % 26)));
    t.present();
    clear_screen(t.screen, 7);
    put_text_at(t.screen, 1, 4, 12, "Zimvo");
    const std::string cleared = t.present();
    EXPECT_EQ(cleared, "\x1b[2J\x1b[2;5H\x1b[91mZimvo");

    for (int row = 0; row < SCREEN_ROWS; ++row) put_glyph_at(t.screen, row, 70, 12, 'x');
    const std::string each_row = t.present(); // every row changed, but little of each
    EXPECT_EQ(each_row.find("\x1b[2J"), std::string::npos);
    EXPECT_EQ(count_of(each_row, "x"), 25u);
}

TEST(Presenter, GlyphBytesAsUtf8OrAsciiStandIns) {
    Shown utf8({.utf8 = true, .colours = ColourMode::basic16});
    put_text_at(utf8.screen, 0, 0, 7, "\xf8\xfe\xdb\xc9\xbb\xc8\xbc\xcd\xba\x88");
    EXPECT_EQ(utf8.present(), "\x1b[1H\xC2\xB0\xE2\x96\xA0\xE2\x96\x88\xE2\x95\x94\xE2\x95\x97"
                              "\xE2\x95\x9A\xE2\x95\x9D\xE2\x95\x90\xE2\x95\x91\xC5\x82");

    Shown ascii({.utf8 = false, .colours = ColourMode::basic16});
    put_text_at(ascii.screen, 0, 0, 7, "\xf8\xfe\xdb\xc9\xbb\xc8\xbc\xcd\xba\x88");
    EXPECT_EQ(ascii.present(), "\x1b[1Ho##++++=|?");
}

TEST(Presenter, NeverTrustsTheCursorAfterTheLastColumnOrASoftHyphen) {
    Shown t;
    put_glyph_at(t.screen, 3, 79, 7, 'x');
    put_glyph_at(t.screen, 4, 0, 7, 'y');
    EXPECT_EQ(t.present(), "\x1b[4;80Hx\x1b[5Hy");
    put_text_at(t.screen, 6, 0, 7, "\xf0z");
    EXPECT_EQ(t.present(), "\x1b[7H\xC2\xAD\x1b[7;2Hz");
}

TEST(Presenter, OptionsFollowTheLocaleColortermAndTerm) {
    EXPECT_TRUE(presenter_options("UTF-8", nullptr, nullptr).utf8);
    EXPECT_TRUE(presenter_options("utf8", nullptr, nullptr).utf8);
    EXPECT_FALSE(presenter_options("ANSI_X3.4-1968", nullptr, nullptr).utf8);
    EXPECT_FALSE(presenter_options(nullptr, nullptr, nullptr).utf8);
    const auto colours = [](const char* colorterm, const char* term) {
        return presenter_options("UTF-8", colorterm, term).colours;
    };
    EXPECT_EQ(colours("truecolor", "xterm"), ColourMode::rgb24);
    EXPECT_EQ(colours("24bit", "xterm-256color"), ColourMode::rgb24); // 24 bits win
    EXPECT_EQ(colours("yes", "xterm"), ColourMode::basic16);
    EXPECT_EQ(colours(nullptr, nullptr), ColourMode::basic16);
    EXPECT_EQ(colours(nullptr, "xterm-256color"), ColourMode::indexed256);
    EXPECT_EQ(colours("yes", "tmux-256color"), ColourMode::indexed256);
    EXPECT_EQ(colours(nullptr, "screen-256color"), ColourMode::indexed256);
    EXPECT_EQ(colours(nullptr, "-256color"), ColourMode::basic16); // no terminal's name
    EXPECT_EQ(colours(nullptr, "xterm-256colour"), ColourMode::basic16);
    EXPECT_EQ(colours(nullptr, "xterm-256color-italic"), ColourMode::basic16);

    EXPECT_TRUE(is_dumb_terminal("dumb"));
    EXPECT_FALSE(is_dumb_terminal("xterm"));
    EXPECT_FALSE(is_dumb_terminal(nullptr)); // unset: left to the terminal
}

TEST(Presenter, SmallWindowShowsTheRequestAndRepaintsWhenLargeEnough) {
    Shown t;
    t.presenter.set_terminal_size(79, 40);
    put_text_at(t.screen, 5, 5, 7, "hidden");
    const std::string request = t.present();
    EXPECT_NE(request.find("\x1b[2J"), std::string::npos);
    EXPECT_NE(request.find("\x1b[1;1HPowieksz okno do 80 x 25"), std::string::npos);
    EXPECT_EQ(request.find("hidden"), std::string::npos);
    EXPECT_EQ(count_of(request, "\x1b["), 4u); // reset, clear, hide, one move: no cell

    put_text_at(t.screen, 6, 5, 7, "later");
    EXPECT_EQ(t.present(), ""); // the request stays; nothing is drawn

    // Narrower windows get shorter forms; the needed size always stays whole.
    t.presenter.set_terminal_size(30, 10);
    const std::string shorter = t.present();
    EXPECT_NE(shorter.find("\x1b[1;1HPowieksz okno do 80 x 25"), std::string::npos);
    EXPECT_EQ(shorter.find("teraz"), std::string::npos);
    t.presenter.set_terminal_size(15, 10);
    const std::string narrow = t.present();
    EXPECT_EQ(narrow.substr(narrow.size() - 13), "\x1b[1;1H80 x 25");

    t.presenter.set_terminal_size(100, 30);
    const std::string repaint = t.present();
    EXPECT_EQ(repaint.rfind("\x1b[0m\x1b[?25l\x1b[37;40m\x1b[2J", 0), 0u);
    test::ReplayTerminal terminal;
    terminal.feed(repaint);
    EXPECT_TRUE(terminal.differences(t.screen).empty()); // the whole screen again
    EXPECT_EQ(t.present(), "");
}

TEST(Presenter, InvalidateRepaintsEverything) {
    Shown t;
    t.presenter.invalidate();
    EXPECT_EQ(t.present(), t.first);
    t.presenter.set_terminal_size(80, 25); // the same size: nothing to repaint
    EXPECT_EQ(t.present(), "");
}

// After a write that failed, what the terminal shows is unknown: the next present repaints it
// all, even when the screen has not changed.
TEST(Presenter, AFailedWriteRepaintsEverythingNext) {
    struct FailingSink : ByteSink {
        bool fail = true;
        std::string bytes;
        bool write(std::string_view sent) override {
            bytes = sent;
            return !fail;
        }
    } sink;
    Presenter presenter(sink, ENLARGE_REQUEST);
    Screen screen;
    presenter.present(screen);
    const std::string first = std::exchange(sink.bytes, "");
    sink.fail = false;
    presenter.present(screen);
    EXPECT_EQ(sink.bytes, first);
}

// Whatever the screens draw, the terminal that plays back the presenter's bytes ends up
// showing the screen: random texts in random colours (some differing only in foreground),
// blank runs, strokes down a column, clears, repaints, in every mode the presenter has.
TEST(Presenter, RandomDrawingAlwaysPlaysBackToTheScreen) {
    for (const PresenterOptions options :
         {PresenterOptions{.utf8 = true, .colours = ColourMode::basic16},
          PresenterOptions{.utf8 = true, .colours = ColourMode::rgb24},
          PresenterOptions{.utf8 = true, .colours = ColourMode::indexed256},
          PresenterOptions{.utf8 = false, .colours = ColourMode::basic16},
          PresenterOptions{
              .utf8 = true, .colours = ColourMode::basic16, .line_feed_moves_down = true}}) {
        std::mt19937 rng(7);
        auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        constexpr int ATTRS[] = {7, 12, 10, 15, 48, 112, 160, 240, 0x1C, 0x17, 0xA0, 9, 0x90};
        StringSink sink;
        Presenter presenter(sink, ENLARGE_REQUEST, options);
        test::ReplayTerminal terminal(options.utf8);
        Screen screen;
        for (int round = 0; round < 400; ++round) {
            const int changes = pick(4) == 0 ? 40 : 1 + pick(4);
            for (int i = 0; i < changes; ++i) {
                const int attr = ATTRS[pick(std::size(ATTRS))];
                std::string text;
                const bool blanks = pick(2) == 0;
                for (int n = 1 + pick(12); n > 0; --n)
                    text.push_back(
                        blanks ? ' '
                               : static_cast<char>(pick(3) == 0 ? 128 + pick(128) : 32 + pick(96)));
                put_text_at(screen, pick(SCREEN_ROWS), pick(SCREEN_COLUMNS), attr, text);
            }
            if (pick(3) == 0) { // cells above one another: moves by rows alone
                const int col = pick(SCREEN_COLUMNS);
                const int top = pick(SCREEN_ROWS - 4);
                for (int row = top + pick(5); row >= top; --row)
                    put_glyph_at(screen, row, col, ATTRS[pick(std::size(ATTRS))], 'a' + pick(3));
            }
            if (pick(25) == 0) {
                const int attr = ATTRS[pick(std::size(ATTRS))];
                clear_screen(screen, attr);
            }
            if (pick(50) == 0) presenter.invalidate();
            presenter.present(screen);
            terminal.feed(take(sink));
            const std::vector<std::string> wrong = terminal.differences(screen);
            ASSERT_TRUE(wrong.empty()) << "round " << round << ", first wrong cell " << wrong[0];
            ASSERT_TRUE(terminal.errors().empty()) << terminal.errors()[0];
        }
    }
}

} // namespace
} // namespace zk
