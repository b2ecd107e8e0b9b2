#pragma once

// Level editor: the verdict on the drawing and the line that shows it in the save question.

#include "board_screen/layout.hpp"
#include "console/screen.hpp"
#include "model/puzzle.hpp"
#include "solver/drawing_verdict.hpp"

namespace zk {

/// Row of the save question on which the verdict stands, between the question and its keys.
constexpr int VERDICT_ROW = DIALOG_KEYS_ROW - 1;

/// The verdict on the editor's drawing as it stands: the board rectangle of the canvas
/// (its size read from target) judged exactly as the checker judges the level file that
/// saving it would write.
DrawingVerdict judge_editor_drawing(const PuzzleState& p);

/// The save question's line for `verdict`: VERDICT_ROW at DIALOG_COLUMN, exactly DIALOG_WIDTH
/// characters, red for a drawing that is no fair level, yellow when it needs guessing, green
/// when line reasoning alone solves it.
const ScreenText& verdict_line(DrawingVerdict verdict);

} // namespace zk
