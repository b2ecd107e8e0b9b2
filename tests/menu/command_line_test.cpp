#include "menu/command_line.hpp"

#include <gtest/gtest.h>

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
