// Memory soak: a very long game and a very long walk through the menu, each in one process,
// through the real screen functions and the real presenter into a sink that only counts. Prints
// the peak resident memory after the first 1% and at the end; they must stay within a few pages.
//
// Usage: soak                 both soaks at full length, each in a process of its own
//        soak game [KEYS]     KEYS codes in one game (default 1,000,000)
//        soak menu [ROUNDS]   ROUNDS rounds of menu, level-not-found, menu (default 100,000)
// Exit status 0 when memory stayed flat and the session ran as scripted, 1 otherwise.

#include "bench_keys.hpp"

#include "menu/console_texts.hpp"
#include "menu/screen_chain.hpp"
#include "model/level_file.hpp"
#include "screens/context.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace zk;
using namespace zk::bench;

constexpr long DEFAULT_GAME_KEYS = 1000000;
constexpr long DEFAULT_MENU_ROUNDS = 100000;
constexpr long MAX_GROWTH_PAGES = 4;

// AddressSanitizer keeps freed memory in quarantine and pads every allocation, so under it the
// figures are printed but memory is not judged.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool MEMORY_JUDGED = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool MEMORY_JUDGED = false;
#else
constexpr bool MEMORY_JUDGED = true;
#endif
#else
constexpr bool MEMORY_JUDGED = true;
#endif
constexpr const char* LEVEL = "h3";            // a 15 x 15 shipped level
constexpr const char* MISSING = "nieistnieje"; // names no level

// The process's peak resident memory so far, in kB. getrusage allocates nothing, so taking
// the figure does not itself make the process grow.
long peak_resident_kb() {
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return -1;
    return usage.ru_maxrss;
}

// Codes from a list of parts: a fixed head, `body` codes from a generator, a fixed tail. The
// peak resident memory is taken once `checkpoint` codes have been handed out.
class SoakKeys : public PresentingKeys {
  public:
    SoakKeys(Presenter& presenter, std::string head, long body, std::string tail, long checkpoint)
        : PresentingKeys(presenter), head_(std::move(head)), body_(body), tail_(std::move(tail)),
          checkpoint_(checkpoint) {}

    long handed() const { return handed_; }
    long peak_at_checkpoint_kb() const { return peak_at_checkpoint_kb_; }

  protected:
    int next_code() override {
        if (handed_ == checkpoint_) peak_at_checkpoint_kb_ = peak_resident_kb();
        const long i = handed_++;
        const long head = static_cast<long>(head_.size());
        if (i < head) return static_cast<unsigned char>(head_[i]);
        if (i < head + body_) return body_code(i - head);
        if (i < head + body_ + static_cast<long>(tail_.size()))
            return static_cast<unsigned char>(tail_[i - head - body_]);
        throw InputEnded{};
    }
    /// The `i`-th code of the body.
    virtual int body_code(long i) = 0;

  private:
    std::string head_;
    long body_;
    std::string tail_;
    long checkpoint_;
    long handed_ = 0;
    long peak_at_checkpoint_kb_ = -1;
};

class GameSoakKeys : public SoakKeys {
  public:
    GameSoakKeys(Presenter& presenter, long keys)
        : SoakKeys(presenter, std::string(LEVEL) + "\r", keys, "qtexit\r", 3 + keys / 100) {}

  protected:
    int body_code(long) override { return mix_.next(); }

  private:
    GameKeyMix mix_;
};

// Every round types the missing level's name and then a key on the level-not-found screen.
class MenuSoakKeys : public SoakKeys {
  public:
    MenuSoakKeys(Presenter& presenter, long rounds)
        : SoakKeys(presenter, "", rounds * round_length(), "exit\r",
                   rounds / 100 * round_length()) {}

    static long round_length() { return static_cast<long>(std::strlen(MISSING)) + 2; }

  protected:
    int body_code(long i) override {
        const long at = i % round_length();
        if (at < round_length() - 2) return MISSING[at];
        return at == round_length() - 2 ? '\r' : 'x';
    }
};

bool report(const char* what, long peak_early_kb, long peak_end_kb, bool ran_as_scripted) {
    const long page_kb = sysconf(_SC_PAGESIZE) / 1024;
    const long growth_kb = peak_end_kb - peak_early_kb;
    const bool flat =
        peak_early_kb > 0 && growth_kb >= 0 && growth_kb <= MAX_GROWTH_PAGES * page_kb;
    const char* verdict = !MEMORY_JUDGED ? "not judged under AddressSanitizer"
                          : flat         ? "PASS"
                                         : "FAIL";
    std::printf("%s\n  peak resident memory after the first 1%%: %ld kB, at the end: %ld kB\n"
                "  difference: %ld kB (%ld pages of %ld kB; at most %ld allowed)  %s\n",
                what, peak_early_kb, peak_end_kb, growth_kb, growth_kb / page_kb, page_kb,
                MAX_GROWTH_PAGES, verdict);
    if (!ran_as_scripted) std::printf("  FAIL: the session did not run as scripted\n");
    std::fflush(stdout);
    return (flat || !MEMORY_JUDGED) && ran_as_scripted;
}

// One game of `keys` codes after "h3" at the menu, left through the quit dialog, then "exit".
// Each screen is run on its own so that the game is shown to be left only by the final T.
bool soak_game(long keys) {
    CountingSink sink;
    Presenter presenter(sink, ENLARGE_REQUEST, {.utf8 = true, .colours = ColourMode::basic16});
    GameSoakKeys source(presenter, keys);
    Screen screen;
    Context ctx(screen, source);
    source.show(ctx.screen());
    const Clock::time_point start = Clock::now();
    bool scripted = run_screen(ctx, ScreenId::menu) == ScreenId::game;
    scripted = scripted && run_screen(ctx, ScreenId::game) == ScreenId::menu &&
               source.handed() == 3 + keys + 2;
    scripted = scripted && run_screen(ctx, ScreenId::menu) == ScreenId::exit;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const long peak_end = peak_resident_kb();
    char what[200];
    std::snprintf(what, sizeof what,
                  "Game soak: %ld keys in one game of level %s (%.1f s, %zu bytes presented)", keys,
                  LEVEL, seconds, sink.count);
    return report(what, source.peak_at_checkpoint_kb(), peak_end, scripted);
}

// `rounds` rounds of menu, level-not-found, menu, then "exit", through the screen chain.
bool soak_menu(long rounds) {
    CountingSink sink;
    Presenter presenter(sink, ENLARGE_REQUEST, {.utf8 = true, .colours = ColourMode::basic16});
    MenuSoakKeys source(presenter, rounds);
    Screen screen;
    Context ctx(screen, source);
    source.show(ctx.screen());
    const Clock::time_point start = Clock::now();
    run_screens(ctx);
    const bool scripted = source.handed() == rounds * MenuSoakKeys::round_length() + 5;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const long peak_end = peak_resident_kb();
    char what[200];
    std::snprintf(what, sizeof what,
                  "Menu soak: %ld rounds of menu, level-not-found, menu (%.1f s, %zu bytes "
                  "presented)",
                  rounds, seconds, sink.count);
    return report(what, source.peak_at_checkpoint_kb(), peak_end, scripted);
}

// Runs this program again as "soak MODE" in a process of its own, so that each soak starts
// from a freshly started process (a forked copy would count the pages it first touches late
// in its run as growth).
bool in_own_process(const char* mode) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        char* const arguments[] = {const_cast<char*>("soak"), const_cast<char*>(mode), nullptr};
        execv("/proc/self/exe", arguments);
        std::_Exit(127);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

long count_argument(int argc, char** argv, long fallback) {
    if (argc < 3) return fallback;
    const long n = std::strtol(argv[2], nullptr, 10);
    return n > 0 ? n : fallback;
}

} // namespace

int main(int argc, char** argv) {
    // The level is looked up as the program does, below the working directory.
    if (chdir(ZK_SOURCE_DIR) != 0) {
        std::fprintf(stderr, "soak: cannot enter %s\n", ZK_SOURCE_DIR);
        return 2;
    }
    bool ok = false;
    if (argc == 1) {
        const bool game = in_own_process("game");
        const bool menu = in_own_process("menu");
        ok = game && menu;
    } else if (std::strcmp(argv[1], "game") == 0) {
        ok = soak_game(count_argument(argc, argv, DEFAULT_GAME_KEYS));
    } else if (std::strcmp(argv[1], "menu") == 0) {
        ok = soak_menu(count_argument(argc, argv, DEFAULT_MENU_ROUNDS));
    } else {
        std::fprintf(stderr, "usage: soak [game [KEYS] | menu [ROUNDS]]\n");
        return 2;
    }
    return ok ? 0 : 1;
}
