// Tests of the main menu: its texts, its prompt and the words typed there.

#include "menu/main_menu.hpp"

#include "console/line_reader.hpp"
#include "scratch_dir.hpp"
#include "screen_text.hpp"
#include "scripted_keys.hpp"

#include <gtest/gtest.h>

#include <string>

namespace zk {
namespace {

using test::attr_at;
using test::glyph_at;
using test::row_text;
using test::text_at;
using test::write_file;

constexpr std::string_view PROMPT = "Podaj nazwe poziomu: ";

// A drawn menu screen, on a screen cleared in light grey as the menu does.
Screen menu_screen() {
    Screen s;
    clear_screen(s, 7);
    draw_menu_screen(s);
    return s;
}

// Expects `text` at (row, col) with every cell in attribute `attr`.
void expect_text(const Screen& s, int row, int col, std::string_view text, int attr) {
    const int length = static_cast<int>(text.size());
    EXPECT_EQ(text_at(s, row, col, length), text) << "row " << row << ", col " << col;
    for (int i = 0; i < length; ++i)
        EXPECT_EQ(attr_at(s, row, col + i), attr) << "row " << row << ", col " << col + i;
}

TEST(MenuScreenTest, ShowsTheTableTextsInTheirPlacesAndColours) {
    struct Sample {
        int row;
        int col;
        char glyph;
        int attr;
    };
    // One cell of each colour and part of the screen: level list, command note, rules.
    constexpr Sample samples[] = {
        {6, 14, 'P', 11},  {8, 5, 'L', 10},   {8, 14, 'S', 14},  {8, 24, 'T', 12},
        {10, 6, '[', 10},  {12, 17, 'm', 14}, {14, 27, '5', 12}, {16, 15, 'U', 12},
        {19, 4, 'e', 10},  {19, 11, 'j', 15}, {21, 13, 'e', 12}, {21, 18, 'o', 15},
        {6, 50, 'J', 11},  {13, 37, '3', 10}, {13, 39, 'o', 15}, {16, 52, 't', 12},
        {20, 40, 'k', 15}, {24, 1, 'W', 11},
    };
    const Screen s = menu_screen();
    for (const Sample& at : samples) {
        EXPECT_EQ(glyph_at(s, at.row, at.col), at.glyph) << at.row << "," << at.col;
        EXPECT_EQ(attr_at(s, at.row, at.col), at.attr) << at.row << "," << at.col;
    }
    // Texts that continue stand right after the text before them.
    EXPECT_EQ(row_text(s, 19).substr(0, 29), "    edytor jako nazwa poziomu");
    EXPECT_EQ(row_text(s, 21).substr(0, 30), "    Wpisujac exit opuscisz gre");
    EXPECT_EQ(row_text(s, 16).substr(35), "* Miedzy grupami tego samego koloru");
}

TEST(MenuScreenTest, TitleBlocksStayInTheirColumns) {
    const Screen s = menu_screen();
    for (int row = 0; row < 5; ++row) {
        const std::string first = text_at(s, row, 0, 35);
        const std::string second = text_at(s, row, 35, 39);
        EXPECT_NE(first.find_first_not_of(' '), std::string::npos) << row;
        EXPECT_NE(second.find_first_not_of(' '), std::string::npos) << row;
        for (int col = 0; col < 35; ++col) EXPECT_EQ(attr_at(s, row, col), 12) << row << "," << col;
        for (int col = 35; col < 74; ++col)
            EXPECT_EQ(attr_at(s, row, col), 10) << row << "," << col;
        // Nothing right of column 73 is drawn: those cells keep the cleared screen.
        for (int col = 74; col < SCREEN_COLUMNS; ++col) {
            EXPECT_EQ(glyph_at(s, row, col), ' ') << row << "," << col;
            EXPECT_EQ(attr_at(s, row, col), 7) << row << "," << col;
        }
    }
    EXPECT_EQ(row_text(s, 5), "");
}

TEST(MenuScreenTest, CreditLinesAreShortPlainAsciiInLightCyan) {
    const Screen s = menu_screen();
    for (int row : {23, 24}) {
        const std::string line = row_text(s, row);
        ASSERT_GT(line.size(), 1u) << row;
        EXPECT_EQ(line[0], ' ') << row;
        EXPECT_LE(line.size(), 33u) << row; // at most 32 characters from column 1
        for (std::size_t col = 1; col < line.size(); ++col) {
            EXPECT_GE(line[col], 32) << row;
            EXPECT_LT(line[col], 127) << row;
            EXPECT_EQ(attr_at(s, row, static_cast<int>(col)), 11) << row << "," << col;
        }
    }
}

class MainMenuTest : public test::ScratchDirTest {
  protected:
    ScriptedKeys keys;
    Screen screen;
    Context ctx{screen, keys};

    ScreenId menu_with(const std::string& typed) {
        keys.add(typed);
        return show_menu(ctx);
    }
};

TEST_F(MainMenuTest, PromptWaitsInLightGreenAndEchoesFromColumn63) {
    EXPECT_EQ(menu_with("exit\r"), ScreenId::exit);
    const Screen& s = ctx.screen();
    expect_text(s, 22, 42, PROMPT, 10);
    expect_text(s, 22, 63, "exit", 10);
    expect_text(s, 6, 14, "Poziomy:", 11); // the menu stays on the screen
    EXPECT_EQ(attr_at(s, 0, 79), 7);       // cleared in light grey
}

TEST_F(MainMenuTest, MenuIsRedrawnOverWhateverWasOnTheScreen) {
    put_text_at(ctx.screen(), 22, 70, 7, "old");
    EXPECT_EQ(menu_with("exit\r"), ScreenId::exit);
    EXPECT_EQ(text_at(ctx.screen(), 22, 70, 3), "   ");
    EXPECT_EQ(attr_at(ctx.screen(), 22, 70), 7);
}

TEST_F(MainMenuTest, CommandWordsAreCaseSensitive) {
    EXPECT_EQ(menu_with("edytor\r"), ScreenId::editor_setup);
    EXPECT_EQ(menu_with("EXIT\r"), ScreenId::level_not_found);
    EXPECT_EQ(menu_with("Edytor\r"), ScreenId::level_not_found);

    write_file("plansze/EXIT.txt", "EE\nEE\nnduze");
    EXPECT_EQ(menu_with("EXIT\r"), ScreenId::game);
    EXPECT_EQ(ctx.display_path, "plansze\\EXIT");
    EXPECT_EQ(std::string(ctx.puzzle.answer.data()), "duze");
}

TEST_F(MainMenuTest, NamedLevelIsLoadedForTheGame) {
    write_file("plansze/e1.txt", "EEp\r\npRR\r\nnkot");
    EXPECT_EQ(menu_with("e1\r"), ScreenId::game);
    EXPECT_EQ(ctx.display_path, "plansze\\e1");
    EXPECT_EQ(at(ctx.puzzle.target, 0, 0), 'E');
    EXPECT_EQ(at(ctx.puzzle.target, 1, 2), 'R');
    EXPECT_EQ(at(ctx.puzzle.target, 0, 3), 0);
    EXPECT_EQ(std::string(ctx.puzzle.answer.data()), "kot");
}

TEST_F(MainMenuTest, BracketedNameIsLookedUpLiterally) {
    write_file("plansze/e1.txt", "EE\nEE\nne");
    EXPECT_EQ(menu_with("[e1]\r"), ScreenId::level_not_found);
    EXPECT_EQ(at(ctx.puzzle.target, 0, 0), 0);

    write_file("plansze/[e1].txt", "BB\nBB\nnb");
    EXPECT_EQ(menu_with("[e1]\r"), ScreenId::game);
    EXPECT_EQ(at(ctx.puzzle.target, 0, 0), 'B');
}

TEST_F(MainMenuTest, SecondWordOnTheLineWaitsForTheNextPrompt) {
    write_file("plansze/e1.txt", "EE\nEE\nne");
    EXPECT_EQ(menu_with("e1 e2\r"), ScreenId::game);
    EXPECT_EQ(keys.remaining(), 0u);
    EXPECT_EQ(read_word(ctx.console, 10), "e2"); // no line is read: nothing echoes
}

TEST_F(MainMenuTest, EmptyLinesDoNotEndTheReading) {
    EXPECT_EQ(menu_with("\r  \r\rexit\r"), ScreenId::exit);

    keys.add("\r\r");
    EXPECT_THROW(show_menu(ctx), InputEnded);
}

TEST_F(MainMenuTest, FifteenCharacterNameIsPlayable) {
    write_file("plansze/abcdefghijklmno.txt", "EE\nEE\nne");
    EXPECT_EQ(menu_with("abcdefghijklmno\r"), ScreenId::game);
    EXPECT_EQ(ctx.display_path, "plansze\\abcdefghijklmno");
}

// Each of these names would reach an existing file if it were used as a path.
TEST_F(MainMenuTest, NamesThatCouldLeaveTheLevelDirectoryNameNoLevel) {
    write_file("plansze/abcdefghijklmnop.txt", "EE\nEE\nne");
    write_file("x.txt", "EE\nEE\nne");
    write_file("plansze/a/b.txt", "EE\nEE\nne");
    write_file("plansze/.hidden.txt", "EE\nEE\nne");
    for (const char* name : {"abcdefghijklmnop", "../x", "a/b", ".hidden"}) {
        EXPECT_EQ(menu_with(std::string(name) + "\r"), ScreenId::level_not_found) << name;
        EXPECT_EQ(at(ctx.puzzle.target, 0, 0), 0) << name;
    }
}

TEST_F(MainMenuTest, LevelNotFoundScreenWaitsForOneKeyAndLeadsToTheMenu) {
    ctx.console.pending_line = "e2\n";
    put_text_at(ctx.screen(), 24, 70, 7, "old");
    keys.add("kz");

    EXPECT_EQ(show_level_not_found(ctx), ScreenId::menu);
    const Screen& s = ctx.screen();
    expect_text(s, 22, 38, "Brak planszy o podanej nazwie", 12);
    expect_text(s, 23, 38, "  Nacsisnij dowolny klawisz  ", 15);
    expect_text(s, 6, 14, "Poziomy:", 11);
    expect_text(s, 21, 13, "exit ", 12);
    EXPECT_EQ(row_text(s, 22).size(), 67u); // no prompt beyond the message
    EXPECT_EQ(text_at(s, 24, 70, 3), "   ");
    EXPECT_EQ(keys.remaining(), 1u);
    EXPECT_EQ(ctx.console.pending_line, "e2\n"); // the key read passes the typed line by
}

TEST_F(MainMenuTest, AnArrowKeyLeavesTheLevelNotFoundScreenWhole) {
    keys.add("\xE0Hz");
    EXPECT_EQ(show_level_not_found(ctx), ScreenId::menu);
    EXPECT_EQ(keys.remaining(), 1u); // the arrow's second code does not reach the menu's prompt
}

} // namespace
} // namespace zk
