// The save dialog: the answer word and the file name asked below the board, the refusals in
// the program's words, and the level written.

#include "editor/save_dialog.hpp"

#include "board_screen/layout.hpp"
#include "console/line_reader.hpp"
#include "editor/editor_board.hpp"
#include "model/level_file.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace zk {

namespace {

constexpr int WARNING_ROW = 18;
constexpr int ANSWER_PROMPT_ROW = 19;
constexpr int ANSWER_ECHO_ROW = 20;
constexpr int NAME_PROMPT_ROW = 21;
constexpr int NAME_ECHO_ROW = 22;
constexpr int RESULT_ROW = 23;
constexpr int LAST_ROW = SCREEN_ROWS - 1;

constexpr const char* TOO_LONG = "Za dlugie, do 15 znakow!";

constexpr int ECHO_ATTR = ATTR_LIGHT_CYAN;

// Reads the first word of the next line that holds one and forgets the rest of that line.
// Every typed line echoes from column 0 of echo_row, so empty lines never push the echo down
// the screen. A word still pending from an earlier line is taken without a new line. Nothing
// when Ctrl-D comes on a line with nothing typed.
std::optional<std::string> read_first_word(Console& console, int echo_row) {
    while (console.pending_line.find_first_not_of(" \t\r\n") == std::string::npos) {
        discard_pending_line(console);
        move_output_to(console.screen, echo_row, 0);
        if (!read_typed_line(console, ECHO_ATTR)) return std::nullopt;
    }
    std::string word = read_word(console, ECHO_ATTR);
    discard_pending_line(console);
    return word;
}

// Shows `prompt` at its row in white and reads the word, echoed in light cyan on echo_row.
std::optional<std::string> ask_word(Console& console, int prompt_row, const char* prompt,
                                    int echo_row) {
    put_text_at(console.screen, prompt_row, 0, ATTR_WHITE, prompt);
    return read_first_word(console, echo_row);
}

// Wipes the refused word's echo (which may have run over the board) and any earlier refusal,
// and says why in red on message_row; the prompt is then drawn again at its own row.
void refuse(const PuzzleState& p, Screen& s, int echo_row, int message_row, const char* why) {
    restore_editor_rows(p, s, echo_row, echo_row);
    restore_editor_rows(p, s, message_row, message_row);
    put_text_at(s, message_row, 0, ATTR_LIGHT_RED, why);
}

std::optional<std::string> ask_answer(Context& ctx) {
    for (;;) {
        std::optional<std::string> answer =
            ask_word(ctx.console, ANSWER_PROMPT_ROW, "Podaj rozwiazanie do 15:\n", ANSWER_ECHO_ROW);
        if (!answer || answer->size() <= MAX_NAME_LENGTH) return answer;
        refuse(ctx.puzzle, ctx.screen(), ANSWER_ECHO_ROW, NAME_PROMPT_ROW, TOO_LONG);
    }
}

std::optional<std::string> ask_file_name(Context& ctx) {
    for (;;) {
        std::optional<std::string> name =
            ask_word(ctx.console, NAME_PROMPT_ROW, "Podaj nazwe pliku do 15:\n", NAME_ECHO_ROW);
        if (!name) return name;
        const char* why = name_refusal_text(level_name_fault(*name));
        if (why == nullptr) return name;
        refuse(ctx.puzzle, ctx.screen(), NAME_ECHO_ROW, RESULT_ROW, why);
    }
}

} // namespace

const char* name_refusal_text(NameFault fault) {
    switch (fault) {
    case NameFault::none:
        return nullptr;
    case NameFault::too_long:
        return TOO_LONG;
    case NameFault::separator:
        return "Nie wolno uzyc / ani \\!";
    case NameFault::leading_dot:
        return "Nie zaczynaj od kropki!";
    case NameFault::control_character:
        return "Znak sterujacy w nazwie!";
    case NameFault::reserved_character:
        return "Nie wolno uzyc :*?\"<>|!";
    case NameFault::trailing_dot_or_blank:
        return "Nie koncz kropka/spacja!";
    case NameFault::device_name:
        return "Zarezerwowana w Windows!";
    case NameFault::empty:
    case NameFault::zero_byte:
        break;
    }
    return "Niedozwolona nazwa!";
}

bool save_drawing(Context& ctx) {
    Screen& s = ctx.screen();
    put_text_at(s, WARNING_ROW, 0, ATTR_LIGHT_GREEN, "Nie uzywamy spacji!");

    std::optional<std::string> answer = ask_answer(ctx);
    std::optional<std::string> name;
    if (answer) {
        restore_editor_rows(ctx.puzzle, s, NAME_PROMPT_ROW, NAME_PROMPT_ROW); // a refusal line
        name = ask_file_name(ctx);
    }
    if (!name) { // Ctrl-D on an empty line: back to the drawing, as it was
        restore_editor_rows(ctx.puzzle, s, WARNING_ROW, LAST_ROW);
        return false;
    }
    restore_editor_rows(ctx.puzzle, s, RESULT_ROW, RESULT_ROW); // a refusal line

    std::string tail = std::move(*answer);
    tail.insert(tail.begin(), static_cast<char>(ANSWER_MARKER));
    move_output_to(s, RESULT_ROW, 0); // the result is plain output over two lines
    if (save_level(ctx.puzzle.canvas, level_path(*name), tail)) {
        put_text(s, ATTR_LIGHT_GREEN, "       Zapis udany \nnacisnij dowolny klawisz");
        wait_for_any_key(ctx.console);
        return true;
    }
    put_text(s, ATTR_LIGHT_RED, "Zapis nieudany!\nnacisnij dowolny klawisz");
    wait_for_any_key(ctx.console);
    restore_editor_rows(ctx.puzzle, s, WARNING_ROW, LAST_ROW);
    return false;
}

} // namespace zk
