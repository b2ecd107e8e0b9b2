// Fuzz target: any bytes as everything a player types into the whole program. The bytes go
// through the terminal key decoder into the chain of screens (menu, level-not-found screen,
// game, editor setup, editor and its save dialog), run in a scratch working directory whose
// level directory holds two small levels; the screen goes through the presenter at every key
// read, as in the program.
//
// Checked besides memory safety, undefined behaviour and hangs: the chain ends only through
// "exit" or the end of the input; the bytes sent to the terminal hold nothing but printable
// text and the presenter's own sequences; and every file the editor saved lies in the level
// directory and is a level file the game can load.

#include "fuzz_check.hpp"

#include "console/key_decoder.hpp"
#include "console/presenter.hpp"
#include "menu/console_texts.hpp"
#include "menu/screen_chain.hpp"
#include "model/level_file.hpp"
#include "screens/context.hpp"
#include "string_sink.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace zk::fuzz {
namespace {

namespace fs = std::filesystem;

// The levels the scratch directory starts every run with.
const std::vector<std::pair<std::string, std::string>> LEVELS{
    {"t1", "Ep\r\npE\r\nnkot"},
    {"t2", "RRp\r\nBpG\r\nYEp\r\nndom"},
};

// Puts the scratch level directory back as it was: the two levels and nothing else.
void reset_level_directory() {
    std::error_code ignored;
    fs::remove_all(LEVEL_DIR, ignored);
    fs::create_directory(LEVEL_DIR);
    for (const auto& [name, content] : LEVELS) std::ofstream(level_path(name)) << content;
}

// Decodes the input as the terminal's key source does (piped: no Ctrl-D, no pauses), and
// presents the screen before every key read.
class DecodedKeys : public KeySource {
  public:
    DecodedKeys(const std::uint8_t* data, std::size_t size, Presenter& presenter)
        : presenter_(presenter) {
        for (std::size_t i = 0; i < size; ++i) decoder_.feed(data[i], codes_);
        decoder_.end_of_input(codes_);
    }
    void show(Screen& screen) { screen_ = &screen; }

    int read_code() override {
        presenter_.present(*screen_);
        if (next_ == codes_.size()) throw InputEnded{};
        return codes_[next_++];
    }

  private:
    Presenter& presenter_;
    Screen* screen_ = nullptr;
    KeyDecoder decoder_;
    std::vector<int> codes_;
    std::size_t next_ = 0;
};

// Every file in the level directory is a level the game loads, named as the editor allows.
void check_level_directory() {
    for (const auto& entry : fs::directory_iterator(LEVEL_DIR)) {
        const std::string file = entry.path().filename().string();
        FUZZ_CHECK(entry.is_regular_file());
        FUZZ_CHECK(file.size() > 4 && file.ends_with(".txt"));
        FUZZ_CHECK(is_safe_level_name(file.substr(0, file.size() - 4)));
        PuzzleState p;
        FUZZ_CHECK(load_level(p, entry.path().string()));
    }
}

} // namespace
} // namespace zk::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = zk::fuzz::scratch_pattern("zk-screens-fuzz");
    FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr);
    FUZZ_CHECK(::chdir(pattern.c_str()) == 0);
    static const std::string scratch = pattern;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(scratch, ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zk;
    using namespace zk::fuzz;
    reset_level_directory();

    StringSink sink;
    Presenter presenter(sink, ENLARGE_REQUEST, PresenterOptions{true, ColourMode::indexed256});
    DecodedKeys keys(data, size, presenter);
    Screen screen;
    Context ctx(screen, keys);
    keys.show(ctx.screen());
    std::int64_t now = 0;
    ctx.console.clock_ms = [&now] { return now += 1013; };
    try {
        run_screens(ctx);
    } catch (const InputEnded&) {
    }
    presenter.present(ctx.screen());
    FUZZ_CHECK(terminal_output_is_safe(sink.bytes, true));
    check_level_directory();
    return 0;
}
