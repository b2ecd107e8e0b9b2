#pragma once

// Console: the bytes a terminal sends, decoded into key codes.

#include <cstdint>
#include <vector>

namespace zk {

/// Turns the bytes a terminal sends into the key codes of the console's key read.
///
/// - Arrow keys, as ESC [ A..D or ESC O A..D with or without parameters (ESC [ 1 ; 5 A),
///   give KEY_PREFIX followed by KEY_UP, KEY_DOWN, KEY_RIGHT or KEY_LEFT.
/// - Every other escape sequence is consumed whole and gives nothing: CSI sequences
///   (ESC [ ... final byte, such as PgDn ESC [ 6 ~ or bracketed-paste markers), SS3 keys,
///   X10 mouse reports (ESC [ M and three bytes), SGR mouse reports, focus reports, Alt with
///   a printable key (ESC x), and OSC, DCS, APC, PM and SOS strings up to BEL or ESC \.
/// - A lone ESC gives 27 once pause() or end_of_input() says no byte followed
///   it in time; ESC before a control byte or another ESC also gives 27.
/// - CR and LF give 13, and so does CR LF together (scripts written with CR LF line ends
///   must not press Enter twice); DEL and BS give 8; other ASCII bytes give themselves.
/// - Bytes 128..255 give nothing by default: dropping them keeps a lead byte such as 0xE0
///   from posing as the arrow prefix 224. Byte 0 gives nothing for the same reason (the
///   console's other key prefix).
/// - When made for UTF-8 input, a UTF-8 character above ASCII that code page 852 shows gives
///   TYPED_CHAR_BASE + its code page 852 byte; any other character, and malformed UTF-8,
///   gives nothing.
/// - The decoder holds no buffer: however long a sequence or string runs, its memory is fixed.
class KeyDecoder {
  public:
    /// `utf8_input`: the terminal sends typed characters as UTF-8.
    explicit KeyDecoder(bool utf8_input = false) : utf8_input_(utf8_input) {}

    /// Decodes one byte, appending the codes it completes to `codes`.
    void feed(std::uint8_t byte, std::vector<int>& codes);

    /// True when the bytes so far end inside a sequence, a string or a UTF-8 character; the
    /// caller waits a short while for the next byte and calls pause() if none comes.
    bool unfinished() const { return state_ != State::ground || utf8_left_ != 0; }

    /// Nothing more came in time. A terminal sends a sequence in one burst, so what is
    /// unfinished was typed, not sent: a lone ESC gives 27, and an unfinished sequence, string
    /// or character gives nothing; the next byte starts afresh.
    void pause(std::vector<int>& codes);

    /// The input has ended: a pending ESC gives 27, an unfinished sequence gives nothing.
    void end_of_input(std::vector<int>& codes);

  private:
    enum class State {
        ground,
        escape,       // after ESC
        csi,          // after ESC [
        ss3,          // after ESC O
        mouse,        // the three bytes after ESC [ M
        text_string,  // OSC, DCS, APC, PM or SOS body
        string_escape // ESC inside a string: ESC \ ends it
    };

    void feed_ground(std::uint8_t byte, std::vector<int>& codes);
    void feed_utf8(std::uint8_t byte, std::vector<int>& codes);
    void abandon_sequence(std::uint8_t byte, std::vector<int>& codes);
    void feed_escape(std::uint8_t byte, std::vector<int>& codes);
    void feed_csi(std::uint8_t byte, std::vector<int>& codes);
    void feed_ss3(std::uint8_t byte, std::vector<int>& codes);
    void start_sequence(State state);
    void finish_sequence(std::uint8_t final_byte, std::vector<int>& codes);

    State state_ = State::ground;
    bool plain_parameters_ = true; // only digits and ';' since ESC [ or ESC O
    bool empty_parameters_ = true; // nothing between ESC [ and the final byte
    int mouse_bytes_left_ = 0;
    bool after_cr_ = false; // the last byte decoded in ground state was CR
    bool utf8_input_;
    int utf8_left_ = 0;       // continuation bytes still to come of a UTF-8 character
    char32_t utf8_value_ = 0; // the bits of that character so far
    int utf8_length_ = 0;     // its length in bytes
};

} // namespace zk
