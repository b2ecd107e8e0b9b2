// The Windows console program under Wine, driven through a pseudo-terminal: Wine's console
// turns the cells the game writes into terminal output and the terminal's keys into console
// key events, so these tests see the screens and keys that a Windows console would.

#include "pty_session.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <termios.h>
#include <utility>
#include <vector>

namespace zk::e2e {
namespace {

constexpr std::string_view PROMPT = "Podaj nazwe poziomu: ";
constexpr std::string_view NOT_FOUND = "Brak planszy o podanej nazwie";
constexpr char32_t CURSOR_MARK = U'\u00B0';
constexpr std::string_view KEY_DELETE = "\x1b[3~";
constexpr int BOARD_ROW = 9; // where board cell (0, 0) stands
constexpr int BOARD_COL = 25;

// Wine may take seconds to start a program on a busy machine; later screens come quickly.
constexpr int START_MS = 60000;
constexpr int STEP_MS = 15000;

// The rows of a shipped level's picture, from the source tree.
std::vector<std::string> shipped_picture(const std::string& name) {
    std::ifstream file(std::string(ZK_SOURCE_LEVEL_DIR) + "/" + name + ".txt", std::ios::binary);
    std::vector<std::string> rows;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() != 'n') rows.push_back(line);
    }
    return rows;
}

// The paint key of a colour letter; white cells need none.
char paint_key(char letter) {
    const std::string letters = "EYBRGp";
    return static_cast<char>('1' + letters.find(letter));
}

class WindowsConsoleE2e : public ::testing::Test {
  protected:
    // A session in the scratch directory; Wine's console sends light grey on black as the
    // terminal's default colours.
    PtySession& start() {
        SessionOptions options;
        options.working_dir = dir.path();
        options.default_attr = 0x07;
        session.emplace(options);
        EXPECT_TRUE(session->wait_for_text(22, 42, PROMPT, START_MS)) << session->screen_text();
        // Wine's console puts the terminal into raw mode only when the program first reads
        // keys; what is typed before that is echoed and its Enter turned into a line feed.
        EXPECT_TRUE(session->wait_for([&] { return (session->current_mode().c_lflag & ECHO) == 0; },
                                      STEP_MS));
        return *session;
    }

    bool wait_text(int row, int col, std::string_view text) {
        return session->wait_for_text(row, col, text, STEP_MS);
    }

    bool cursor_on(int r, int c) {
        return session->wait_for(
            [&] { return session->char_at(BOARD_ROW + r, BOARD_COL + c) == CURSOR_MARK; }, STEP_MS);
    }

    void open_level(std::string_view name) {
        session->send(std::string(name) + "\r");
        ASSERT_TRUE(wait_text(3, 0, "  Mapa: " + std::string(name))) << session->screen_text();
        ASSERT_TRUE(cursor_on(0, 0)) << session->screen_text();
    }

    // Types `exit` at the menu and expects the program to end with status 0, its cursor shown
    // again.
    void leave_program() {
        ASSERT_TRUE(wait_text(22, 42, PROMPT)) << session->screen_text();
        session->send("exit\r");
        const ExitStatus status = session->wait_exit(STEP_MS);
        EXPECT_TRUE(status.exited) << session->screen_text();
        EXPECT_EQ(status.code, 0);
        EXPECT_TRUE(session->cursor_visible());
    }

    TempWorkDir dir;
    std::optional<PtySession> session;
};

TEST_F(WindowsConsoleE2e, MenuShowsItsTextsInTheConsoleColours) {
    PtySession& s = start();
    EXPECT_EQ(s.attr_at(22, 42), 10);
    EXPECT_EQ(s.text_at(6, 14, 8), "Poziomy:");
    EXPECT_EQ(s.attr_at(6, 14), 11);
    EXPECT_EQ(s.text_at(10, 6, 4), "[e1]");
    EXPECT_EQ(s.attr_at(10, 6), 10);
    EXPECT_EQ(s.text_at(12, 16, 4), "[m3]");
    EXPECT_EQ(s.attr_at(12, 16), 14);
    EXPECT_EQ(s.attr_at(14, 28), 12);
    EXPECT_EQ(s.text_at(6, 50, 9), "Jak grac?");
    leave_program();
}

// e1 is not in the working directory: the game finds it in plansze\ beside the program.
TEST_F(WindowsConsoleE2e, WinsAShippedLevelWithArrowAndPaintKeys) {
    const std::vector<std::string> picture = shipped_picture("e1");
    ASSERT_FALSE(picture.empty());
    PtySession& s = start();
    open_level("e1");

    // Row by row, right along even rows and back left along odd ones.
    std::string keys;
    for (std::size_t r = 0; r < picture.size(); ++r) {
        const int width = static_cast<int>(picture[r].size());
        for (int i = 0; i < width; ++i) {
            const int c = r % 2 == 0 ? i : width - 1 - i;
            if (picture[r][c] != 'p') keys += paint_key(picture[r][c]);
            if (i + 1 < width) keys += r % 2 == 0 ? KEY_ARROW_RIGHT : KEY_ARROW_LEFT;
        }
        if (r + 1 < picture.size()) keys += KEY_ARROW_DOWN;
    }
    s.send(keys);
    const int last_row = static_cast<int>(picture.size()) - 1;
    const int last_col = picture.size() % 2 == 0 ? 0 : static_cast<int>(picture[0].size()) - 1;
    ASSERT_TRUE(cursor_on(last_row, last_col)) << s.screen_text();
    EXPECT_EQ(s.attr_at(BOARD_ROW, BOARD_COL + 1), 0xC0) << "a red cell";

    s.send("c");
    ASSERT_TRUE(wait_text(8, 6, "GRATULACJE!")) << s.screen_text();
    // Wine's console sends a screen in more than one piece: wait for each part.
    EXPECT_TRUE(wait_text(11, 4, "grzyb")) << s.screen_text();
    EXPECT_TRUE(wait_text(14, 8, "1 razem")) << s.screen_text();
    // The box's corner, through the code page table.
    EXPECT_TRUE(s.wait_for([&] { return s.char_at(6, 2) == U'\u2554'; }, STEP_MS));
    s.send("x");
    leave_program();
}

// Ctrl-C ends the game as interrupted and gives the console back, its cursor shown again.
TEST_F(WindowsConsoleE2e, CtrlCGivesTheConsoleBack) {
    PtySession& s = start();
    s.send("\x03");
    const ExitStatus status = s.wait_exit(STEP_MS);
    EXPECT_TRUE(status.exited) << s.screen_text();
    EXPECT_EQ(status.code, 0x3A); // STATUS_CONTROL_C_EXIT, its low byte
    EXPECT_TRUE(s.cursor_visible());
}

// PgDn and Delete are keys the game does not know: they neither open the quit dialog nor
// move the cursor.
TEST_F(WindowsConsoleE2e, QuitDialogAndKeysWithoutAMeaning) {
    dir.write_level("t1", "Ep\r\npE\r\nnKOT");
    PtySession& s = start();
    open_level("t1");
    s.send("d");
    ASSERT_TRUE(cursor_on(0, 1)) << s.screen_text();
    s.send(std::string(KEY_PAGE_DOWN) + std::string(KEY_DELETE) + "s");
    ASSERT_TRUE(cursor_on(1, 1)) << s.screen_text();
    EXPECT_EQ(s.text_at(1, 45, 22), std::string(22, ' '));

    s.send("q");
    ASSERT_TRUE(wait_text(1, 45, "        UWAGA!        ")) << s.screen_text();
    s.send(std::string(KEY_ARROW_LEFT) + "n");
    ASSERT_TRUE(wait_text(1, 45, std::string(22, ' '))) << s.screen_text();
    EXPECT_EQ(s.char_at(BOARD_ROW + 1, BOARD_COL + 1), CURSOR_MARK);
    s.send("Q");
    ASSERT_TRUE(wait_text(4, 45, "        [T/N]         ")) << s.screen_text();
    s.send("t");
    leave_program();
}

// Device names and characters that Windows gives a meaning never reach the file system: at
// the menu they name no level even when a file of that name exists on the disk below.
TEST_F(WindowsConsoleE2e, UnsafeNamesAtTheMenuNameNoLevel) {
    dir.write_level("con", "Ep\r\npE\r\nnKOT");
    dir.write_level("lpt1", "Ep\r\npE\r\nnKOT");
    PtySession& s = start();
    for (const std::string name : {"con", "LPT1", "a:b", "t1?"}) {
        s.send(name + "\r");
        ASSERT_TRUE(wait_text(22, 38, NOT_FOUND)) << name << "\n" << s.screen_text();
        s.send("x");
        ASSERT_TRUE(wait_text(22, 42, PROMPT)) << s.screen_text();
    }
    leave_program();
}

// Draws a 2 x 3 level, is refused two unsafe file names, saves it under a good one, and plays
// it from the menu.
TEST_F(WindowsConsoleE2e, EditorRefusesUnsafeNamesThenSavesALevelThatPlays) {
    PtySession& s = start();
    s.send("edytor\r");
    ASSERT_TRUE(wait_text(15, 1, "Podaj wysokosc: ")) << s.screen_text();
    s.send("2\r");
    ASSERT_TRUE(wait_text(16, 1, "Podaj szerokosc: ")) << s.screen_text();
    s.send("3\r");
    ASSERT_TRUE(cursor_on(0, 0)) << s.screen_text();
    s.send("1d1");
    s.send(KEY_ARROW_DOWN);
    s.send("4d4");
    ASSERT_TRUE(s.wait_for([&] { return s.attr_at(10, 27) == 192; }, STEP_MS)) << s.screen_text();

    s.send("z");
    ASSERT_TRUE(wait_text(2, 45, "Skonczyles juz prace ?")) << s.screen_text();
    s.send("t");
    ASSERT_TRUE(wait_text(19, 0, "Podaj rozwiazanie do 15:")) << s.screen_text();
    s.send("kot\r");
    // Each name echoes below the prompt as it is typed; a refusal wipes the echo and says why
    // in red, and the prompt asks again.
    const std::vector<std::pair<std::string, std::string>> refused{
        {"con", "Zarezerwowana w Windows!"},
        {"a:b", "Nie wolno uzyc :*?\"<>|!"},
        {"Lpt0.txt", "Zarezerwowana w Windows!"}};
    for (const auto& [name, reason] : refused) {
        ASSERT_TRUE(wait_text(21, 0, "Podaj nazwe pliku do 15:")) << s.screen_text();
        s.send(name);
        ASSERT_TRUE(wait_text(22, 0, name)) << s.screen_text();
        s.send("\r");
        ASSERT_TRUE(s.wait_for([&] { return s.row_text(22).empty(); }, STEP_MS)) << name << "\n"
                                                                                 << s.screen_text();
        EXPECT_TRUE(wait_text(23, 0, reason)) << name << "\n" << s.screen_text();
        EXPECT_EQ(s.attr_at(23, 0), 12) << name;
        EXPECT_TRUE(std::filesystem::is_empty(dir.path() + "/plansze")) << name;
    }
    ASSERT_TRUE(wait_text(21, 0, "Podaj nazwe pliku do 15:")) << s.screen_text();
    s.send("test\r");
    ASSERT_TRUE(wait_text(23, 7, "Zapis udany")) << s.screen_text();
    EXPECT_EQ(dir.read_file("plansze/test.txt"), "EEp\r\npRR\r\nnkot");

    s.send("k");
    ASSERT_TRUE(wait_text(22, 42, PROMPT)) << s.screen_text();
    open_level("test");
    ASSERT_TRUE(wait_text(9, 23, "2")) << s.screen_text();
    EXPECT_EQ(s.attr_at(9, 23), 10);
    s.send("1d1s4d4c");
    ASSERT_TRUE(wait_text(11, 4, "kot")) << s.screen_text();
    s.send("k");
    leave_program();
}

// With standard input a pipe the game reads bytes as on POSIX: `exit` ends it with status 0,
// the end of the input with status 1.
TEST_F(WindowsConsoleE2e, PipedInputEndsWithTheRightStatus) {
    const PipedRun exit_run = run_piped(dir.path(), "\n  exit\n", START_MS);
    EXPECT_TRUE(exit_run.status.exited);
    EXPECT_EQ(exit_run.status.code, 0);

    const PipedRun empty = run_piped(dir.path(), "", START_MS);
    EXPECT_TRUE(empty.status.exited);
    EXPECT_EQ(empty.status.code, 1);

    const PipedRun not_found = run_piped(dir.path(), "nosuch\nx", START_MS);
    EXPECT_TRUE(not_found.status.exited);
    EXPECT_EQ(not_found.status.code, 1);
}

// Piped input is UTF-8, as on POSIX in a UTF-8 locale: Polish letters name the saved level.
TEST_F(WindowsConsoleE2e, PipedPolishLettersNameTheSavedLevel) {
    const PipedRun run =
        run_piped(dir.path(), "edytor\n2\n2\n1zta\na\u0105\u0142\nxexit\n", START_MS);
    EXPECT_EQ(run.status.code, 0);
    EXPECT_EQ(dir.read_file("plansze/a\u0105\u0142.txt"), "Ep\r\npp\r\nna");
}

// The checker in a console, started through cmd, which leaves wildcards to the program: it
// expands them in order, keeps a pattern that matches nothing, reads a file with Polish
// letters in its name and shows a Polish answer in the console.
TEST_F(WindowsConsoleE2e, CheckerExpandsWildcardsAndShowsPolishLetters) {
    dir.write_level("\u017c\u00f3\u0142w", "EE\r\npE\r\nn\xBE\xA2\x88w");
    dir.write_level("kot", "Ep\r\nEE\r\nnkot");
    std::string checker =
        "Z:" +
        std::filesystem::path(ZK_GAME_ARGUMENT).replace_filename("zimvokrelt-check.exe").string();
    std::replace(checker.begin(), checker.end(), '/', '\\');
    SessionOptions options;
    options.working_dir = dir.path();
    options.arguments = {"cmd", "/c", checker, "--strict", "plansze\\*.txt", "plansze\\?.lvl"};
    session.emplace(options);
    const ExitStatus status = session->wait_exit(START_MS);
    const std::string text = session->screen_text();
    EXPECT_TRUE(status.exited) << text;
    EXPECT_EQ(status.code, 1) << text;
    const auto kot = text.find("answer \"kot\"");
    const auto turtle = text.find("answer \"\u017c\u00f3\u0142w\"");
    EXPECT_NE(kot, std::string::npos) << text;
    EXPECT_NE(turtle, std::string::npos) << text;
    EXPECT_LT(kot, turtle) << text;
    EXPECT_NE(text.find("plansze\\?.lvl:\n  cannot be read"), std::string::npos) << text;
    EXPECT_NE(text.find("3 files: 2 good, 1 not good"), std::string::npos) << text;
}

} // namespace
} // namespace zk::e2e
