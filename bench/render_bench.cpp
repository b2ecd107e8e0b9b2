// Rendering benchmark: bytes sent to the terminal and microseconds of processing for each
// action of a scripted session, through the real screens and the real presenter, in each
// colour mode (16 colours, 256 colours, 24-bit) with UTF-8 glyphs and in the ASCII fallback,
// beside the same session through the reference presenter that sends every changed cell with
// its own cursor move and colour code. Then keys per second through the whole program.
// Usage: render_bench [--quick]
//
// Exit status 1 when a byte target is missed. The keys-per-second figure is printed with its
// verdict but does not change the status: it depends on the machine and on its load.

#include "bench_keys.hpp"
#include "reference_presenter.hpp"

#include "menu/console_texts.hpp"
#include "menu/screen_chain.hpp"
#include "model/colours.hpp"
#include "model/level_file.hpp"
#include "screens/context.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using namespace zk;
using namespace zk::bench;

constexpr const char* LEVEL = "h3"; // a 15 x 15 shipped level
constexpr int CURSOR_MOVES = 1000;

// One action of the session: its figures are the difference between two reads.
struct Action {
    const char* name;
    std::size_t from_read; // the read whose key starts the action; SIZE_MAX: the session start
    std::size_t to_read;   // the read that presents its result
    int count = 1;         // keys the action is spread over (the figures are per key)
    bool full_screen = false;
    double byte_limit = 0; // 16 colours, UTF-8; 0: no byte target
};

struct Session {
    std::string codes;
    std::vector<Action> actions;
};

// Keys that paint every cell of the level's picture in its colour, walking the board row by
// row in a serpentine from the top-left cell, where the cursor has to stand.
std::string solving_keys(const PuzzleState& level) {
    std::string keys;
    int rows = 0, cols = 0;
    while (rows < MAX_BOARD && is_board_cell(level, rows, 0)) ++rows;
    while (cols < MAX_BOARD && is_board_cell(level, 0, cols)) ++cols;
    for (int r = 0; r < rows; ++r) {
        for (int i = 0; i < cols; ++i) {
            const int c = r % 2 == 0 ? i : cols - 1 - i;
            keys.push_back(colour_of_letter(at(level.target, r, c))->key);
            if (i + 1 < cols) keys.push_back(r % 2 == 0 ? 'd' : 'a');
        }
        if (r + 1 < rows) keys.push_back('s');
    }
    return keys;
}

// The session: the main menu at start-up, the level, alternating cursor moves, a paint, a
// check, the level solved and the win box, back to the menu, the editor's setup screen, its
// board, out of the editor and "exit".
Session make_session(const PuzzleState& level) {
    Session s;
    std::string& k = s.codes;
    s.actions.push_back({"main menu (start-up)", SIZE_MAX, 0, 1, true, 2500});
    k += std::string(LEVEL) + "\r";
    s.actions.push_back({"game screen, 15 x 15 level", k.size() - 1, k.size(), 1, true, 1350});
    const std::size_t first_move = k.size();
    for (int i = 0; i < CURSOR_MOVES; ++i) k.push_back(i % 2 == 0 ? 'd' : 'a');
    s.actions.push_back(
        {"cursor move (mean of 1,000)", first_move, k.size(), CURSOR_MOVES, false, 6});
    const std::size_t first_row_move = k.size();
    for (int i = 0; i < CURSOR_MOVES; ++i) k.push_back(i % 2 == 0 ? 's' : 'w');
    s.actions.push_back({"row move (mean of 1,000)", first_row_move, k.size(), CURSOR_MOVES});
    k.push_back('1');
    s.actions.push_back({"paint key", k.size() - 1, k.size(), 1, false, 10});
    k.push_back('c');
    s.actions.push_back({"check, 15 x 15 board", k.size() - 1, k.size()});
    k += solving_keys(level);
    k.push_back('c');
    s.actions.push_back({"win screen (solving check)", k.size() - 1, k.size(), 1, true, 1100});
    k.push_back(' ');
    s.actions.push_back({"main menu after the win", k.size() - 1, k.size()});
    k += "edytor\r";
    s.actions.push_back({"editor setup screen", k.size() - 1, k.size(), 1, true});
    k += "15\r15\rqt";
    k += "exit\r";
    return s;
}

struct Figures {
    std::vector<double> bytes;               // per action, per key
    std::vector<std::vector<double>> micros; // per action, one figure per repetition
};

// Runs the session once through the screen chain, shown through the real presenter or through
// the reference presenter, and adds its figures.
void run_session(const Session& session, bool reference, PresenterOptions options,
                 Figures& figures) {
    CountingSink sink;
    Presenter presenter(sink, ENLARGE_REQUEST, options);
    ReferencePresenter reference_presenter(sink, options);
    MarkedScript keys = reference ? MarkedScript(reference_presenter, sink, session.codes)
                                  : MarkedScript(presenter, sink, session.codes);
    Screen screen;
    Context ctx(screen, keys);
    keys.show(ctx.screen());

    const Clock::time_point start = Clock::now();
    int status = 1;
    try {
        run_screens(ctx);
        status = 0;
    } catch (const InputEnded&) {
        // The script ran out before "exit" reached the menu: some screen did not go as planned.
    }
    const std::vector<ReadMark>& marks = keys.marks();
    if (status != 0 || marks.size() != session.codes.size()) {
        std::fprintf(stderr, "render_bench: the session did not run to its end\n");
        std::exit(2);
    }
    const bool first = figures.bytes.empty();
    for (std::size_t i = 0; i < session.actions.size(); ++i) {
        const Action& a = session.actions[i];
        const bool from_start = a.from_read == SIZE_MAX;
        const std::size_t bytes_before = from_start ? 0 : marks[a.from_read].bytes;
        const Clock::time_point before = from_start ? start : marks[a.from_read].at;
        const double bytes = static_cast<double>(marks[a.to_read].bytes - bytes_before) / a.count;
        const double us =
            std::chrono::duration<double, std::micro>(marks[a.to_read].at - before).count() /
            a.count;
        if (first) {
            figures.bytes.push_back(bytes);
            figures.micros.emplace_back();
        } else if (figures.bytes[i] != bytes) {
            std::fprintf(stderr, "render_bench: %s sent %.1f bytes, before %.1f\n", a.name, bytes,
                         figures.bytes[i]);
            std::exit(2);
        }
        figures.micros[i].push_back(us);
    }
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Figures measure(const Session& session, bool reference, int repeats, PresenterOptions options) {
    Figures figures;
    for (int i = 0; i < repeats; ++i) run_session(session, reference, options, figures);
    return figures;
}

// The level's name, `keys` codes of the game key mix, then out of the game and "exit".
class MixKeys : public PresentingKeys {
  public:
    MixKeys(Presenter& presenter, long keys) : PresentingKeys(presenter), keys_(keys) {}

    /// Codes handed out so far.
    long handed() const { return handed_; }

  protected:
    int next_code() override {
        const long i = handed_++;
        const long head = static_cast<long>(head_.size());
        if (i < head) return static_cast<unsigned char>(head_[static_cast<std::size_t>(i)]);
        if (i < head + keys_) return mix_.next();
        if (i < head + keys_ + static_cast<long>(TAIL.size()))
            return TAIL[static_cast<std::size_t>(i - head - keys_)];
        throw InputEnded{};
    }

  private:
    static constexpr std::string_view TAIL = "qtexit\r";
    const std::string head_ = std::string(LEVEL) + "\r";
    GameKeyMix mix_;
    long keys_;
    long handed_ = 0;
};

// Keys per second through the screen chain and the presenter into a sink that only counts.
double keys_per_second(long keys, PresenterOptions options) {
    CountingSink sink;
    Presenter presenter(sink, ENLARGE_REQUEST, options);
    MixKeys source(presenter, keys);
    Screen screen;
    Context ctx(screen, source);
    source.show(ctx.screen());
    const Clock::time_point start = Clock::now();
    int status = 1;
    try {
        run_screens(ctx);
        status = 0;
    } catch (const InputEnded&) {
        // The game ended before the script's quit: reported below.
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (status != 0) {
        std::fprintf(stderr, "render_bench: the key mix did not end at the menu\n");
        std::exit(2);
    }
    return static_cast<double>(source.handed()) / seconds;
}

/// Bytes a 256-colour background index (ESC [ 4 8 ; 5 ; n m) costs beyond the longest
/// 16-colour background code (ESC [ 1 0 n m).
constexpr double MAX_INDEX_EXTRA_BYTES = 5;

const char* verdict(bool ok) {
    return ok ? "PASS" : "FAIL";
}

} // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int repeats = quick ? 3 : 101;
    const long rate_keys = quick ? 20000 : 1000000;

    // The level is looked up as the program does, below the working directory.
    if (chdir(ZK_SOURCE_DIR) != 0) {
        std::fprintf(stderr, "render_bench: cannot enter %s\n", ZK_SOURCE_DIR);
        return 2;
    }
    PuzzleState level;
    if (!load_level(level, level_path(LEVEL))) {
        std::fprintf(stderr, "render_bench: cannot load level %s\n", LEVEL);
        return 2;
    }
    const Session session = make_session(level);

    struct Mode {
        const char* name;
        PresenterOptions options;
        Figures real;
        Figures reference;
    };
    // As on a terminal the game holds: its output processing off, line feeds move down.
    std::vector<Mode> modes{
        {"16 colours, UTF-8",
         {.utf8 = true, .colours = ColourMode::basic16, .line_feed_moves_down = true},
         {},
         {}},
        {"256 colours, UTF-8",
         {.utf8 = true, .colours = ColourMode::indexed256, .line_feed_moves_down = true},
         {},
         {}},
        {"24-bit colour, UTF-8",
         {.utf8 = true, .colours = ColourMode::rgb24, .line_feed_moves_down = true},
         {},
         {}},
        {"16 colours, ASCII",
         {.utf8 = false, .colours = ColourMode::basic16, .line_feed_moves_down = true},
         {},
         {}},
    };
    for (Mode& m : modes) {
        m.real = measure(session, false, repeats, m.options);
        m.reference = measure(session, true, repeats, m.options);
    }
    const Figures& basic = modes[0].real;
    const Figures& indexed = modes[1].real;

    bool all_bytes_ok = true;
    for (std::size_t mi = 0; mi < modes.size(); ++mi) {
        const Mode& m = modes[mi];
        std::printf("%sRendering, level %s, %s; time: median of %d sessions\n\n",
                    mi == 0 ? "" : "\n", LEVEL, m.name, repeats);
        std::printf("%-30s %9s %9s %9s %9s %7s  %s\n", "action", "bytes", "us", "ref bytes",
                    "ref us", "ratio", "targets");
        for (std::size_t i = 0; i < session.actions.size(); ++i) {
            const Action& a = session.actions[i];
            const double bytes = m.real.bytes[i];
            const double ref_bytes = m.reference.bytes[i];
            const double ratio = bytes == 0 ? 0.0 : ref_bytes / bytes;
            std::string targets;
            const auto add_target = [&](const std::string& text, bool ok) {
                all_bytes_ok = all_bytes_ok && ok;
                targets += (targets.empty() ? "" : ", ") + text + " " + verdict(ok);
            };
            if (mi == 0 && a.byte_limit != 0) {
                char limit[32];
                std::snprintf(limit, sizeof limit, "<= %g bytes", a.byte_limit);
                add_target(limit, bytes <= a.byte_limit);
            }
            if (mi == 0 && a.full_screen) add_target(">= 5x fewer", ref_bytes >= 5 * bytes);
            if (m.options.colours == ColourMode::indexed256) {
                // An action that changes one colour cannot stay within 25 %: a 256-colour
                // index costs at least 4 bytes more than a 16-colour code. Such a miss is
                // printed but does not fail the run.
                const bool ok = bytes <= 1.25 * basic.bytes[i];
                if (!ok && bytes - basic.bytes[i] <= MAX_INDEX_EXTRA_BYTES)
                    targets += (targets.empty() ? "" : ", ") +
                               std::string("<= 1.25x 16 colours MISSED (one colour index)");
                else
                    add_target("<= 1.25x 16 colours", ok);
            }
            std::printf("%-30s %9.2f %9.1f %9.1f %9.1f %6.1fx  %s\n", a.name, bytes,
                        median(m.real.micros[i]), ref_bytes, median(m.reference.micros[i]), ratio,
                        targets.c_str());
        }
    }

    std::printf("\nBytes per action in every mode, the reference presenter's in brackets\n\n");
    std::printf("%-28s", "action");
    for (const Mode& m : modes) std::printf(" %20s", m.name);
    std::printf(" %7s\n", "256/16");
    for (std::size_t i = 0; i < session.actions.size(); ++i) {
        std::printf("%-28.28s", session.actions[i].name);
        for (const Mode& m : modes) {
            char cell[48];
            std::snprintf(cell, sizeof cell, "%.1f (%.0f)", m.real.bytes[i], m.reference.bytes[i]);
            std::printf(" %20s", cell);
        }
        std::printf(" %6.2fx\n", basic.bytes[i] == 0 ? 0.0 : indexed.bytes[i] / basic.bytes[i]);
    }

    const double rate = keys_per_second(rate_keys, modes[0].options);
    std::printf("\nKeys through the whole program (%ld game keys: moves, refused moves, paints,\n"
                "checks, dropped codes, quit dialogs answered N; presenter into a null sink):\n"
                "%.0f keys per second  (target >= 100,000) %s\n",
                rate_keys, rate, verdict(rate >= 100000.0));
    return all_bytes_ok ? 0 : 1;
}
