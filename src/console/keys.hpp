#pragma once

// Console: the key codes every key source gives (the extended-key prefix and the arrows, Enter,
// Backspace, Escape, Ctrl-D) and the key source interface.

namespace zk {

/// Thrown by a key source when its input has ended; the program then ends with status 1.
struct InputEnded {};

/// Code that announces an extended key: the next code is the key's own.
constexpr int KEY_PREFIX = 224;
constexpr int KEY_UP = 72;
constexpr int KEY_DOWN = 80;
constexpr int KEY_LEFT = 75;
constexpr int KEY_RIGHT = 77;
constexpr int KEY_ENTER = 13;
constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_ESCAPE = 27;
/// Ctrl-D typed on a terminal: a word or number read ends the input on it when nothing is
/// typed on the line yet; everywhere else it is a code like any other.
constexpr int KEY_END_OF_TEXT = 4;
/// DEL, which terminals send for the Backspace key: the key decoders give KEY_BACKSPACE for it,
/// and the line reader takes it as one.
constexpr int KEY_DELETE = 127;
/// A typed character above ASCII comes as TYPED_CHAR_BASE plus its code page 852 byte, so it
/// never poses as KEY_PREFIX (Ó is byte 224) or as a key that a table holds; the line reader
/// takes it into the typed line as that byte.
constexpr int TYPED_CHAR_BASE = 256;

/// Where key codes come from: one code 0..255 per call, as the console's unbuffered,
/// unechoed key read gives them (arrow keys as KEY_PREFIX and then their code), or a typed
/// character above ASCII as TYPED_CHAR_BASE + its code page 852 byte.
class KeySource {
  public:
    virtual ~KeySource() = default;
    /// Blocks until a code is there; throws InputEnded when no more will come.
    virtual int read_code() = 0;
};

} // namespace zk
