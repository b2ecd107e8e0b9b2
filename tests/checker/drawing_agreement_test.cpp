// The checker's --strict judgement and the editor's judgement of a drawing must never differ.

#include "checker/level_report.hpp"
#include "model/level_file.hpp"
#include "solver/clues.hpp"
#include "solver/drawing_verdict.hpp"

#include "picture.hpp"
#include "scratch_dir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace zk {
namespace {

struct DrawingAgreementTest : test::ScratchDirTest {};

// The checker's strict verdict on the file at `path`, with what it printed.
FileVerdict check_strict(const std::string& path, std::string& printed) {
    CheckOptions options;
    options.strict = true;
    std::ostringstream out;
    const FileVerdict verdict = check_level_file(path, options, out);
    printed = out.str();
    return verdict;
}

TEST_F(DrawingAgreementTest, ShippedLevelsAreUniqueForBoth) {
    int levels = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ZK_SOURCE_LEVEL_DIR)) {
        if (entry.path().extension() != ".txt") continue;
        ++levels;
        PuzzleState puzzle;
        ASSERT_TRUE(load_level(puzzle, entry.path().string())) << entry.path();
        const BoardSize size = board_size(puzzle.target);
        const DrawingVerdict editor = judge_drawing(puzzle.target, size.height, size.width);
        std::string printed;
        const FileVerdict checker = check_strict(entry.path().string(), printed);
        EXPECT_EQ(editor, DrawingVerdict::unique) << entry.path();
        EXPECT_EQ(checker.drawing, editor) << entry.path();
        EXPECT_TRUE(is_good(checker, true)) << printed;
    }
    EXPECT_GE(levels, 15);
}

TEST_F(DrawingAgreementTest, EveryVerdictAndItsReason) {
    const std::map<DrawingVerdict, std::string> reason = {
        {DrawingVerdict::empty, "result: NOT GOOD: empty board"},
        {DrawingVerdict::run_too_long, "result: NOT GOOD: advice rules broken"},
        {DrawingVerdict::too_many_column_runs, "result: NOT GOOD: advice rules broken"},
        {DrawingVerdict::several, "several solutions"},
        {DrawingVerdict::needs_guessing, "result: NOT GOOD: needs guessing"},
        {DrawingVerdict::unique, "result: good"},
    };
    const std::vector<std::pair<std::vector<std::string>, DrawingVerdict>> drawings = {
        {{"pppp", "pppp"}, DrawingVerdict::empty},
        {{"YYYYYYYYYYY", "EpppppppppE"}, DrawingVerdict::run_too_long},
        {{"Rp", "RE", "Rp", "Rp", "Rp", "Rp", "Rp", "Rp", "Rp", "Rp"},
         DrawingVerdict::run_too_long},
        {{"Ep", "Yp", "Ep", "Yp", "Ep", "Yp", "Ep", "Yp", "Ep"},
         DrawingVerdict::too_many_column_runs},
        // The limits themselves are allowed, and only columns have a limit on runs.
        {{"RRRRRRRRRp", "pppppppppp"}, DrawingVerdict::unique},
        {{"Ep", "Yp", "Ep", "Yp", "Ep", "Yp", "Ep", "Yp"}, DrawingVerdict::unique},
        {{"EYEYEYEYE", "ppppppppp"}, DrawingVerdict::unique},
        // The first that applies: a long run before several solutions or too many column
        // runs, too many column runs before several solutions.
        {{"EEEEEEEEEEp", "ppppppppppp", "Epppppppppp", "pEppppppppp"},
         DrawingVerdict::run_too_long},
        {{"EEEEEEEEEE", "Yppppppppp", "Eppppppppp", "Yppppppppp", "Eppppppppp", "Yppppppppp",
          "Eppppppppp", "Yppppppppp", "Eppppppppp"},
         DrawingVerdict::run_too_long},
        {{"Epp", "Ypp", "Epp", "Ypp", "Epp", "Ypp", "Epp", "Ypp", "Epp", "ppp", "pEp", "ppE"},
         DrawingVerdict::too_many_column_runs},
        {{"Ep", "pE"}, DrawingVerdict::several},
        {{"RRppp", "pRRpp", "ppRRp", "pppRR", "RpppR"}, DrawingVerdict::several},
        {{"EEpEppppEpppppE", "ppEppEpEpppEppp", "pppEppEppEEpEpp", "pppEpppEEpEppEp",
          "EEEppEpppppEpEp", "EpEpppEEppppppE", "pppEpEEEpEEEEpE", "EEppEEpppEppEEp",
          "pEpEpEEppEEpppp", "ppEEEppppEEEpEE", "EpppppEEEEpppEp", "pEpppEppEEEpppE",
          "EppEEEpEpEppppp", "EpppEpEppEppEEp", "EEppEppEppppEEp"},
         DrawingVerdict::several},
        {{"ppEE", "ppEE", "EEpp", "Eppp"}, DrawingVerdict::needs_guessing},
        {{"pRRRp", "RRpRR", "RRRRR", "ppGpp", "pEGEp"}, DrawingVerdict::unique},
    };
    for (const auto& [rows, expected] : drawings) {
        std::string bytes;
        for (const std::string& row : rows) bytes += row + "\r\n";
        test::write_file("level.txt", bytes + "nab");
        const Grid picture = test::picture_of(rows);
        const DrawingVerdict editor = judge_drawing(picture, static_cast<int>(rows.size()),
                                                    static_cast<int>(rows.front().size()));
        std::string printed;
        const FileVerdict checker = check_strict("level.txt", printed);
        EXPECT_EQ(editor, expected) << bytes;
        EXPECT_EQ(checker.drawing, editor) << printed;
        EXPECT_EQ(is_good(checker, true), editor == DrawingVerdict::unique) << printed;
        EXPECT_NE(printed.find(reason.at(editor)), std::string::npos) << printed;
    }
}

} // namespace
} // namespace zk
