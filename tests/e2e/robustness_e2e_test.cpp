// The program under hostile conditions in a pseudo-terminal: signals in the middle of a game or
// of a typed line, a window too small for the screen, a level whose answer holds terminal
// commands, and the input ending at every kind of prompt.

#include "pty_session.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

namespace zk::e2e {
namespace {

constexpr std::string_view MENU_PROMPT = "Podaj nazwe poziomu: ";
constexpr std::string_view ENLARGE = "Powieksz okno do 80 x 25";
constexpr std::string_view QUIT_DIALOG_TOP = "        UWAGA!        ";
constexpr char32_t CURSOR_MARK = U'\u00B0';

// A level whose picture is won by painting cells (0, 0) and (1, 1) green.
constexpr std::string_view DIAGONAL_PICTURE = "Ep\r\npE\r\nn";
// The keys that win it from the start of the game, the move through arrow keys.
const std::string WIN_DIAGONAL =
    std::string("1") + std::string(KEY_ARROW_DOWN) + std::string(KEY_ARROW_RIGHT) + "1c";

// One step of a scripted session: keys to type, then text to wait for at a cell.
struct Step {
    std::string keys;
    int row;
    int col;
    std::string text;
};

class RobustnessE2e : public ::testing::Test {
  protected:
    RobustnessE2e() {
        dir.write_level("t1", std::string(DIAGONAL_PICTURE) + "KOT");
        dir.write_level("big", "ERpp\r\npRRB\r\nEEBB\r\nnDOM");
    }

    std::unique_ptr<PtySession>
    start(std::vector<std::pair<std::string, std::optional<std::string>>> environment = {},
          std::vector<std::pair<int, rlim_t>> limits = {}) const {
        SessionOptions o;
        o.working_dir = dir.path();
        o.environment = std::move(environment);
        o.limits = std::move(limits);
        auto s = std::make_unique<PtySession>(o);
        EXPECT_TRUE(s->wait_for_text(22, 42, MENU_PROMPT)) << s->screen_text();
        return s;
    }

    // Types the steps one after another, each waiting for its text; false at the first
    // text that does not show.
    static bool run_steps(PtySession& s, const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            s.send(step.keys);
            if (!s.wait_for_text(step.row, step.col, step.text)) {
                ADD_FAILURE() << "no \"" << step.text << "\" at row " << step.row << ", column "
                              << step.col << " after keys \"" << step.keys << "\"\n"
                              << s.screen_text();
                return false;
            }
        }
        return true;
    }

    // Expects the program to have let go of the terminal: the mode as it found it, colours
    // reset, and the cursor shown again after the last time it was hidden.
    static void expect_terminal_restored(PtySession& s) {
        EXPECT_TRUE(same_terminal_mode(s.initial_mode(), s.current_mode()));
        EXPECT_TRUE(s.cursor_visible());
        const std::string& out = s.output();
        const std::size_t shown = out.rfind("\x1b[?25h");
        ASSERT_NE(shown, std::string::npos);
        const std::size_t hidden = out.rfind("\x1b[?25l");
        EXPECT_TRUE(hidden == std::string::npos || hidden < shown);
        const std::size_t reset = out.rfind("\x1b[0m");
        ASSERT_NE(reset, std::string::npos);
        EXPECT_LT(reset, shown);
        EXPECT_EQ(out.find("\x1b[", shown + 1), out.find("\x1b[25;1H", shown + 1))
            << "only the move below the screen follows the restore";
    }

    TempWorkDir dir;
};

// The editor on a blank 2 x 3 board, and on to the prompt for the answer of a save.
const std::vector<Step> EDITOR_DRAWING{{"edytor\r", 15, 1, "Podaj wysokosc: "},
                                       {"2\r3\r", 17, 45, "[Z] - zapisz"}};

std::vector<Step> then(std::vector<Step> steps, std::vector<Step> more) {
    steps.insert(steps.end(), more.begin(), more.end());
    return steps;
}

const std::vector<Step> SAVE_ANSWER = then(
    EDITOR_DRAWING, {{"z", 2, 45, "Skonczyles juz prace ?"}, {"t", 19, 0, "Podaj rozwiazanie"}});

// ---- signals ------------------------------------------------------------------------------

// Sends `sig` the way it usually comes (SIGINT through Ctrl-C on the terminal) and expects
// the program dead of it, with the terminal restored.
void interrupt_and_expect_restored(PtySession& s, int sig) {
    if (sig == SIGINT)
        s.send(KEY_CTRL_C);
    else
        s.signal(sig);
    const ExitStatus status = s.wait_exit();
    ASSERT_FALSE(status.timed_out) << s.screen_text();
    EXPECT_FALSE(status.exited);
    EXPECT_EQ(status.signal, sig);
}

constexpr int TERMINATION_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};

TEST_F(RobustnessE2e, TerminationSignalsDuringAGameRestoreTheTerminal) {
    for (int sig : TERMINATION_SIGNALS) {
        SCOPED_TRACE(strsignal(sig));
        auto s = start();
        ASSERT_TRUE(run_steps(*s, {{"t1\r", 3, 0, "  Mapa: t1"},
                                   {"1" + std::string(KEY_ARROW_RIGHT) + "c", 4, 14, "1"}}));
        ASSERT_TRUE(s->wait_for([&] { return s->char_at(9, 26) == CURSOR_MARK; }));
        interrupt_and_expect_restored(*s, sig);
        expect_terminal_restored(*s);
    }
}

TEST_F(RobustnessE2e, TerminationSignalsDuringTypedPromptsRestoreTheTerminal) {
    const std::vector<Step> height_prompt{{"edytor\r", 15, 1, "Podaj wysokosc: "},
                                          {"1", 15, 17, "1"}};
    const std::vector<Step> answer_prompt{{"edytor\r", 15, 1, "Podaj wysokosc: "},
                                          {"2\r3\r", 17, 45, "[Z] - zapisz"},
                                          {"z", 2, 45, "Skonczyles juz prace ?"},
                                          {"t", 19, 0, "Podaj rozwiazanie do 15:"},
                                          {"ko", 20, 0, "ko"}};
    for (const auto* steps : {&height_prompt, &answer_prompt}) {
        for (int sig : TERMINATION_SIGNALS) {
            SCOPED_TRACE(std::string(strsignal(sig)) + " at " + steps->back().text);
            auto s = start();
            ASSERT_TRUE(run_steps(*s, *steps));
            interrupt_and_expect_restored(*s, sig);
            expect_terminal_restored(*s);
            EXPECT_FALSE(dir.read_file("plansze/ko.txt").has_value());
        }
    }
}

// Every other signal that ends a program, crash signals included. A sanitizer in the build is
// told to leave the crash signals alone, as they are in a plain build; no core is dumped.
constexpr int OTHER_ENDING_SIGNALS[] = {SIGQUIT, SIGPIPE, SIGUSR1, SIGUSR2,   SIGALRM, SIGVTALRM,
                                        SIGPROF, SIGXCPU, SIGABRT, SIGSEGV,   SIGBUS,  SIGFPE,
                                        SIGILL,  SIGTRAP, SIGSYS,  SIGSTKFLT, SIGPWR};

std::vector<std::pair<std::string, std::optional<std::string>>> plain_crash_handling() {
    const char* given = std::getenv("ASAN_OPTIONS");
    return {{"ASAN_OPTIONS", std::string(given != nullptr ? given : "") +
                                 ":handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_abort=0"
                                 ":handle_sigill=0:handle_sigtrap=0"}};
}

TEST_F(RobustnessE2e, EverySignalThatEndsTheProgramRestoresTheTerminalFirst) {
    std::vector<int> signals(std::begin(OTHER_ENDING_SIGNALS), std::end(OTHER_ENDING_SIGNALS));
    signals.push_back(SIGRTMIN + 3);
    for (int sig : signals) {
        SCOPED_TRACE(strsignal(sig));
        auto s = start(plain_crash_handling(), {{RLIMIT_CORE, 0}});
        ASSERT_TRUE(run_steps(*s, {{"t1\r", 3, 0, "  Mapa: t1"}}));
        ASSERT_TRUE(s->wait_for([&] { return s->char_at(9, 25) == CURSOR_MARK; }));
        interrupt_and_expect_restored(*s, sig);
        expect_terminal_restored(*s);
    }
}

// A save past the file size limit fails as a save to a full disk does: reported, the old
// file intact, no temporary file left, and the drawing still there to save elsewhere.
TEST_F(RobustnessE2e, SaveBeyondTheFileSizeLimitFailsAndTheDrawingStays) {
    const std::string old_level = std::string(DIAGONAL_PICTURE) + "OLD";
    dir.write_level("plik", old_level);
    auto s = start({}, {{RLIMIT_FSIZE, 4}});
    ASSERT_TRUE(run_steps(*s, then(SAVE_ANSWER, {{"kot\r", 21, 0, "Podaj nazwe pliku"},
                                                 {"plik\r", 23, 0, "Zapis nieudany!"}})));
    EXPECT_EQ(dir.read_file("plansze/plik.txt"), old_level);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path() + "/plansze"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"big.txt", "plik.txt", "t1.txt"}));

    s->send("k");
    ASSERT_TRUE(s->wait_for([&] { return s->row_text(23).empty(); })) << s->screen_text();
    EXPECT_EQ(s->text_at(17, 45, 12), "[Z] - zapisz");
    EXPECT_EQ(s->char_at(9, 25), CURSOR_MARK);
    interrupt_and_expect_restored(*s, SIGINT); // and the program lives on until then
    expect_terminal_restored(*s);
}

// ---- window size ---------------------------------------------------------------------------

// Every cell's character and colours, to compare whole screens.
struct Snapshot {
    std::vector<char32_t> chars;
    std::vector<int> attrs;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const PtySession& s) {
    Snapshot shot;
    for (int row = 0; row < 25; ++row) {
        for (int col = 0; col < 80; ++col) {
            shot.chars.push_back(s.char_at(row, col));
            shot.attrs.push_back(s.attr_at(row, col));
        }
    }
    return shot;
}

TEST_F(RobustnessE2e, ShrunkWindowAsksToBeEnlargedAndGrowingItBackRepaintsTheGame) {
    auto s = start();
    // Paint, move and check once, so that cells, cursor, counter and marks all differ from a
    // freshly drawn game.
    ASSERT_TRUE(
        run_steps(*s, {{"big\r", 3, 0, "  Mapa: big"}, {"1d4s", 10, 25, " "}, {"c", 4, 14, "1"}}));
    ASSERT_TRUE(s->wait_for([&] { return s->char_at(10, 26) == CURSOR_MARK; }));
    const Snapshot before = snapshot(*s);
    EXPECT_EQ(s->attr_at(9, 25), 160);
    EXPECT_EQ(s->attr_at(9, 26), 192);
    EXPECT_EQ(s->attr_at(9, 24), 10);  // row 0 agrees
    EXPECT_EQ(s->attr_at(10, 24), 12); // row 1 does not

    for (auto [rows, columns] : {std::pair{24, 80}, std::pair{25, 79}, std::pair{12, 40}}) {
        SCOPED_TRACE(std::to_string(columns) + " x " + std::to_string(rows));
        s->resize(rows, columns);
        ASSERT_TRUE(s->wait_for_text(0, 0, ENLARGE)) << s->screen_text();
        EXPECT_EQ(s->row_text(4), ""); // nothing of the game is left standing
        EXPECT_EQ(s->row_text(9), "");
        s->resize(25, 80);
        ASSERT_TRUE(s->wait_for([&] { return snapshot(*s) == before; })) << s->screen_text();
    }

    // The game goes on where it was: a key typed while the window is too small is dropped.
    s->resize(20, 60);
    ASSERT_TRUE(s->wait_for_text(0, 0, ENLARGE)) << s->screen_text();
    s->send("c");
    s->settle(200);
    s->resize(25, 80);
    ASSERT_TRUE(s->wait_for([&] { return snapshot(*s) == before; })) << s->screen_text();
    s->send("c");
    ASSERT_TRUE(s->wait_for_text(4, 2, "Sprawdzenia:2")) << s->screen_text();
    EXPECT_EQ(s->attr_at(4, 14), 48);
    s->send("a");
    ASSERT_TRUE(s->wait_for([&] { return s->char_at(10, 25) == CURSOR_MARK; }));
    EXPECT_EQ(s->attr_at(10, 26), 240); // the cell left keeps its white
    EXPECT_EQ(s->attr_at(9, 26), 192);
    s->send("qt");
    ASSERT_TRUE(s->wait_for_text(22, 42, MENU_PROMPT)) << s->screen_text();
    s->send("exit\r");
    EXPECT_EQ(s->wait_exit().code, 0);
}

// ---- hostile level files -------------------------------------------------------------------

TEST_F(RobustnessE2e, EscapeSequencesInAnAnswerNeverReachTheTerminal) {
    dir.write_level("evil", std::string(DIAGONAL_PICTURE) + "\x1b]0;x\x07\x1b[2J\x1b[31mZ");
    auto s = start();
    ASSERT_TRUE(
        run_steps(*s, {{"evil\r", 3, 0, "  Mapa: evil"}, {WIN_DIAGONAL, 8, 6, "GRATULACJE!"}}));
    // The answer's control bytes show as blanks, its other bytes as themselves.
    EXPECT_EQ(s->text_at(11, 4, 16), " ]0;x  [2J [31mZ") << s->screen_text();
    EXPECT_EQ(s->attr_at(11, 4), 11);

    const std::string& out = s->output();
    EXPECT_EQ(out.find("\x1b]"), std::string::npos);
    EXPECT_EQ(out.find('\x07'), std::string::npos);
    EXPECT_EQ(out.find("\x1b[31m"), std::string::npos);
    // The only clearing of the terminal is the presenter's own, before the game was drawn.
    EXPECT_LT(out.rfind("\x1b[2J"), out.find("Mapa: "));
    EXPECT_EQ(s->text_at(3, 0, 12), "  Mapa: evil"); // nothing was cleared after all

    s->send("k");
    ASSERT_TRUE(s->wait_for_text(22, 42, MENU_PROMPT)) << s->screen_text();
    s->send("exit\r");
    EXPECT_EQ(s->wait_exit().code, 0);
}

TEST_F(RobustnessE2e, WithoutUtf8HighBytesOfAnAnswerReachTheTerminalAsAscii) {
    // 0x9B is the one-byte form of ESC [ on terminals that take 8-bit controls.
    dir.write_level("evil", std::string(DIAGONAL_PICTURE) + "a\x9b"
                                                            "2J\x84\xff"
                                                            "b");
    auto s = start({{"LANG", "C"}});
    ASSERT_TRUE(
        run_steps(*s, {{"evil\r", 3, 0, "  Mapa: evil"}, {WIN_DIAGONAL, 8, 6, "GRATULACJE!"}}));
    EXPECT_EQ(s->text_at(11, 4, 6), "a?2J??") << s->screen_text();
    for (char byte : s->output())
        ASSERT_LT(static_cast<unsigned char>(byte), 0x80) << "a byte above ASCII was sent";
}

// ---- the input ending ----------------------------------------------------------------------

// A prompt of the program and the keys that reach it from the main menu.
struct Prompt {
    const char* name;
    std::vector<Step> steps;
    bool empty_typed_line = false; // the menu's word or a size is read, nothing typed yet
};

const std::vector<Prompt> PROMPTS{
    {"LevelNotFoundKey", {{"nosuch\r", 22, 38, "Brak planszy o podanej nazwie"}}},
    {"GameKey", {{"t1\r", 3, 0, "  Mapa: t1"}}},
    {"GameQuitDialog", {{"t1\r", 3, 0, "  Mapa: t1"}, {"q", 1, 45, std::string(QUIT_DIALOG_TOP)}}},
    {"WinBoxKey", {{"t1\r", 3, 0, "  Mapa: t1"}, {WIN_DIAGONAL, 8, 6, "GRATULACJE!"}}},
    {"EditorHeight", {{"edytor\r", 15, 1, "Podaj wysokosc: "}, {"1", 15, 17, "1"}}},
    {"EditorWidth",
     {{"edytor\r", 15, 1, "Podaj wysokosc: "}, {"2\r", 16, 1, "Podaj szerokosc"}},
     true},
    {"InvalidSizeKey",
     {{"edytor\r", 15, 1, "Podaj wysokosc: "}, {"1\r1\r", 18, 1, "Podano nieprawidlowy wymiar"}}},
    {"EditorKey", EDITOR_DRAWING},
    {"EditorQuitDialog", then(EDITOR_DRAWING, {{"q", 1, 45, std::string(QUIT_DIALOG_TOP)}})},
    {"SaveQuestion", then(EDITOR_DRAWING, {{"z", 2, 45, "Skonczyles juz prace ?"}})},
    {"AnswerPrompt", then(SAVE_ANSWER, {{"ko", 20, 0, "ko"}})},
    {"FileNamePrompt", then(SAVE_ANSWER, {{"kot\r", 21, 0, "Podaj nazwe pliku"}})},
    {"SavedKey",
     then(SAVE_ANSWER, {{"kot\r", 21, 0, "Podaj nazwe pliku"}, {"plik\r", 23, 7, "Zapis udany"}})},
};

class InputEndsE2e : public RobustnessE2e, public ::testing::WithParamInterface<Prompt> {};

TEST_P(InputEndsE2e, TheInputEndingEndsTheProgramWithStatusOne) {
    // A pipe that closes at the prompt.
    std::string keys;
    for (const Step& step : GetParam().steps) keys += step.keys;
    const PipedRun piped = run_piped(dir.path(), keys);
    ASSERT_TRUE(piped.status.exited);
    EXPECT_EQ(piped.status.code, 1);

    // Ctrl-D on a terminal ends the input only where the menu's word or a size is read and
    // nothing is typed yet on the line.
    auto s = start();
    ASSERT_TRUE(run_steps(*s, GetParam().steps));
    s->send(KEY_CTRL_D);
    if (!GetParam().empty_typed_line) {
        EXPECT_TRUE(s->wait_exit(300).timed_out) << s->screen_text();
        return;
    }
    const ExitStatus status = s->wait_exit();
    ASSERT_TRUE(status.exited) << s->screen_text();
    EXPECT_EQ(status.code, 1);
    expect_terminal_restored(*s);
    // The screen the input ended on stays on the terminal, one row higher: the shell's line
    // below it scrolled the 25-row window.
    const Step& last = GetParam().steps.back();
    EXPECT_EQ(s->text_at(last.row - 1, last.col, static_cast<int>(last.text.size())), last.text);
}

INSTANTIATE_TEST_SUITE_P(EveryPrompt, InputEndsE2e, ::testing::ValuesIn(PROMPTS),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zk::e2e
