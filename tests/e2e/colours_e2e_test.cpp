// End-to-end tests of the colours the real game sends for each terminal and palette.

#include "pty_session.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zk::e2e {
namespace {

constexpr std::string_view MENU_PROMPT = "Podaj nazwe poziomu: ";
constexpr int GREY_INDEX = 250;  // grey ramp 188: nearest C0C0C0
constexpr int WHITE_INDEX = 231; // cube 255, 255, 255

// Every colour parameter of the SGR sequences in `output` that is neither a reset nor a fixed
// palette index (38;5;N or 48;5;N with N of 16..255), as text; empty when there is none.
std::vector<std::string> themed_colours(const std::string& output) {
    std::vector<std::string> found;
    for (std::size_t at = output.find("\x1b["); at != std::string::npos;
         at = output.find("\x1b[", at + 2)) {
        const std::size_t end = output.find_first_not_of("0123456789;", at + 2);
        if (end == std::string::npos || output[end] != 'm') continue;
        std::vector<int> n;
        std::string part;
        for (char c : output.substr(at + 2, end - at - 2) + ";") {
            if (c != ';') {
                part.push_back(c);
                continue;
            }
            n.push_back(part.empty() ? 0 : std::stoi(part));
            part.clear();
        }
        for (std::size_t i = 0; i < n.size(); ++i) {
            if (n[i] == 0) continue;
            if ((n[i] == 38 || n[i] == 48) && i + 2 < n.size() && n[i + 1] == 5 && n[i + 2] >= 16) {
                i += 2;
                continue;
            }
            found.push_back(output.substr(at + 1, end - at));
            break;
        }
    }
    return found;
}

class ColoursE2e : public ::testing::Test {
  protected:
    ColoursE2e() { dir.write_level("t1", "Gp\r\npG\r\nnKOT"); }

    // Opens the level, paints its top-left cell grey and steps right, onto a white cell.
    void paint_grey_beside_white(PtySession& s) {
        ASSERT_TRUE(s.wait_for_text(22, 42, MENU_PROMPT)) << s.screen_text();
        s.send("t1\r");
        ASSERT_TRUE(s.wait_for_text(3, 0, "  Mapa: t1")) << s.screen_text();
        s.send("5d");
        ASSERT_TRUE(s.wait_for([&] { return s.char_at(9, 26) == U'\u00B0'; })) << s.screen_text();
    }

    SessionOptions options(std::string term) const {
        SessionOptions o;
        o.working_dir = dir.path();
        o.environment.push_back({"TERM", std::move(term)});
        return o;
    }

    TempWorkDir dir;
};

TEST_F(ColoursE2e, A256ColourTerminalShowsGreyAndWhiteCellsInFarApartFixedIndices) {
    PtySession s(options("xterm-256color"));
    paint_grey_beside_white(s);
    EXPECT_EQ(s.attr_at(9, 25), 0x70); // black on grey
    EXPECT_EQ(s.attr_at(9, 26), 0xF0); // black on white
    EXPECT_EQ(s.background_index_at(9, 25), GREY_INDEX);
    EXPECT_EQ(s.background_index_at(9, 26), WHITE_INDEX);
    EXPECT_EQ(s.background_index_at(10, 25), WHITE_INDEX);
    EXPECT_EQ(s.attr_at(9, 23), 7); // the grey run's clue, grey on black
    const std::vector<std::string> themed = themed_colours(s.output());
    EXPECT_TRUE(themed.empty()) << "a themed colour was sent: " << themed[0];
}

TEST_F(ColoursE2e, OtherTerminalsKeepTheirSixteenColours) {
    PtySession s(options("xterm"));
    paint_grey_beside_white(s);
    EXPECT_EQ(s.attr_at(9, 25), 0x70);
    EXPECT_EQ(s.attr_at(9, 26), 0xF0);
    EXPECT_EQ(s.background_index_at(9, 25), 7);
    EXPECT_EQ(s.background_index_at(9, 26), 15);
}

TEST_F(ColoursE2e, ADumbTerminalGetsOneLineWhyAndIsLeftAsItWas) {
    PtySession s(options("dumb"));
    const ExitStatus status = s.wait_exit();
    ASSERT_TRUE(status.exited);
    EXPECT_EQ(status.code, 1);
    const std::string& out = s.output();
    EXPECT_EQ(out.find('\x1b'), std::string::npos) << out; // nothing sent to the terminal
    EXPECT_NE(out.find("TERM=dumb"), std::string::npos) << out;
    EXPECT_NE(out.find("kursora"), std::string::npos) << out; // why: no cursor positioning
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
    EXPECT_TRUE(same_terminal_mode(s.initial_mode(), s.current_mode()));

    // Not a terminal: scripted sessions run whatever TERM says.
    const PipedRun piped = run_piped(dir.path(), "exit\n", 5000, {{"TERM", "dumb"}});
    EXPECT_TRUE(piped.status.exited);
    EXPECT_EQ(piped.status.code, 0);
}

// With the colour-blind palette a 256-colour terminal gets its colours for the clue digits,
// the legend and the cells alike; a 16-colour terminal is told once, before the game, that it
// keeps its own colours, and the game goes on.
TEST_F(ColoursE2e, TheColourBlindPaletteReachesCluesLegendAndCells) {
    std::string level = "EYBRGp\r\n";
    for (int row = 1; row < 6; ++row) level += "pppppp\r\n";
    dir.write_level("t6", level + "nKOLORY");
    // Green, yellow, blue, red, grey, white: nearest 009E73 (the lower of two), F0E442,
    // 56B4E9, D55E00, C0C0C0 and FFFFFF.
    constexpr int INDEX[6] = {35, 221, 74, 166, GREY_INDEX, WHITE_INDEX};
    SessionOptions o = options("xterm-256color");
    o.environment.push_back({"ZIMVOKRELT_PALETTE", "colour-blind"});
    PtySession s(o);
    ASSERT_TRUE(s.wait_for_text(22, 42, MENU_PROMPT)) << s.screen_text();
    s.send("t6\r");
    ASSERT_TRUE(s.wait_for_text(3, 0, "  Mapa: t6")) << s.screen_text();
    s.send("1d2d3d4d5"); // the sixth cell stays white
    ASSERT_TRUE(s.wait_for([&] { return s.background_index_at(9, 29) == GREY_INDEX; }));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(s.background_index_at(9, 25 + i), INDEX[i]) << "cell " << i;
        EXPECT_EQ(s.foreground_index_at(10 + i, 45), INDEX[i]) << "legend " << i;
        if (i < 5) {
            EXPECT_EQ(s.foreground_index_at(7, 25 + i), INDEX[i]) << "clue " << i;
        }
    }
    EXPECT_EQ(s.output().find("16 wlasnych kolorow"), std::string::npos);

    o = options("xterm");
    o.environment.push_back({"ZIMVOKRELT_PALETTE", "colour-blind"});
    PtySession basic(o);
    ASSERT_TRUE(basic.wait_for_text(22, 42, MENU_PROMPT)) << basic.screen_text();
    const std::string& out = basic.output();
    EXPECT_EQ(out.find("zimvokrelt: ten terminal pokazuje tylko 16 wlasnych kolorow"), 0u) << out;
    EXPECT_EQ(out.find('\x1b'), out.find("\r\n") + 2) << out; // one line, then the game
    EXPECT_EQ(out.find("kolorow", out.find('\n')), std::string::npos);
    basic.send("exit\r");
    EXPECT_EQ(basic.wait_exit().code, 0);
    // Said again below the last screen, where no clear wipes it.
    EXPECT_GT(out.rfind("16 wlasnych kolorow"), out.rfind('\x1b')) << out;
}

} // namespace
} // namespace zk::e2e
