// Tests of the terminal key decoder: arrows, other sequences, Escape and UTF-8 letters.

#include "console/key_decoder.hpp"

#include "console/keys.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zk {
namespace {

using Codes = std::vector<int>;

// Decodes `bytes` and then the end of the input.
Codes decode(const std::string& bytes) {
    KeyDecoder decoder;
    Codes codes;
    for (char b : bytes) decoder.feed(static_cast<std::uint8_t>(b), codes);
    decoder.end_of_input(codes);
    return codes;
}

const Codes UP{KEY_PREFIX, KEY_UP};
const Codes DOWN{KEY_PREFIX, KEY_DOWN};
const Codes RIGHT{KEY_PREFIX, KEY_RIGHT};
const Codes LEFT{KEY_PREFIX, KEY_LEFT};

TEST(KeyDecoder, ArrowKeysInEveryFormGiveThePrefixAndTheirCode) {
    EXPECT_EQ(decode("\x1b[A"), UP);
    EXPECT_EQ(decode("\x1b[B"), DOWN);
    EXPECT_EQ(decode("\x1b[C"), RIGHT);
    EXPECT_EQ(decode("\x1b[D"), LEFT);
    EXPECT_EQ(decode("\x1bOA"), UP);
    EXPECT_EQ(decode("\x1bOB"), DOWN);
    EXPECT_EQ(decode("\x1bOC"), RIGHT);
    EXPECT_EQ(decode("\x1bOD"), LEFT);
    EXPECT_EQ(decode("\x1b[1;5A"), UP);   // Ctrl
    EXPECT_EQ(decode("\x1b[1;2D"), LEFT); // Shift
    EXPECT_EQ(decode("\x1bO5C"), RIGHT);  // old modifier form
    EXPECT_EQ(decode("w\x1b[Bs"), (Codes{'w', KEY_PREFIX, KEY_DOWN, 's'}));
}

TEST(KeyDecoder, OtherEscapeSequencesAreConsumedWhole) {
    const std::string sequences[] = {
        "\x1b[6~",    // PgDn
        "\x1b[5~",    // PgUp
        "\x1b[2~",    // Insert
        "\x1b[3;5~",  // Ctrl-Delete
        "\x1b[H",     // Home
        "\x1b[1;2F",  // Shift-End
        "\x1bOP",     // F1
        "\x1b[15~",   // F5
        "\x1b[24;2~", // Shift-F12
        "\x1b[I",     // focus in
        "\x1b[O",     // focus out
        "\x1b[200~",  // paste start
        "\x1b[201~",  // paste end
        "\x1b[M 61",  // X10 mouse report: its three bytes are not keys
        "\x1b[M\x23\x41\x42",
        "\x1b[<0;12;5M",                  // SGR mouse press
        "\x1b[<0;12;5m",                  // SGR mouse release
        "\x1b[?1;2A",                     // private parameters: not an arrow key
        "\x1b]11;rgb:0000/0000/0000\x07", // OSC ended by BEL
        "\x1b]0;1234\x1b\\",              // OSC ended by ESC backslash
        "\x1bP1$r0m\x1b\\",               // DCS
        "\x1b_abc\x1b\\",                 // APC
        "\x1bx",                          // Alt-x
        "\x1b"
        "1", // Alt-1 must not paint
    };
    for (const std::string& s : sequences) EXPECT_EQ(decode(s + "q"), Codes{'q'}) << s.substr(1);
}

TEST(KeyDecoder, LoneEscapeEnterAndBackspace) {
    EXPECT_EQ(decode("\x1b"), Codes{KEY_ESCAPE}); // at the end of piped input
    EXPECT_EQ(decode("\x1b\x1b[A"), (Codes{KEY_ESCAPE, KEY_PREFIX, KEY_UP}));
    EXPECT_EQ(decode("\x1b\r"), (Codes{KEY_ESCAPE, KEY_ENTER}));
    EXPECT_EQ(decode("a\rb\nc\r\nd"), (Codes{'a', 13, 'b', 13, 'c', 13, 'd'}));
    EXPECT_EQ(decode("\n\n\r\r"), (Codes{13, 13, 13, 13}));
    EXPECT_EQ(decode("x\x7f\x08"), (Codes{'x', KEY_BACKSPACE, KEY_BACKSPACE}));
    EXPECT_EQ(decode("\t\x04 ~"), (Codes{'\t', 4, ' ', '~'}));
}

TEST(KeyDecoder, EscapeWaitsForTheNextByteOrForTheTimeout) {
    KeyDecoder decoder;
    Codes codes;
    decoder.feed(0x1b, codes);
    EXPECT_TRUE(decoder.unfinished());
    EXPECT_TRUE(codes.empty());
    decoder.feed('[', codes); // a sequence split across two reads
    decoder.feed('6', codes);
    decoder.feed('~', codes);
    EXPECT_FALSE(decoder.unfinished());
    decoder.feed(0x1b, codes);
    decoder.pause(codes); // nothing came in time: the Escape key
    decoder.feed('[', codes);
    decoder.feed('A', codes);
    EXPECT_EQ(codes, (Codes{KEY_ESCAPE, '[', 'A'}));
    decoder.pause(codes); // no ESC pending: nothing
    EXPECT_EQ(codes.size(), 3u);
}

TEST(KeyDecoder, HighBytesAndNulNeverBecomeKeys) {
    EXPECT_EQ(decode("\xC5\x82"), Codes{});         // UTF-8 l with stroke
    EXPECT_EQ(decode("\xE0\xA4\x85x"), Codes{'x'}); // a lead byte 0xE0 is not the prefix 224
    EXPECT_EQ(decode(std::string("a\0b", 3)), (Codes{'a', 'b'}));
    EXPECT_EQ(decode("\x1b\xC3\xA9z"), Codes{'z'}); // Alt with a non-ASCII key
}

TEST(KeyDecoder, BrokenSequencesEndWithoutSwallowingLaterKeys) {
    EXPECT_EQ(decode("\x1b[1;"), Codes{});            // cut off by the end of the input
    EXPECT_EQ(decode("\x1b[1\x1b[A"), UP);            // a new ESC starts over
    EXPECT_EQ(decode("\x1b[12\r"), Codes{KEY_ENTER}); // a control byte ends the sequence
    EXPECT_EQ(decode("\x1b[1\x18x"), Codes{'x'});     // CAN cancels it
    EXPECT_EQ(decode("\x1bO\x1b[B"), DOWN);
    EXPECT_EQ(decode("\x1b]0;title\x1b[C"), RIGHT); // an OSC cut short by a new sequence
    EXPECT_EQ(decode("\x1b]0;title\x1b\x1b[C"), RIGHT);
}

// Decodes `bytes` as a UTF-8 terminal sends them, then the end of the input.
Codes decode_utf8(const std::string& bytes) {
    KeyDecoder decoder(true);
    Codes codes;
    for (char b : bytes) decoder.feed(static_cast<std::uint8_t>(b), codes);
    decoder.end_of_input(codes);
    return codes;
}

TEST(KeyDecoder, Utf8LettersGiveTheirCodePage852ByteAboveEveryKeyCode) {
    // z with dot above, l with stroke, capital O acute (byte 224, the same as the prefix)
    EXPECT_EQ(decode_utf8("\xC5\xBC\xC5\x82\xC3\x93"),
              (Codes{TYPED_CHAR_BASE + 0xBE, TYPED_CHAR_BASE + 0x88, TYPED_CHAR_BASE + 0xE0}));
    EXPECT_EQ(decode_utf8("\xE2\x82\xAC"
                          "a"),
              Codes{'a'});                                       // the euro sign: not in the table
    EXPECT_EQ(decode_utf8("\xC5x\xBC\x82y"), (Codes{'x', 'y'})); // broken characters
    EXPECT_EQ(decode_utf8("\xE0\x83\xB3"), Codes{});             // o acute, overlong
    EXPECT_EQ(decode_utf8("\xC5\x1b[A"), UP);
}

TEST(KeyDecoder, APauseAbandonsAnUnfinishedSequenceAndTheNextKeysCount) {
    // Alt with P, ], X, _ and ^ start strings; ESC [ and ESC O start sequences; a lead byte
    // starts a character.
    for (const std::string start : {"\x1bP", "\x1b]", "\x1bX", "\x1b_", "\x1b^", "\x1b[", "\x1bO",
                                    "\x1b[1;", "\x1b]0;x\x1b", "\xC5"}) {
        SCOPED_TRACE(start);
        KeyDecoder decoder(true);
        Codes codes;
        for (char b : start) decoder.feed(static_cast<std::uint8_t>(b), codes);
        EXPECT_TRUE(decoder.unfinished());
        decoder.pause(codes);
        EXPECT_FALSE(decoder.unfinished());
        for (char b : std::string("e1\r\x04")) decoder.feed(static_cast<std::uint8_t>(b), codes);
        EXPECT_EQ(codes, (Codes{'e', '1', KEY_ENTER, KEY_END_OF_TEXT}));
    }
    KeyDecoder decoder;
    Codes codes;
    decoder.feed(0x1b, codes);
    decoder.pause(codes); // a lone Escape press
    EXPECT_EQ(codes, Codes{KEY_ESCAPE});
}

TEST(KeyDecoder, AHundredKilobyteStringIsSwallowedWhole) {
    KeyDecoder decoder;
    Codes codes;
    for (char b : std::string("\x1bP")) decoder.feed(static_cast<std::uint8_t>(b), codes);
    for (int i = 0; i < 100 * 1024; ++i)
        decoder.feed(static_cast<std::uint8_t>("a\r\x04"[i % 3]), codes);
    EXPECT_TRUE(codes.empty());
    for (char b : std::string("\x1b\\k")) decoder.feed(static_cast<std::uint8_t>(b), codes);
    EXPECT_EQ(codes, Codes{'k'});
}

} // namespace
} // namespace zk
