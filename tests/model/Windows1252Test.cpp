#include "model/Windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

TEST(Windows1252, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
    EXPECT_EQ(windows1252ToUtf8("Caf\xe9 \x80 \x9f"), "Café € Ÿ");
    // The five holes keep their byte value as C1 controls.
    EXPECT_EQ(windows1252ToUtf8("\x81\x9d"), "\u0081\u009d");
}

TEST(Windows1252, CharactersWithoutAByteAndMalformedUtf8BecomeQuestionMarks) {
    EXPECT_EQ(utf8ToWindows1252("Größe ½ L"), "Gr\xf6\xdf"
                                              "e \xbd L");
    EXPECT_EQ(utf8ToWindows1252("a\u0080Ω⛺b🏕c"), "a???b?c");
    // Overlong, cut short, a surrogate, a stray continuation byte: one "?" per bad byte.
    EXPECT_EQ(utf8ToWindows1252("\xc0\xaf"), "??");
    EXPECT_EQ(utf8ToWindows1252("x\xe2\x82"), "x??");
    EXPECT_EQ(utf8ToWindows1252("\xed\xa0\x80"), "???");
    EXPECT_EQ(utf8ToWindows1252("\x80z"), "?z");
}

} // namespace
} // namespace varnel
