// End-to-end tests of the game's command line: help, version, a level argument, a random
// puzzle.

#include "pty_session.hpp"

#include "model/colours.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace zk::e2e {
namespace {

// How the game ended and what the terminal got, with one output ("1" or "2") dropped.
struct Outcome {
    ExitStatus status;
    std::string shown;
    bool mode_kept = false;
};

Outcome run_with(const TempWorkDir& dir, std::vector<std::string> args, const char* dropped) {
    SessionOptions o;
    o.working_dir = dir.path();
    o.program = "/bin/sh";
    o.arguments = {"-c", "exec \"$0\" \"$@\" " + std::string(dropped) + ">/dev/null",
                   game_binary()};
    o.arguments.insert(o.arguments.end(), args.begin(), args.end());
    PtySession s(o);
    const ExitStatus status = s.wait_exit();
    return {status, s.output(), same_terminal_mode(s.initial_mode(), s.current_mode())};
}

TEST(CommandLineE2e, HelpAndVersionOnStandardOutputFaultsOnStandardError) {
    const TempWorkDir dir;
    const Outcome help = run_with(dir, {"--help"}, "2");
    EXPECT_EQ(help.status.code, 0);
    EXPECT_EQ(help.shown.find("Usage: zimvokrelt [OPTION]... [LEVEL]"), 0u) << help.shown;
    EXPECT_NE(help.shown.find("plansze (below the working directory)"), std::string::npos);
    EXPECT_EQ(help.shown.find('\x1b'), std::string::npos); // the terminal was not touched
    EXPECT_TRUE(help.mode_kept);

    const Outcome version = run_with(dir, {"--version"}, "2");
    EXPECT_EQ(version.status.code, 0);
    EXPECT_EQ(version.shown, "zimvokrelt " ZK_GAME_VERSION "\r\n");

    const Outcome unknown = run_with(dir, {"--bogus"}, "1");
    EXPECT_EQ(unknown.status.code, 2);
    EXPECT_EQ(unknown.shown.find("zimvokrelt: unknown option '--bogus'\r\nUsage: "), 0u);
    EXPECT_EQ(run_with(dir, {"--bogus"}, "2").shown, "");
    EXPECT_EQ(run_with(dir, {"e1", "e2"}, "1").status.code, 2);
    SessionOptions o; // the word that ends the game at the menu ends it at once
    o.working_dir = dir.path();
    o.arguments = {"exit"};
    PtySession exit(o);
    EXPECT_EQ(exit.wait_exit().code, 0);
    EXPECT_EQ(exit.output(), "");

    const Outcome palette = run_with(dir, {"--palette=red"}, "1");
    EXPECT_EQ(palette.status.code, 2);
    EXPECT_EQ(palette.shown, "zimvokrelt: unknown palette 'red' (classic or colour-blind)\r\n");
}

// From a folder without levels, the named shipped level opens at once; leaving it brings the
// menu, where the level typed again is found too.
TEST(CommandLineE2e, ALevelArgumentOpensTheShippedLevelThenTheMenu) {
    const TempWorkDir dir;
    SessionOptions o;
    o.working_dir = dir.path();
    o.arguments = {"--palette=colour-blind", "e1"};
    PtySession s(o);
    ASSERT_TRUE(s.wait_for_text(3, 0, "  Mapa: e1")) << s.screen_text();
    ASSERT_TRUE(s.wait_for_text(4, 2, "Sprawdzenia:0")) << s.screen_text();
    s.send("qt");
    ASSERT_TRUE(s.wait_for_text(22, 42, "Podaj nazwe poziomu: ")) << s.screen_text();
    s.send("h3\r");
    ASSERT_TRUE(s.wait_for_text(3, 0, "  Mapa: h3")) << s.screen_text();
    s.send("qtexit\r");
    EXPECT_EQ(s.wait_exit().code, 0);
}

// What the program writes to standard output when run with `args` outside a terminal.
std::string output_of(const std::string& args) {
    std::string text;
    if (std::FILE* pipe = ::popen((std::string(game_binary()) + " " + args).c_str(), "r")) {
        char buffer[256];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, got);
        ::pclose(pipe);
    }
    return text;
}

// The puzzle --random makes is the one --print writes: painted from that picture and checked,
// it ends in the win box with the seed as its answer word, and a key brings the menu.
TEST(CommandLineE2e, ARandomPuzzlePaintedFromItsPrintedPictureIsWonWithItsSeed) {
    const std::string puzzle = "--random --size=5x6 --grade=easy --colours=2 --seed=48213";
    const std::string level = output_of(puzzle + " --print");
    ASSERT_TRUE(level.ends_with("\r\nn#48213")) << level;
    std::vector<std::string> rows;
    for (std::size_t at = 0; level[at] != 'n'; at = level.find('\n', at) + 1)
        rows.push_back(level.substr(at, level.find('\r', at) - at));
    ASSERT_EQ(rows.size(), 5u);

    const TempWorkDir dir;
    SessionOptions o;
    o.working_dir = dir.path();
    o.arguments = {"--random", "--size=5x6", "--grade=easy", "--colours=2", "--seed=48213"};
    PtySession s(o);
    ASSERT_TRUE(s.wait_for_text(3, 0, "  Mapa: #48213")) << s.screen_text();
    std::string keys;
    for (const std::string& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (row[c] != WHITE) keys += colour_of_letter(row[c])->key;
            keys += c + 1 < row.size() ? "d" : "s";
        }
        keys += std::string(row.size() - 1, 'a');
    }
    s.send(keys + "c");
    ASSERT_TRUE(s.wait_for_text(8, 6, "GRATULACJE!")) << s.screen_text();
    EXPECT_EQ(s.text_at(11, 4, 6), "#48213");
    s.send("x");
    ASSERT_TRUE(s.wait_for_text(22, 42, "Podaj nazwe poziomu: ")) << s.screen_text();
    s.send("exit\r");
    EXPECT_EQ(s.wait_exit().code, 0);
}

} // namespace
} // namespace zk::e2e
