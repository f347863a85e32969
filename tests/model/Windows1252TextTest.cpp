#include "model/Windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

TEST(Windows1252Text, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::string utf8 = windows1252ToUtf8(all);
    EXPECT_EQ(utf8.substr(0, 128), all.substr(0, 128));
    EXPECT_EQ(utf8ToWindows1252(utf8), all);
}

TEST(Windows1252Text, WindowsCharactersLatin1AndTheFiveHoles) {
    EXPECT_EQ(windows1252ToUtf8("\x80\x85\x8A\x91\x93\x96\x99\x9F"), "€…Š‘“–™Ÿ");
    EXPECT_EQ(windows1252ToUtf8("Caf\xe9 \xa0\xff"), "Café \u00a0ÿ");
    for (const unsigned char hole : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(windows1252ToCodePoint(hole), char32_t{hole});
    }
    EXPECT_EQ(windows1252ToUtf8("\x81"), "\xC2\x81");
    EXPECT_EQ(windows1252ByteFor(U'\u20AC'), '\x80');
    EXPECT_EQ(windows1252ByteFor(U'\u0080'), '?') << "the euro sign has its own byte";
}

TEST(Windows1252Text, CharactersWithoutAByteAndBrokenUtf8BecomeOneQuestionMarkEach) {
    EXPECT_EQ(utf8ToWindows1252("a\u0080Ω⛺b🏕c"), "a???b?c");
    EXPECT_EQ(utf8ToWindows1252(""), "");
    // A stray continuation byte, a sequence cut by the end, one cut by an ASCII byte.
    EXPECT_EQ(utf8ToWindows1252("x\x80y"), "x?y");
    EXPECT_EQ(utf8ToWindows1252("x\xE2\x9B"), "x??");
    EXPECT_EQ(utf8ToWindows1252("\xE2\x9Bz"), "??z");
    // Overlong forms, an encoded surrogate, past U+10FFFF, bytes that never start anything.
    EXPECT_EQ(utf8ToWindows1252("\xC0\xAF"), "??");
    EXPECT_EQ(utf8ToWindows1252("\xE0\x80\xAF"), "???");
    EXPECT_EQ(utf8ToWindows1252("\xED\xA0\x80"), "???");
    EXPECT_EQ(utf8ToWindows1252("\xF4\x90\x80\x80"), "????");
    EXPECT_EQ(utf8ToWindows1252("\xF8\xFF"), "??");
}

TEST(Windows1252Text, Utf8OfEveryLength) {
    std::string out;
    appendUtf8(out, U'A');
    appendUtf8(out, U'\u00E9');
    appendUtf8(out, U'\u20AC');
    appendUtf8(out, U'\U0001F3D5');
    EXPECT_EQ(out, "Aé€🏕");
}

} // namespace
} // namespace varnel
