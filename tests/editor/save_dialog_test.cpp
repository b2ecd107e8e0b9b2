// Tests of the editor's save dialog: the answer and the name, refusals, failed saves and where
// the file lands.

#include "editor_fixture.hpp"

#include "editor/save_dialog.hpp"
#include "model/level_file.hpp"

#include <fstream>
#include <string>
#include <vector>

namespace zk::test {
namespace {

// Every save test runs in a private working directory of its own.
struct SaveTest : EditorTest {
    TempWorkingDir dir;
};

const std::string SAVE_2X3_EXAMPLE = "1d1s4d4zt";

bool left_of_board_is_blank(const Screen& s, int row) {
    return text_at(s, row, 0, 25) == std::string(25, ' ');
}

TEST_F(SaveTest, ExampleDrawingIsWrittenAndTheEditorReturnsToTheMenu) {
    open_board(2, 3);
    keys.add(SAVE_2X3_EXAMPLE + "kot\rtest\rk");
    EXPECT_EQ(start_editor(ctx), ScreenId::menu);
    EXPECT_EQ(keys.remaining(), 0u); // the key after the message was waited for
    EXPECT_EQ(file_bytes("plansze/test.txt"), "EEp\r\npRR\r\nnkot");
    EXPECT_EQ(dir.files(), std::vector<std::string>{"work/plansze/test.txt"});

    const Screen& s = screen();
    EXPECT_EQ(text_at(s, 2, 45, 22), std::string(22, ' '));
    EXPECT_EQ(text_at(s, 18, 0, 20), "Nie uzywamy spacji! ");
    EXPECT_EQ(attr_at(s, 18, 0), 10);
    EXPECT_EQ(text_at(s, 19, 0, 25), "Podaj rozwiazanie do 15: ");
    EXPECT_EQ(attr_at(s, 19, 0), 15);
    EXPECT_EQ(row_text(s, 20), "kot");
    EXPECT_EQ(attr_at(s, 20, 0), 11);
    EXPECT_EQ(text_at(s, 21, 0, 25), "Podaj nazwe pliku do 15: ");
    EXPECT_EQ(row_text(s, 22), "test");
    EXPECT_EQ(attr_at(s, 22, 3), 11);
    EXPECT_EQ(row_text(s, 23), "       Zapis udany");
    EXPECT_EQ(attr_at(s, 23, 7), 10);
    EXPECT_EQ(row_text(s, 24), "nacisnij dowolny klawisz");
    EXPECT_EQ(attr_at(s, 24, 0), 10);

    EXPECT_EQ(puzzle().target, Grid{});
    EXPECT_EQ(puzzle().answer[0], '\0');
    ASSERT_TRUE(load_level(puzzle(), level_path("test")));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&at(puzzle().target, 0, 0)), 4),
              std::string("EEp\0", 4));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&at(puzzle().target, 1, 0)), 4),
              std::string("pRR\0", 4));
    EXPECT_STREQ(puzzle().answer.data(), "kot");
}

TEST_F(SaveTest, OnlyTheFirstWordOfEachLineCounts) {
    open_board(2, 2);
    keys.add("zt kot pies\rtest jeszcze\rk");
    EXPECT_EQ(start_editor(ctx), ScreenId::menu);
    EXPECT_EQ(file_bytes("plansze/test.txt"), "pp\r\npp\r\nnkot");
    EXPECT_EQ(dir.files(), std::vector<std::string>{"work/plansze/test.txt"});
    EXPECT_EQ(row_text(screen(), 20), " kot pies");
}

TEST_F(SaveTest, EmptyLinesKeepTheEchoOnItsRowAndNothingScrolls) {
    open_board(2, 2);
    keys.add("zt\r  \rkot\r\r\rab\rk");
    EXPECT_EQ(start_editor(ctx), ScreenId::menu);
    EXPECT_EQ(file_bytes("plansze/ab.txt"), "pp\r\npp\r\nnkot");
    EXPECT_EQ(text_at(screen(), 1, 4, 16), "ZimvoKreltEdytor");
    EXPECT_EQ(row_text(screen(), 20), "kot");
    EXPECT_EQ(row_text(screen(), 22), "ab");
    EXPECT_EQ(row_text(screen(), 23), "       Zapis udany");
    EXPECT_EQ(row_text(screen(), 24), "nacisnij dowolny klawisz");
}

TEST_F(SaveTest, ReplacesAnExistingLevelOfTheSameName) {
    std::filesystem::create_directory("plansze");
    std::ofstream("plansze/test.txt") << "EE\nEE\nnstare";
    open_board(2, 2);
    keys.add("5zTkot\rtest\rk");
    EXPECT_EQ(start_editor(ctx), ScreenId::menu);
    EXPECT_EQ(file_bytes("plansze/test.txt"), "Gp\r\npp\r\nnkot");
}

TEST_F(SaveTest, OverLongAnswerIsRefusedAndTheBoardUnderItsEchoRestored) {
    open_board(15, 15);
    draw(std::string(11, 's') + "2w"); // a yellow cell on screen row 20
    keys.add("zt" + std::string(40, 'a') + "\r");
    EXPECT_THROW(editor_loop(ctx), InputEnded); // waits for a new answer
    const Screen& s = screen();
    EXPECT_EQ(text_at(s, 21, 0, 25), "Za dlugie, do 15 znakow! ");
    EXPECT_EQ(attr_at(s, 21, 0), 12);
    EXPECT_EQ(text_at(s, 19, 0, 24), "Podaj rozwiazanie do 15:");
    EXPECT_TRUE(left_of_board_is_blank(s, 20));
    EXPECT_EQ(glyph_at(s, 20, 25), ' ');
    EXPECT_EQ(attr_at(s, 20, 25), 224);
    for (int col = 26; col < 40; ++col) EXPECT_EQ(attr_at(s, 20, col), 240) << col;
    EXPECT_EQ(attr_at(s, 20, 40), 7);
    EXPECT_EQ(s.x, 0); // the next answer echoes on the same row
    EXPECT_EQ(s.y, 20);
    EXPECT_TRUE(dir.files().empty());
}

TEST_F(SaveTest, AnswerOfFifteenCharactersIsTakenWholeAfterARefusal) {
    open_board(2, 2);
    keys.add("zt abcdefghijklmnop\rabcdefghijklmno\rtest\rk");
    EXPECT_EQ(start_editor(ctx), ScreenId::menu);
    EXPECT_EQ(file_bytes("plansze/test.txt"), "pp\r\npp\r\nnabcdefghijklmno");
    EXPECT_EQ(text_at(screen(), 21, 0, 25), "Podaj nazwe pliku do 15: ");
    EXPECT_EQ(row_text(screen(), 20), "abcdefghijklmno");
}

struct RefusedName {
    const char* name;
    const char* why;
    friend void PrintTo(const RefusedName& r, std::ostream* os) { *os << r.name; }
};

class RefusedNameTest : public SaveTest, public ::testing::WithParamInterface<RefusedName> {};

TEST_P(RefusedNameTest, SaysWhyAndAsksForTheNameAgain) {
    open_board(2, 2);
    // After a longer refusal, which the new one replaces whole.
    keys.add(std::string("ztkot\rabcdefghijklmnop\r") + GetParam().name + "\r");
    EXPECT_THROW(start_editor(ctx), InputEnded); // waits for another name
    const Screen& s = screen();
    EXPECT_EQ(row_text(s, 23), GetParam().why);
    EXPECT_EQ(attr_at(s, 23, 0), 12);
    EXPECT_EQ(text_at(s, 21, 0, 24), "Podaj nazwe pliku do 15:");
    EXPECT_EQ(row_text(s, 22), "");
    EXPECT_EQ(s.y, 22);
    EXPECT_TRUE(dir.files().empty());
}

INSTANTIATE_TEST_SUITE_P(Names, RefusedNameTest,
                         ::testing::Values(RefusedName{"abcdefghijklmnop",
                                                       "Za dlugie, do 15 znakow!"},
                                           RefusedName{"../evil", "Nie wolno uzyc / ani \\!"},
                                           RefusedName{"/tmp/evil", "Nie wolno uzyc / ani \\!"},
                                           RefusedName{"a\\b", "Nie wolno uzyc / ani \\!"},
                                           RefusedName{".hidden", "Nie zaczynaj od kropki!"},
                                           RefusedName{"..", "Nie zaczynaj od kropki!"}));

// Every reason a name can be refused for, on any platform, has words that stay left of the
// board, where they cover no cell of a 15-row board's last row.
TEST(NameRefusalText, EveryRefusalFitsLeftOfTheBoard) {
    EXPECT_EQ(name_refusal_text(NameFault::none), nullptr);
    for (int fault = 1; fault <= static_cast<int>(LAST_NAME_FAULT); ++fault) {
        const char* text = name_refusal_text(static_cast<NameFault>(fault));
        ASSERT_NE(text, nullptr) << fault;
        EXPECT_LE(std::string(text).size(), std::size_t{SAVE_MESSAGE_WIDTH}) << text;
    }
}

TEST_F(SaveTest, NothingLandsOutsideTheLevelDirectory) {
    open_board(2, 2);
    keys.add("ztkot\r../evil\r.hidden\rx/../../evil\rabcdefghijklmnop\rabcdefghijklmno\rk");
    EXPECT_EQ(start_editor(ctx), ScreenId::menu);
    EXPECT_EQ(dir.files(), std::vector<std::string>{"work/plansze/abcdefghijklmno.txt"});
    EXPECT_EQ(row_text(screen(), 23), "       Zapis udany"); // no refusal left beside it
}

// A regular file named plansze stops the level directory from being made, for any user.
void block_level_directory() {
    std::ofstream("plansze") << "not a directory";
}

TEST_F(SaveTest, FailedSaveIsReportedInRed) {
    block_level_directory();
    open_board(2, 3);
    keys.add(SAVE_2X3_EXAMPLE + "kot\rtest\r");
    EXPECT_THROW(start_editor(ctx), InputEnded); // waiting for the key
    EXPECT_EQ(row_text(screen(), 23), "Zapis nieudany!");
    EXPECT_EQ(attr_at(screen(), 23, 0), 12);
    EXPECT_EQ(row_text(screen(), 24), "nacisnij dowolny klawisz");
}

TEST_F(SaveTest, FailedSaveKeepsTheDrawingAndASecondSaveSucceeds) {
    block_level_directory();
    open_board(2, 3);
    draw("1d1s4d4");
    const Screen drawing = screen();
    const PuzzleState state = puzzle();

    draw_more("ztkot\rtest\rk");
    std::string difference;
    EXPECT_TRUE(looks_the_same(screen(), drawing, &difference)) << difference;
    EXPECT_EQ(puzzle().canvas, state.canvas);
    EXPECT_EQ(puzzle().target, state.target);
    EXPECT_EQ(puzzle().cursor_row, 1);
    EXPECT_EQ(puzzle().cursor_col, 2);
    EXPECT_EQ(file_bytes("plansze"), "not a directory");
    EXPECT_EQ(dir.files(), std::vector<std::string>{"work/plansze"});

    std::filesystem::remove("plansze");
    keys.add("aztkot\rtest\rk");
    EXPECT_EQ(editor_loop(ctx), ScreenId::menu);
    EXPECT_EQ(file_bytes("plansze/test.txt"), "EEp\r\npRR\r\nnkot");
}

TEST_F(SaveTest, CtrlDOnAPromptLineWithNothingTypedCancelsTheSave) {
    open_board(2, 3);
    draw("1d1");
    const Screen drawing = screen();
    draw_more("zt\x04ztkot\r\x04"); // at the answer, then at the file name: back to drawing
    std::string difference;
    EXPECT_TRUE(looks_the_same(screen(), drawing, &difference)) << difference;
    EXPECT_TRUE(dir.files().empty());
}

TEST_F(SaveTest, FailedSaveOnALargeBoardRestoresTheCellsUnderTheMessages) {
    block_level_directory();
    open_board(15, 15);
    draw(std::string(14, 's') + "4" + std::string(14, 'd') + "3" + "wa");
    const Screen drawing = screen();
    // Long echoes run over the board on rows 20 and 22 before the failed save.
    draw_more("zt" + std::string(30, 'k') + "\rkot\r" + std::string(30, 'n') + "\rtest\rk");
    std::string difference;
    EXPECT_TRUE(looks_the_same(screen(), drawing, &difference)) << difference;
    EXPECT_EQ(puzzle().cursor_row, 13);
    EXPECT_EQ(puzzle().cursor_col, 13);
}

} // namespace
} // namespace zk::test
