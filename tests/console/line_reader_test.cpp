// Tests of typed lines, words and numbers read from the keys with their echo.

#include "console/line_reader.hpp"

#include "screen_text.hpp"
#include "scripted_keys.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace zk {
namespace {

constexpr int ECHO = 10; // the echo's attribute

struct LineReaderTest : ::testing::Test {
    ScriptedKeys keys;
    Screen screen;
    Console console{screen, keys};
};

TEST_F(LineReaderTest, WordLeavesRestOfLinePendingForTheNextWord) {
    keys.add("e1 e2\r");
    EXPECT_EQ(read_word(console, ECHO), "e1");
    EXPECT_EQ(read_word(console, ECHO), "e2");
    EXPECT_EQ(keys.remaining(), 0u);
}

TEST_F(LineReaderTest, EmptyLinesAndBlanksAreSkipped) {
    keys.add("\r  \r\t kot\r");
    EXPECT_EQ(read_word(console, ECHO), "kot");
}

TEST_F(LineReaderTest, KeyReadsBypassThePendingLine) {
    keys.add("a b\rq");
    EXPECT_EQ(read_word(console, ECHO), "a");
    EXPECT_EQ(get_key(console), 'q');
    EXPECT_EQ(read_word(console, ECHO), "b");
}

TEST_F(LineReaderTest, NumbersOnOneLineAndTheDroppedCharacter) {
    keys.add("7 9\r");
    EXPECT_EQ(read_number(console, ECHO), 7);
    EXPECT_EQ(read_number(console, ECHO), 9);
    EXPECT_EQ(console.pending_line, "");
    keys.add("-3\r");
    EXPECT_EQ(read_number(console, ECHO), -3);
}

TEST_F(LineReaderTest, LettersWhereANumberIsExpectedGiveZeroAndLoseOneCharacter) {
    keys.add("abc\r");
    EXPECT_EQ(read_number(console, ECHO), 0);
    EXPECT_EQ(console.pending_line, "bc\n");
    EXPECT_EQ(read_number(console, ECHO), 0);
    EXPECT_EQ(console.pending_line, "c\n");
}

TEST_F(LineReaderTest, EchoesAtThePositionWithBackspaceAndMovesToNextRow) {
    move_output_to(console.screen, 22, 63);
    keys.add("e9\b1\r");
    EXPECT_EQ(read_word(console, ECHO), "e1");
    EXPECT_EQ(test::text_at(console.screen, 22, 63, 3), "e1 ");
    EXPECT_EQ(test::attr_at(console.screen, 22, 63), ECHO);
    EXPECT_EQ(console.screen.x, 0);
    EXPECT_EQ(console.screen.y, 23);
}

TEST_F(LineReaderTest, BackspaceAtTheEndOfTheLineErasesTheLastCharacterOnScreen) {
    put_text_at(console.screen, 22, 42, 10, "Podaj: ");
    keys.add("abc\b\r");
    EXPECT_EQ(read_word(console, ECHO), "ab");
    EXPECT_EQ(test::text_at(console.screen, 22, 42, 11), "Podaj: ab  ");

    // More backspaces than characters stop at the start of the echo; the prompt stays.
    move_output_to(console.screen, 22, 49);
    keys.add("x\b\b\b\r");
    keys.add("y\r");
    EXPECT_EQ(read_word(console, ECHO), "y");
    EXPECT_EQ(test::text_at(console.screen, 22, 42, 7), "Podaj: ");

    // In the last column too.
    move_output_to(console.screen, 3, 76);
    keys.add("abcd\b\r");
    EXPECT_EQ(read_word(console, ECHO), "abc");
    EXPECT_EQ(test::text_at(console.screen, 3, 76, 4), "abc ");
}

TEST_F(LineReaderTest, LineIsLimitedToItsRowAndArrowKeysAreNotText) {
    move_output_to(console.screen, 3, 76);
    keys.add("abcdef\xE0H\r");
    EXPECT_EQ(read_word(console, ECHO), "abcd");
}

TEST_F(LineReaderTest, EndOfInputIsReportedWhileWaitingForAWord) {
    keys.add("   \r");
    EXPECT_THROW(read_word(console, ECHO), InputEnded);
}

// Gives fixed key codes, including those above 255 that a script of bytes cannot hold.
struct CodeKeys : KeySource {
    explicit CodeKeys(std::vector<int> codes) : codes(std::move(codes)) {}
    int read_code() override {
        if (next == codes.size()) throw InputEnded{};
        return codes[next++];
    }
    std::vector<int> codes;
    std::size_t next = 0;
};

constexpr int Z_DOT = TYPED_CHAR_BASE + 0xBE;   // z with dot above in code page 852
constexpr int O_ACUTE = TYPED_CHAR_BASE + 0xE0; // capital O acute: byte 224, as the prefix

TEST_F(LineReaderTest, TabSeparatesWordsAndNumbersAndEchoesAsOneBlank) {
    keys.add("e1\te2\r\t7\t9\r");
    EXPECT_EQ(read_word(console, ECHO), "e1");
    EXPECT_EQ(test::text_at(console.screen, 0, 0, 6), "e1 e2 ");
    EXPECT_EQ(read_word(console, ECHO), "e2");
    EXPECT_EQ(read_number(console, ECHO), 7);
    EXPECT_EQ(read_number(console, ECHO), 9);
}

TEST_F(LineReaderTest, CtrlDEndsTheInputOnlyOnALineWithNothingTyped) {
    keys.add("ab\x04"
             "c\r");
    EXPECT_EQ(read_word(console, ECHO), "abc"); // half-way through a word it is dropped
    keys.add("\x04");
    EXPECT_THROW(read_word(console, ECHO), InputEnded);
    keys.add("x\b\x04");
    EXPECT_THROW(read_number(console, ECHO), InputEnded); // typed and erased again: nothing typed
    EXPECT_EQ(keys.remaining(), 0u);
}

TEST(LineReader, TypedLettersAboveAsciiAreOneCodePage852ByteEach) {
    CodeKeys keys({'j', 'e', Z_DOT, '\r', O_ACUTE, 'x', '\r', 'a', Z_DOT, Z_DOT, 'b', '\r'});
    Screen screen;
    Console console{screen, keys};
    EXPECT_EQ(read_word(console, ECHO), "je\xBE");
    EXPECT_EQ(test::glyph_at(console.screen, 0, 2), 0xBE);
    EXPECT_EQ(read_word(console, ECHO), "\xE0x"); // not an extended key: the x stays
    move_output_to(console.screen, 5, 77);        // room for three characters
    EXPECT_EQ(read_word(console, ECHO), "a\xBE\xBE");

    CodeKeys more({O_ACUTE, 'x'});
    Console waiting{screen, more};
    wait_for_any_key(waiting); // a typed letter, not an extended key: x is the next key
    EXPECT_EQ(get_key(waiting), 'x');
}

} // namespace
} // namespace zk
