// Fuzz target: any bytes as a level file. The file is loaded, the game screen drawn, and the
// level played through the real play loop by a player that walks to every cell it can reach,
// paints it in its picture's colour and checks; the screen goes through the presenter after
// every key, as in the program. A second pass draws the win box over the loaded level
// whether or not it can be won, so every answer reaches the screen.
//
// Checked besides memory safety and undefined behaviour: the loaded level stays inside the
// board's 15 x 15 cells and the answer keeps its terminating zero; the game ends in the menu
// with the level cleared; the bytes sent to the terminal hold nothing but printable text and
// the presenter's own sequences, whatever the file holds.

#include "fuzz_check.hpp"

#include "board_screen/board_view.hpp"
#include "console/presenter.hpp"
#include "menu/console_texts.hpp"
#include "model/colours.hpp"
#include "model/level_file.hpp"
#include "play/check.hpp"
#include "play/game_screen.hpp"
#include "play/play_loop.hpp"
#include "screens/context.hpp"
#include "string_sink.hpp"

#include <array>
#include <cstdlib>
#include <deque>
#include <fcntl.h>
#include <optional>
#include <string>
#include <unistd.h>

namespace zk::fuzz {
namespace {

std::string level_file_path;

// Replaces the temporary level file's contents with `data`.
void write_level_file(const std::uint8_t* data, std::size_t size) {
    const int fd = ::open(level_file_path.c_str(), O_WRONLY | O_TRUNC);
    FUZZ_CHECK(fd >= 0);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        FUZZ_CHECK(n > 0);
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

// More keys than any board needs: 225 cells, each reached and painted, and a few extra.
constexpr int KEY_LIMIT = 4000;

// Keys a player presses before going for the picture: a check, arrows as prefix and code,
// moves off the board, a quit dialog answered no (after a key it drops), and one whose arrow
// it drops whole.
constexpr std::array<int, 19> OPENING{
    'c', KEY_PREFIX, KEY_RIGHT, KEY_PREFIX, KEY_DOWN, KEY_PREFIX, KEY_LEFT, KEY_PREFIX, KEY_UP, 'w',
    'a', 'q',        'x',       'n',        'Q',      KEY_PREFIX, KEY_UP,   'N',        'C'};

// A player that looks at the puzzle before every key, so it keeps its bearings on boards of
// any shape. Presents the screen at every key read, as the terminal's key source does.
class Player : public KeySource {
  public:
    Player(Presenter& presenter) : presenter_(presenter) {}
    void attach(Context& ctx) { ctx_ = &ctx; }

    int read_code() override {
        // Presenting at every key of a long game costs more than it finds: after the first
        // keys, only every 32nd presents (the last screen is presented at the end).
        if (keys_read_ < 64 || keys_read_ % 32 == 0) presenter_.present(ctx_->screen());
        FUZZ_CHECK(++keys_read_ <= KEY_LIMIT); // the game must end on the player's keys
        if (!pending_.empty()) {
            const int code = pending_.front();
            pending_.pop_front();
            return code;
        }
        if (opening_ < OPENING.size()) return OPENING[opening_++];
        return next_key();
    }

  private:
    int next_key() {
        const PuzzleState& p = ctx_->puzzle;
        const int r = p.cursor_row;
        const int c = p.cursor_col;
        if (colour_of_letter(at(p.canvas, r, c)) == nullptr)
            return '6'; // a cell without a colour holds the cursor: paint it to leave it
        if (const Colour* want = wanted_colour(p, r, c)) return want->key;
        if (const auto step = step_towards_work(p, r, c)) return move_key(*step);
        switch (finishing_++) {
        case 0:
            return 'c';
        case 1:
            return 'q'; // not won: leave
        default:
            return 't';
        }
    }

    // The colour cell (r, c) still needs, or nullptr.
    static const Colour* wanted_colour(const PuzzleState& p, int r, int c) {
        if (!is_board_cell(p, r, c)) return nullptr;
        const Colour* want = colour_of_letter(at(p.target, r, c));
        return want != nullptr && at(p.canvas, r, c) != want->letter ? want : nullptr;
    }

    // The first step of a shortest walk over board cells to a cell that needs a colour.
    // The player's own search is left out of the coverage that steers the fuzzer.
    __attribute__((no_sanitize("coverage"))) static std::optional<Direction>
    step_towards_work(const PuzzleState& p, int r0, int c0) {
        constexpr std::array<Direction, 4> DIRECTIONS{Direction::up, Direction::down,
                                                      Direction::left, Direction::right};
        constexpr std::array<int, 4> DR{-1, 1, 0, 0};
        constexpr std::array<int, 4> DC{0, 0, -1, 1};
        std::array<int, GRID_CELLS> first{}; // first step + 1 of the walk found, 0 unvisited
        std::deque<int> queue;
        first[r0 * GRID_STRIDE + c0] = -1;
        queue.push_back(r0 * GRID_STRIDE + c0);
        while (!queue.empty()) {
            const int cell = queue.front();
            queue.pop_front();
            const int r = cell / GRID_STRIDE;
            const int c = cell % GRID_STRIDE;
            if (cell != r0 * GRID_STRIDE + c0 && wanted_colour(p, r, c) != nullptr)
                return DIRECTIONS[first[cell] - 1];
            for (std::size_t d = 0; d < DIRECTIONS.size(); ++d) {
                const int nr = r + DR[d];
                const int nc = c + DC[d];
                if (!is_board_cell(p, nr, nc) || first[nr * GRID_STRIDE + nc] != 0) continue;
                first[nr * GRID_STRIDE + nc] = first[cell] > 0 ? first[cell] : int(d) + 1;
                queue.push_back(nr * GRID_STRIDE + nc);
            }
        }
        return std::nullopt;
    }

    // Alternates letter keys and arrow keys for moves.
    int move_key(Direction d) {
        static constexpr std::array<int, 4> LETTER{'w', 's', 'a', 'd'};
        static constexpr std::array<int, 4> ARROW{KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT};
        const auto i = static_cast<std::size_t>(d);
        if (++moves_ % 2 == 0) return LETTER[i];
        pending_.push_back(ARROW[i]);
        return KEY_PREFIX;
    }

    Presenter& presenter_;
    Context* ctx_ = nullptr;
    std::deque<int> pending_;
    std::size_t opening_ = 0;
    int keys_read_ = 0;
    int moves_ = 0;
    int finishing_ = 0;
};

bool all_zero(const auto& bytes) {
    for (auto b : bytes)
        if (b != 0) return false;
    return true;
}

void check_loaded(const PuzzleState& p) {
    for (int r = 0; r < GRID_STRIDE; ++r)
        for (int c = 0; c < GRID_STRIDE; ++c)
            if (r >= MAX_BOARD || c >= MAX_BOARD) FUZZ_CHECK(at(p.target, r, c) == 0);
    FUZZ_CHECK(p.answer.back() == '\0');
}

// Plays the level through the play loop and returns what the terminal was sent.
std::string play_level(PuzzleState& loaded) {
    StringSink sink;
    Presenter presenter(sink, ENLARGE_REQUEST, PresenterOptions{true, ColourMode::basic16});
    Player player(presenter);
    Screen screen;
    Context ctx(screen, player);
    player.attach(ctx);
    std::int64_t now = 0;
    ctx.console.clock_ms = [&now] { return now += 6007; }; // minutes pass while playing
    ctx.display_path = "plansze\\fuzz";
    ctx.puzzle = loaded;

    FUZZ_CHECK(play_game(ctx) == ScreenId::menu);
    FUZZ_CHECK(all_zero(ctx.puzzle.target));
    FUZZ_CHECK(all_zero(ctx.puzzle.answer));
    FUZZ_CHECK(ctx.puzzle.check_count == 0);
    presenter.present(ctx.screen());
    return sink.bytes;
}

// Draws the level, checks it once and shows the win box over it, without a terminal that
// takes UTF-8; returns what the terminal was sent.
std::string show_win_box(PuzzleState& p) {
    StringSink sink;
    Presenter presenter(sink, ENLARGE_REQUEST, PresenterOptions{false, ColourMode::rgb24});
    Screen s;
    whiten_canvas(p);
    draw_game_screen(s, "plansze\\fuzz");
    draw_board_and_clues(p, s);
    for (int r = 0; r < GRID_STRIDE; ++r)
        for (int c = 0; c < GRID_STRIDE; ++c)
            if (is_board_cell(p, r, c)) FUZZ_CHECK(at(p.canvas, r, c) == WHITE);
    check_canvas(p, s, 61000);
    show_win_screen(p, s);
    presenter.present(s);
    return sink.bytes;
}

} // namespace
} // namespace zk::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = zk::fuzz::scratch_pattern("zk-level-fuzz");
    const int fd = ::mkstemp(pattern.data());
    FUZZ_CHECK(fd >= 0);
    ::close(fd);
    zk::fuzz::level_file_path = pattern;
    std::atexit([] { ::unlink(zk::fuzz::level_file_path.c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zk;
    using namespace zk::fuzz;
    write_level_file(data, size);
    PuzzleState loaded;
    FUZZ_CHECK(load_level(loaded, level_file_path));
    check_loaded(loaded);

    PuzzleState again;
    again.target.fill('E'); // the loader starts from a clear level whatever was there
    FUZZ_CHECK(load_level(again, level_file_path));
    FUZZ_CHECK(again.target == loaded.target && again.answer == loaded.answer);

    FUZZ_CHECK(terminal_output_is_safe(play_level(loaded), true));
    FUZZ_CHECK(terminal_output_is_safe(show_win_box(again), false));
    return 0;
}
