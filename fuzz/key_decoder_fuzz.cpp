// Fuzz target: any bytes as terminal input, decoded into key codes twice: as one burst, and
// with a pause after every byte (so a pending ESC is taken as the Escape key).
//
// Checked besides memory safety and undefined behaviour: every code is one the console's key
// read can give (1 .. 127 or the prefix), the prefix is always followed by an arrow's code,
// no line feed or DEL comes through, no byte gives more than one code, and after the input
// ends the decoder reads a plain key as itself.

#include "fuzz_check.hpp"

#include "console/key_decoder.hpp"
#include "console/keys.hpp"

#include <vector>

namespace zk::fuzz {
namespace {

void check_codes(const std::vector<int>& codes, std::size_t byte_count) {
    FUZZ_CHECK(codes.size() <= byte_count);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const int code = codes[i];
        if (code == KEY_PREFIX) {
            FUZZ_CHECK(i + 1 < codes.size());
            const int arrow = codes[++i];
            FUZZ_CHECK(arrow == KEY_UP || arrow == KEY_DOWN || arrow == KEY_LEFT ||
                       arrow == KEY_RIGHT);
            continue;
        }
        FUZZ_CHECK(code > 0 && code < 127);
        FUZZ_CHECK(code != '\n');
    }
}

// After end_of_input the decoder is back at the start: a letter is a letter again.
void check_fresh_after_end(KeyDecoder& decoder) {
    std::vector<int> codes;
    decoder.feed('k', codes);
    FUZZ_CHECK(codes.size() == 1 && codes[0] == 'k');
    FUZZ_CHECK(!decoder.unfinished());
}

} // namespace
} // namespace zk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zk;
    using namespace zk::fuzz;

    KeyDecoder burst;
    std::vector<int> burst_codes;
    for (std::size_t i = 0; i < size; ++i) burst.feed(data[i], burst_codes);
    burst.end_of_input(burst_codes);
    check_codes(burst_codes, size);
    check_fresh_after_end(burst);

    KeyDecoder paused;
    std::vector<int> paused_codes;
    for (std::size_t i = 0; i < size; ++i) {
        paused.feed(data[i], paused_codes);
        if (paused.unfinished()) {
            paused.pause(paused_codes);
            FUZZ_CHECK(!paused.unfinished());
        }
    }
    paused.end_of_input(paused_codes);
    check_codes(paused_codes, size);
    check_fresh_after_end(paused);
    return 0;
}
