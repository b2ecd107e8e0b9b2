// Tests of the game's key loop: moves, paints, checks, the quit dialog and the win.

#include "play/play_loop.hpp"

#include "board.hpp"
#include "screen_text.hpp"
#include "scripted_keys.hpp"

#include <gtest/gtest.h>

#include <string>

namespace zk {
namespace {

using test::attr_at;
using test::glyph_at;
using test::load_board;
using test::row_text;
using test::text_at;

// Scripted keys where every key press takes `step_ms` of the game clock.
class TimedKeys : public KeySource {
  public:
    TimedKeys(std::string codes, std::int64_t step_ms) : script(std::move(codes)), step(step_ms) {}
    int read_code() override {
        now += step;
        return script.read_code();
    }

    ScriptedKeys script;
    std::int64_t step;
    std::int64_t now = 0;
};

// A loaded level with its keys; the clock is the one the keys advance.
struct Game {
    Game(std::initializer_list<std::string_view> rows, std::string codes,
         std::string_view answer = "", std::int64_t step_ms = 1000)
        : keys(std::move(codes), step_ms), ctx(screen, keys) {
        load_board(ctx.puzzle, rows, answer);
        ctx.display_path = "plansze\\t1";
        ctx.console.clock_ms = [this] { return keys.now; };
    }
    Game(const Game&) = delete;

    // Plays until the game hands over; the input running out first is no failure here.
    std::optional<ScreenId> play() {
        try {
            return play_game(ctx);
        } catch (const InputEnded&) {
            return std::nullopt;
        }
    }
    // Loads another level into the same context and gives it its keys.
    void next_level(std::initializer_list<std::string_view> rows, const std::string& codes) {
        load_board(ctx.puzzle, rows);
        keys.script.add(codes);
    }

    TimedKeys keys;
    Screen screen;
    Context ctx;
    PuzzleState& p() { return ctx.puzzle; }
    Screen& s() { return ctx.screen(); }
};

std::string codes(std::initializer_list<int> list) {
    std::string text;
    for (int code : list) text.push_back(static_cast<char>(code));
    return text;
}

const std::string ARROW_UP = codes({224, 72});
const std::string ARROW_RIGHT = codes({224, 77});

bool dialog_area_blank(const Screen& s) {
    for (int row = 1; row <= 4; ++row)
        if (text_at(s, row, 45, 22) != std::string(22, ' ')) return false;
    return true;
}

TEST(PlayLoop, GameStartsOnTheDrawnScreenWithTheCursorHomeAndTheClockRead) {
    Game g({"Rp", "pp"}, "", "", 1000);
    g.keys.now = 7000;
    EXPECT_FALSE(g.play().has_value());
    EXPECT_EQ(row_text(g.s(), 3), "  Mapa: t1");
    EXPECT_EQ(glyph_at(g.s(), 9, 25), 248);
    EXPECT_EQ(attr_at(g.s(), 9, 25), 240);
    EXPECT_EQ(glyph_at(g.s(), 9, 23), '1'); // the clue
    EXPECT_EQ(g.p().start_ticks, 7000);
    EXPECT_EQ(g.p().cursor_row, 0);
}

TEST(PlayLoop, MovesPaintsAndChecksThroughThePrefixRule) {
    // An arrow as the very first code, 224 81 as Q (then a dropped d and n),
    // 0 then 67 as a check, typed K as left and h as nothing.
    Game g({"ppR", "ppp"},
           ARROW_RIGHT + codes({224, 81}) + "dn" + codes({0, 67}) + "2" + "K" + "h" + "s");
    EXPECT_FALSE(g.play().has_value());
    EXPECT_EQ(g.p().check_count, 1);
    EXPECT_EQ(at(g.p().canvas, 0, 1), 'Y');
    EXPECT_EQ(g.p().cursor_row, 1);
    EXPECT_EQ(g.p().cursor_col, 0);
    EXPECT_EQ(attr_at(g.s(), 9, 26), 224);
    EXPECT_TRUE(dialog_area_blank(g.s()));
}

TEST(PlayLoop, QuitDialogShowsItsFourLines) {
    Game g({"pp", "pp"}, "Q");
    g.play();
    EXPECT_EQ(text_at(g.s(), 1, 45, 22), "        UWAGA!        ");
    EXPECT_EQ(text_at(g.s(), 2, 45, 22), "Stracisz postep w grze");
    EXPECT_EQ(text_at(g.s(), 3, 45, 22), "    na pewno wyjsc?   ");
    EXPECT_EQ(text_at(g.s(), 4, 45, 22), "        [T/N]         ");
    EXPECT_EQ(attr_at(g.s(), 1, 50), 12);
    EXPECT_EQ(attr_at(g.s(), 2, 45), 10);
    EXPECT_EQ(attr_at(g.s(), 3, 60), 10);
    EXPECT_EQ(attr_at(g.s(), 4, 54), 15);
}

TEST(PlayLoop, QuitThenNoLeavesTheGameAsItWas) {
    const std::string before = "d3sc";
    Game plain({"pEp", "pBp"}, before + "a");
    Game asked({"pEp", "pBp"}, before + "QN" + "a");
    plain.play();
    asked.play();

    EXPECT_TRUE(dialog_area_blank(asked.s()));
    EXPECT_EQ(asked.p().canvas, plain.p().canvas);
    EXPECT_EQ(asked.p().target, plain.p().target);
    EXPECT_EQ(asked.p().answer, plain.p().answer);
    EXPECT_EQ(asked.p().cursor_row, plain.p().cursor_row);
    EXPECT_EQ(asked.p().cursor_col, 0); // the key after the answer was handled
    EXPECT_EQ(asked.p().check_count, 1);
    EXPECT_EQ(asked.p().start_ticks, plain.p().start_ticks);
    for (int row = 0; row < SCREEN_ROWS; ++row)
        EXPECT_EQ(row_text(asked.s(), row), row_text(plain.s(), row)) << "row " << row;
    for (int row = 5; row < SCREEN_ROWS; ++row)
        for (int col = 0; col < SCREEN_COLUMNS; ++col)
            EXPECT_EQ(attr_at(asked.s(), row, col), attr_at(plain.s(), row, col));
}

TEST(PlayLoop, QuitDialogDropsEveryCodeButTheAnswers) {
    Game g({"ppp", "ppp"}, "1Q" + ARROW_UP + codes({13, 27, 'Q', 'q', 'c', 'C', '2', 's', 'x', 0}) +
                               codes({224, 'S', 224, 'd'}) + "n" + "s");
    g.play();
    EXPECT_EQ(g.p().check_count, 0);
    EXPECT_EQ(at(g.p().canvas, 0, 0), 'E');
    EXPECT_EQ(g.p().cursor_row, 1); // only the s after the answer moved
    EXPECT_EQ(g.p().cursor_col, 0);
    EXPECT_TRUE(dialog_area_blank(g.s()));
}

TEST(PlayLoop, QuitThenYesReturnsToTheMenuWithTheLevelClearedAndTheCountAtZero) {
    Game g({"Ep", "pR"}, "1cccQt" + std::string("x"), "KOT");
    EXPECT_EQ(g.play(), ScreenId::menu);
    EXPECT_EQ(g.keys.script.remaining(), 1u); // nothing read after the answer
    EXPECT_EQ(g.p().check_count, 0);
    EXPECT_EQ(g.p().target, Grid{});
    EXPECT_EQ(g.p().answer, (std::array<char, 32>{}));
    EXPECT_EQ(at(g.p().canvas, 0, 0), 'E'); // the painting itself is abandoned, not cleared

    g.next_level({"pp", "pR"}, "c");
    g.play();
    EXPECT_EQ(g.p().check_count, 1);
    EXPECT_EQ(text_at(g.s(), 4, 14, 2), "1 ");
    EXPECT_EQ(at(g.p().canvas, 0, 0), 'p'); // the new board starts white
}

TEST(PlayLoop, WinningShowsTheBoxConsumesOneKeyAndReturnsToTheMenu) {
    // Each key takes 25 s; the solving check is the sixth key read.
    Game g({"Ep", "pE"}, "1csd1c" + std::string("xy"), "KOT", 25000);
    EXPECT_EQ(g.play(), ScreenId::menu);
    EXPECT_EQ(g.keys.script.remaining(), 1u); // x closed the box, y is left for the menu
    EXPECT_EQ(text_at(g.s(), 8, 6, 11), "GRATULACJE!");
    EXPECT_EQ(text_at(g.s(), 11, 4, 4), "KOT ");
    EXPECT_EQ(text_at(g.s(), 14, 8, 7), "2 razem");
    EXPECT_EQ(text_at(g.s(), 17, 9, 7), "2m 30s ");
    EXPECT_EQ(attr_at(g.s(), 9, 24), 10); // the row marks of the solving check stay green
    EXPECT_EQ(g.p().check_count, 0);
    EXPECT_EQ(g.p().solved, 0);
    EXPECT_EQ(g.p().target, Grid{});
    EXPECT_EQ(g.p().answer, (std::array<char, 32>{}));

    g.next_level({"Ep", "pE"}, "c");
    g.play();
    EXPECT_EQ(g.p().check_count, 1);
}

TEST(PlayLoop, AWhitePictureIsWonByTheFirstKey) {
    Game g({"pp", "pp"}, "C" + ARROW_UP + "y");
    EXPECT_EQ(g.play(), ScreenId::menu);
    // The whole arrow key closes the box; nothing of it is left for the menu.
    EXPECT_EQ(g.keys.script.remaining(), 1u);
    EXPECT_EQ(text_at(g.s(), 14, 8, 7), "1 razem");
}

TEST(PlayLoop, AGameOfManyKeysRunsInConstantStack) {
    std::string keys;
    for (int i = 0; i < 100000; ++i) keys += "wa" + ARROW_UP + codes({0, 'x'});
    Game g({"pp", "pp"}, keys + "Qt");
    EXPECT_EQ(g.play(), ScreenId::menu);
    EXPECT_EQ(g.p().cursor_row, 0);
}

} // namespace
} // namespace zk
