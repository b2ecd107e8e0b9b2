// The console's terminal key decoder: escape sequences, UTF-8 letters and the lone Escape turned
// into the console's key codes.

#include "console/key_decoder.hpp"

#include "console/keys.hpp"
#include "text/cp852.hpp"
#include "text/utf8.hpp"

namespace zk {

namespace {

constexpr std::uint8_t ESC = 0x1b;
constexpr std::uint8_t CAN = 0x18; // cancels a sequence
constexpr std::uint8_t SUB = 0x1a; // cancels a sequence
constexpr std::uint8_t BEL = 0x07; // ends an OSC string

bool is_parameter_byte(std::uint8_t b) {
    return b >= 0x30 && b <= 0x3f;
}
bool is_intermediate_byte(std::uint8_t b) {
    return b >= 0x20 && b <= 0x2f;
}
bool is_final_byte(std::uint8_t b) {
    return b >= 0x40 && b <= 0x7e;
}

// The code of an arrow key's final byte, or 0.
int arrow_code(std::uint8_t final_byte) {
    switch (final_byte) {
    case 'A':
        return KEY_UP;
    case 'B':
        return KEY_DOWN;
    case 'C':
        return KEY_RIGHT;
    case 'D':
        return KEY_LEFT;
    default:
        return 0;
    }
}

} // namespace

void KeyDecoder::feed(std::uint8_t byte, std::vector<int>& codes) {
    switch (state_) {
    case State::ground:
        if (utf8_left_ != 0)
            feed_utf8(byte, codes);
        else
            feed_ground(byte, codes);
        return;
    case State::escape:
        feed_escape(byte, codes);
        return;
    case State::csi:
        feed_csi(byte, codes);
        return;
    case State::ss3:
        feed_ss3(byte, codes);
        return;
    case State::mouse:
        if (--mouse_bytes_left_ == 0) state_ = State::ground;
        return;
    case State::text_string:
        if (byte == BEL || byte == CAN || byte == SUB)
            state_ = State::ground;
        else if (byte == ESC)
            state_ = State::string_escape;
        return;
    case State::string_escape:
        // ESC \ is the string terminator; any other byte after the ESC starts a new sequence.
        state_ = State::escape;
        if (byte == '\\')
            state_ = State::ground;
        else if (byte != ESC)
            feed_escape(byte, codes);
        return;
    }
}

void KeyDecoder::feed_ground(std::uint8_t byte, std::vector<int>& codes) {
    const bool after_cr = after_cr_;
    after_cr_ = byte == '\r';
    if (byte == ESC)
        state_ = State::escape;
    else if (byte == '\n' && after_cr)
        return; // CR LF is one line end
    else if (byte == '\r' || byte == '\n')
        codes.push_back(KEY_ENTER);
    else if (byte == KEY_DELETE || byte == KEY_BACKSPACE)
        codes.push_back(KEY_BACKSPACE);
    else if (byte != 0 && byte < 128)
        codes.push_back(byte);
    else if (utf8_input_ && byte >= 0xC2 && byte <= 0xF4) {
        // The lead byte of a UTF-8 character of two, three or four bytes.
        utf8_left_ = byte < 0xE0 ? 1 : byte < 0xF0 ? 2 : 3;
        utf8_value_ = byte & (0x3F >> utf8_left_);
        utf8_length_ = utf8_left_ + 1;
    }
}

void KeyDecoder::feed_utf8(std::uint8_t byte, std::vector<int>& codes) {
    if ((byte & 0xC0) != 0x80) {
        // The character broke off: it is dropped, and this byte starts afresh.
        utf8_left_ = 0;
        feed_ground(byte, codes);
        return;
    }
    utf8_value_ = (utf8_value_ << 6) | (byte & 0x3F);
    if (--utf8_left_ != 0) return;
    if (!is_well_formed_utf8(utf8_value_, utf8_length_)) return;
    const std::optional<std::uint8_t> shown = cp852_byte(utf8_value_);
    if (shown && *shown >= 128) codes.push_back(TYPED_CHAR_BASE + *shown);
}

void KeyDecoder::feed_escape(std::uint8_t byte, std::vector<int>& codes) {
    switch (byte) {
    case '[':
        start_sequence(State::csi);
        return;
    case 'O':
        start_sequence(State::ss3);
        return;
    case ']': // OSC
    case 'P': // DCS
    case '_': // APC
    case '^': // PM
    case 'X': // SOS
        state_ = State::text_string;
        return;
    default:
        break;
    }
    if (is_control_byte(byte)) { // Escape among them
        // Escape pressed, then a control key: both count.
        codes.push_back(KEY_ESCAPE);
        state_ = State::ground;
        feed_ground(byte, codes);
        return;
    }
    // Alt with a key, or a two-byte escape sequence: nothing a screen reads.
    state_ = State::ground;
}

void KeyDecoder::start_sequence(State state) {
    state_ = state;
    plain_parameters_ = true;
    empty_parameters_ = true;
}

void KeyDecoder::feed_csi(std::uint8_t byte, std::vector<int>& codes) {
    if (is_parameter_byte(byte) || is_intermediate_byte(byte)) {
        if (!((byte >= '0' && byte <= '9') || byte == ';')) plain_parameters_ = false;
        empty_parameters_ = false;
        return;
    }
    if (byte == 'M' && empty_parameters_) { // X10 mouse report: three raw bytes follow
        state_ = State::mouse;
        mouse_bytes_left_ = 3;
        return;
    }
    if (is_final_byte(byte)) {
        finish_sequence(byte, codes);
        return;
    }
    abandon_sequence(byte, codes);
}

void KeyDecoder::feed_ss3(std::uint8_t byte, std::vector<int>& codes) {
    if ((byte >= '0' && byte <= '9') || byte == ';') { // old modifier forms, ESC O 5 A
        empty_parameters_ = false;
        return;
    }
    if (is_final_byte(byte)) {
        finish_sequence(byte, codes);
        return;
    }
    abandon_sequence(byte, codes);
}

// A byte that cannot be part of the sequence ends it unfinished: a new ESC starts the next
// sequence, and a control byte other than CAN or SUB (which only cancel) counts as typed.
void KeyDecoder::abandon_sequence(std::uint8_t byte, std::vector<int>& codes) {
    state_ = State::ground;
    if (byte == ESC)
        state_ = State::escape;
    else if (byte < 0x20 && byte != CAN && byte != SUB)
        feed_ground(byte, codes);
}

void KeyDecoder::finish_sequence(std::uint8_t final_byte, std::vector<int>& codes) {
    state_ = State::ground;
    const int arrow = arrow_code(final_byte);
    if (arrow != 0 && plain_parameters_) {
        codes.push_back(KEY_PREFIX);
        codes.push_back(arrow);
    }
}

void KeyDecoder::pause(std::vector<int>& codes) {
    if (state_ == State::escape) codes.push_back(KEY_ESCAPE);
    state_ = State::ground;
    utf8_left_ = 0;
}

void KeyDecoder::end_of_input(std::vector<int>& codes) {
    pause(codes);
}

} // namespace zk
