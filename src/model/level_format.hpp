#pragma once

// The level file's format, the one description the loader, the saver, the editor and the
// level checker share: rows of colour letters (COLOUR_TABLE's), each ending in a line end, then
// the answer marker and the answer word, then at most one line end.

#include "model/colours.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zk {

/// Folder of the levels, below the working directory (and beside the program on Windows).
inline constexpr std::string_view LEVEL_DIR = "plansze";
/// What a level file's name ends in, after the level's name.
inline constexpr std::string_view LEVEL_FILE_EXTENSION = ".txt";

/// The byte that ends a row: LF, which a reader of the file also takes from CR LF.
inline constexpr std::uint8_t LINE_END = '\n';
/// What the saver ends each row with.
inline constexpr std::string_view SAVED_LINE_END = "\r\n";
/// The byte that follows the last row and starts the answer line.
inline constexpr std::uint8_t ANSWER_MARKER = 'n';
/// Longest answer word, and longest level name, the program takes.
inline constexpr std::size_t MAX_NAME_LENGTH = 15;
/// Answer bytes a loaded level keeps (before their terminating zero); a longer answer line is
/// cut, so a hand-made file with a long answer still loads.
inline constexpr std::size_t ANSWER_CAPACITY = 31;
/// The byte of the editor's layout of a level file that stands for the answer line: the saver
/// writes the answer marker and the answer in its place.
inline constexpr std::uint8_t ANSWER_PLACEHOLDER = 'x';

/// The advice for a drawing, from the room the screens give its clues: a run of at most
/// ADVICE_MAX_RUN cells keeps its clue to one character, and at most ADVICE_MAX_COLUMN_RUNS
/// runs of a column fit in the rows above the board (the board's place is derived from it).
/// The format allows more; the editor and the level checker warn.
inline constexpr int ADVICE_MAX_RUN = 9;
inline constexpr int ADVICE_MAX_COLUMN_RUNS = 8;

/// The cell letters of a level file, separated by blanks, in COLOUR_TABLE's order.
std::string cell_letter_list();

} // namespace zk
