#pragma once

// The editor tests' fixture: a scratch working folder, the program's context with scripted keys,
// the editor opened on a board, and screen comparisons.

#include "console/keys.hpp"
#include "editor/editor_loop.hpp"
#include "editor/editor_setup.hpp"
#include "scratch_dir.hpp"
#include "screen_text.hpp"
#include "screens/context.hpp"
#include "scripted_keys.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace zk::test {

/// The editor tests' scratch working directory: files() lists what was written, also one
/// level above the working directory.
using TempWorkingDir = ScratchWorkingDir;

/// The whole contents of a file, byte for byte; empty when it cannot be read.
inline std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// True when two screens show the same thing: the same glyph everywhere, and the same
/// attribute wherever it can be seen (a blank on a black background looks the same in any
/// foreground colour).
inline bool looks_the_same(const Screen& a, const Screen& b, std::string* first_difference) {
    for (int row = 0; row < SCREEN_ROWS; ++row)
        for (int col = 0; col < SCREEN_COLUMNS; ++col) {
            const Cell& x = a.cell(row, col);
            const Cell& y = b.cell(row, col);
            const bool invisible_attr = x.glyph == ' ' && x.attr < 16 && y.attr < 16;
            if (x.glyph == y.glyph && (invisible_attr || x.attr == y.attr)) continue;
            std::ostringstream where;
            where << "row " << row << " col " << col << ": '" << x.glyph << "'/" << int(x.attr)
                  << " vs '" << y.glyph << "'/" << int(y.attr);
            *first_difference = where.str();
            return false;
        }
    return true;
}

/// A context with scripted keys, and helpers to open the editor on a board of a given size.
struct EditorTest : ::testing::Test {
    ScriptedKeys keys;
    Screen drawn;
    Context ctx{drawn, keys};

    Screen& screen() { return ctx.screen(); }
    PuzzleState& puzzle() { return ctx.puzzle; }

    /// Types the two sizes, each on its own line, and expects the board.
    void open_board(int height, int width) {
        keys.add(std::to_string(height) + "\r" + std::to_string(width) + "\r");
        ASSERT_EQ(editor_setup(ctx), ScreenId::editor);
    }

    /// Runs the editor from its start on `codes`; the script then ends, which stops the loop
    /// exactly where the last code left it.
    void draw(const std::string& codes) {
        keys.add(codes);
        EXPECT_THROW(start_editor(ctx), InputEnded);
    }

    /// Goes on in the already started editor with `codes`, again until the script ends.
    void draw_more(const std::string& codes) {
        keys.add(codes);
        EXPECT_THROW(editor_loop(ctx), InputEnded);
    }

    /// The letters of canvas row r, columns 0 .. length - 1.
    std::string canvas_row(int r, int length) {
        std::string row;
        for (int c = 0; c < length; ++c)
            row.push_back(static_cast<char>(at(puzzle().canvas, r, c)));
        return row;
    }
};

} // namespace zk::test
