// Tests of the game's command line: options, faults, puzzle options and the usage text.

#include "menu/command_line.hpp"

#include <gtest/gtest.h>

#include <chrono>

#include <string>
#include <string_view>
#include <vector>

namespace zk {
namespace {

CommandLine parse(std::vector<std::string_view> args, const char* variable = nullptr) {
    return parse_command_line(args, variable);
}

TEST(CommandLineTest, OptionsLevelAndPaletteSources) {
    EXPECT_FALSE(parse({}).level);
    EXPECT_EQ(parse({"--help", "--bogus"}).action, CommandAction::help); // the first decides
    EXPECT_EQ(parse({"e1", "--version"}).action, CommandAction::version);

    const CommandLine line = parse({"--palette=colour-blind", "e1"});
    EXPECT_EQ(line.action, CommandAction::play);
    EXPECT_EQ(line.palette, Palette::colour_blind);
    EXPECT_EQ(line.level, "e1");
    EXPECT_EQ(parse({"--palette", "colour-blind"}).palette, Palette::colour_blind);
    EXPECT_FALSE(parse({"--palette", "colour-blind"}).level); // the name is the option's
    EXPECT_EQ(parse({"-"}).level, "-");
    EXPECT_EQ(parse({}, "colour-blind").palette, Palette::colour_blind);
    EXPECT_EQ(parse({"--palette=classic"}, "colour-blind").palette, Palette::classic);
    EXPECT_EQ(parse({"--palette=classic"}, "bad").action, CommandAction::play); // option wins
    EXPECT_EQ(parse({"/?", "--bogus"}).action, CommandAction::help);            // as on Windows
    EXPECT_EQ(parse({"--", "--help"}).level, "--help");
    EXPECT_EQ(parse({"\xc5\xbc\xc3\xb3\xc5\x82w"}).level, "\xbe\xa2\x88w"); // żółw in cp852
    EXPECT_EQ(parse({"\xff\xfe"}).level, "\xff\xfe"); // not UTF-8: kept as it is
}

TEST(CommandLineTest, FaultsGiveOneLineReasons) {
    EXPECT_EQ(parse({"--bogus"}).error, "zimvokrelt: unknown option '--bogus'");
    EXPECT_EQ(parse({"e1", "e2"}).action, CommandAction::usage_error);
    EXPECT_EQ(parse({"--palette"}).action, CommandAction::usage_error);

    const CommandLine refused = parse({"--palette=red"});
    EXPECT_EQ(refused.action, CommandAction::refused);
    EXPECT_EQ(refused.error, "zimvokrelt: unknown palette 'red' (classic or colour-blind)");
    EXPECT_EQ(parse({}, "red").action, CommandAction::refused);
    EXPECT_EQ(parse({"\xe2\x82\xac"}).action, CommandAction::refused); // no code page 852 byte
    EXPECT_EQ(parse({}, "").action, CommandAction::play);

    // Control bytes, C1 bytes and the rest beyond ASCII never reach the terminal raw.
    EXPECT_EQ(parse({"--\x1b]0;t\a\x9b"}).error,
              "zimvokrelt: unknown option '--\\x1B]0;t\\x07\\x9B'");
    EXPECT_EQ(parse({"--palette=\x1b[2J\x7f"}).error,
              "zimvokrelt: unknown palette '\\x1B[2J\\x7F' (classic or colour-blind)");
    EXPECT_EQ(parse({}, "\x1b[2J").error, "zimvokrelt: unknown palette '\\x1B[2J' in "
                                          "ZIMVOKRELT_PALETTE (classic or colour-blind)");
}

TEST(CommandLineTest, PuzzleOptionsFillTheGradesDefaults) {
    const CommandLine hard = parse({"--random", "--grade=hard", "--seed", "4294967295", "--print"});
    ASSERT_TRUE(hard.puzzle);
    EXPECT_EQ(hard.puzzle->height * 100 + hard.puzzle->width, 1515);
    EXPECT_EQ(hard.puzzle->colours, 5);
    EXPECT_EQ(hard.puzzle->seed, 4294967295u);
    EXPECT_EQ(hard.seed_source, SeedSource::given);
    EXPECT_TRUE(hard.print);
    const CommandLine sized = parse({"--size=3x15", "--colours=1", "--random"});
    ASSERT_TRUE(sized.puzzle);
    EXPECT_EQ(sized.puzzle->height * 100 + sized.puzzle->width, 315);
    EXPECT_EQ(sized.puzzle->grade, Grade::medium);
    EXPECT_EQ(sized.seed_source, SeedSource::entropy);
    EXPECT_EQ(parse({"--daily"}).seed_source, SeedSource::today);
    using namespace std::chrono;
    EXPECT_EQ(daily_seed(sys_days(year(2026) / 12 / 8)), 20261208u);
}

TEST(CommandLineTest, BadPuzzleOptionsAreRefusedWithOneLine) {
    const std::vector<std::vector<std::string_view>> refused{
        {"--random", "--size=16x16"},
        {"--random", "--size=1x5"},
        {"--random", "--size=abc"},
        {"--random", "--size=5x"},
        {"--random", "--grade=extreme"},
        {"--random", "--colours=0"},
        {"--random", "--colours=6"},
        {"--random", "--seed=-1"},
        {"--random", "--seed=4294967296"},
        {"--random", "--seed=+1"},
        {"--print"},
        {"--size=5x5"},
        {"--random", "e1"},
        {"--random", "--daily"},
        {"--daily", "--seed=1"},
        {"--random", "--size=3x3", "--grade=hard"},
        {"--random", "--size=5x5"}, // medium in its 4 colours needs 40 cells
    };
    for (const auto& args : refused) {
        const CommandLine line = parse(args);
        EXPECT_EQ(line.action, CommandAction::refused) << args.back();
        EXPECT_EQ(line.error.find('\n'), std::string::npos) << line.error;
    }
    EXPECT_EQ(parse({"--random", "--grade=extreme"}).error,
              "zimvokrelt: unknown grade 'extreme' (easy, medium or hard)");
    EXPECT_EQ(parse({"--print", "--random", "--bogus"}).action, CommandAction::usage_error);
}

TEST(CommandLineTest, UsageListsTheLevelFoldersInOrder) {
    const std::string usage = usage_text({"plansze", "/opt/g/plansze", "/usr/share/lv"});
    const std::size_t local = usage.find("  plansze (below the working directory)\n");
    const std::size_t beside = usage.find("  /opt/g/plansze\n");
    const std::size_t installed = usage.find("  /usr/share/lv\n");
    ASSERT_NE(installed, std::string::npos);
    EXPECT_LT(local, beside);
    EXPECT_LT(beside, installed);
}

} // namespace
} // namespace zk
