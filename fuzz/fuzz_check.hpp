#pragma once

// Checks the fuzz targets make beyond what the sanitizers catch. A failed check prints what
// was expected and aborts, which libFuzzer reports as a crash and saves the input for.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace zk::fuzz {

/// A mkstemp/mkdtemp pattern for a scratch file or directory named after `name`, in $TMPDIR
/// (fuzz/run points it into the build directory) or else in /tmp.
inline std::string scratch_pattern(std::string_view name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/" + std::string(name) +
           "-XXXXXX";
}

/// Length of the CSI sequence (ESC [ parameters final) at the start of `out`, or 0 when `out`
/// does not start with one. The presenter sends only CSI sequences, and only with the final
/// bytes of cursor moves (H, A, B, C, D, G), colours (m), clearing (J, K, X) and cursor
/// visibility (h, l).
inline std::size_t csi_length(std::string_view out) {
    if (out.size() < 3 || out[0] != '\x1b' || out[1] != '[') return 0;
    for (std::size_t i = 2; i < out.size(); ++i) {
        const char b = out[i];
        if ((b >= '0' && b <= '9') || b == ';' || b == '?') continue;
        constexpr std::string_view FINALS = "HABCDGmJKXhl";
        return FINALS.find(b) != std::string_view::npos ? i + 1 : 0;
    }
    return 0;
}

/// Length of the UTF-8 character at the start of `out` when it is well formed and no C1
/// control character (U+0080 .. U+009F), else 0.
inline std::size_t printable_utf8_length(std::string_view out) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(out[i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (out.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return cp <= 0x9F ? 0 : length;
}

/// True when `out`, bytes a presenter sent, holds nothing a terminal would take as a command
/// other than the presenter's own CSI sequences, reverse index, line feeds and backspaces: no other
/// control byte, no DEL, and with UTF-8 only well-formed printable characters (without UTF-8, only
/// ASCII).
inline bool terminal_output_is_safe(std::string_view out, bool utf8) {
    while (!out.empty()) {
        const auto b = static_cast<std::uint8_t>(out[0]);
        std::size_t length = 1;
        if (b == 0x1b)
            length = out.starts_with("\x1bM") ? 2 : csi_length(out); // reverse index or CSI
        else if ((b < 0x20 && b != '\b' && b != '\n') || b == 0x7f)
            length = 0;
        else if (b >= 0x80)
            length = utf8 ? printable_utf8_length(out) : 0;
        if (length == 0) return false;
        out.remove_prefix(length);
    }
    return true;
}

} // namespace zk::fuzz
