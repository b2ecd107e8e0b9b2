// Tests of the chain of screens from the menu through the editor to playing the saved level.

#include "../editor/editor_fixture.hpp"

#include "menu/screen_chain.hpp"

#include <string>

namespace zk::test {
namespace {

struct EditorFromMenuTest : EditorTest {
    TempWorkingDir dir;
};

TEST_F(EditorFromMenuTest, SizesTypedAfterTheWordAtTheMenuAreTakenWithoutWaiting) {
    keys.add("edytor 7 9\r");
    ASSERT_EQ(run_screen(ctx, ScreenId::menu), ScreenId::editor_setup);
    ASSERT_EQ(run_screen(ctx, ScreenId::editor_setup), ScreenId::editor);
    EXPECT_EQ(keys.remaining(), 0u);
    EXPECT_EQ(row_text(screen(), 15).substr(0, 17), " Podaj wysokosc: ");
    EXPECT_EQ(text_at(screen(), 15, 17, 8), std::string(8, ' '));
    EXPECT_EQ(text_at(screen(), 16, 1, 17), "Podaj szerokosc: ");
    EXPECT_EQ(attr_at(screen(), 9 + 6, 25 + 8), 240); // the bottom-right cell of 7 x 9
    EXPECT_NE(attr_at(screen(), 9 + 6, 25 + 9), 240);
    EXPECT_NE(attr_at(screen(), 9 + 7, 25), 240);
}

TEST_F(EditorFromMenuTest, SavedLevelIsPlayedFromTheMenuWithItsClues) {
    keys.add("edytor\r2\r3\r1d1s4d4ztkot\rtest\rk");
    ASSERT_EQ(run_screen(ctx, ScreenId::menu), ScreenId::editor_setup);
    ASSERT_EQ(run_screen(ctx, ScreenId::editor_setup), ScreenId::editor);
    ASSERT_EQ(run_screen(ctx, ScreenId::editor), ScreenId::menu);

    keys.add("test\r");
    ASSERT_EQ(run_screen(ctx, ScreenId::menu), ScreenId::game);
    EXPECT_THROW(run_screen(ctx, ScreenId::game), InputEnded); // the board, before a key
    const Screen& s = screen();
    EXPECT_EQ(text_at(s, 3, 8, 4), "test");
    // Rows EEp and pRR: 2 green and 2 red left of the board.
    EXPECT_EQ(glyph_at(s, 9, 23), '2');
    EXPECT_EQ(attr_at(s, 9, 23), 10);
    EXPECT_EQ(glyph_at(s, 10, 23), '2');
    EXPECT_EQ(attr_at(s, 10, 23), 12);
    // Columns, bottom run next to the board: E/p, E/R, p/R.
    EXPECT_EQ(glyph_at(s, 7, 25), '1');
    EXPECT_EQ(attr_at(s, 7, 25), 10);
    EXPECT_EQ(glyph_at(s, 6, 25), ' ');
    EXPECT_EQ(attr_at(s, 7, 26), 12);
    EXPECT_EQ(glyph_at(s, 6, 26), '1');
    EXPECT_EQ(attr_at(s, 6, 26), 10);
    EXPECT_EQ(attr_at(s, 7, 27), 12);
    EXPECT_EQ(glyph_at(s, 6, 27), ' ');
}

TEST_F(EditorFromMenuTest, WholeRunDrawsSavesSolvesAndExits) {
    keys.add("edytor\r2\r3\r1d1s4d4ztkot\rtest\rk");
    keys.add("test\r1d1s4d4c");
    keys.add("k");
    keys.add("exit\r");
    EXPECT_NO_THROW(run_screens(ctx));
    EXPECT_EQ(keys.remaining(), 0u);
    EXPECT_EQ(file_bytes("plansze/test.txt"), "EEp\r\npRR\r\nnkot");
}

} // namespace
} // namespace zk::test
