#include "ui/Cp1252.h"

#include "QtTestApp.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const QString text = Cp1252::toUnicode(all);
    EXPECT_EQ(text.size(), 255);
    EXPECT_EQ(Cp1252::fromUnicode(text), all);
}

TEST(Cp1252, HighControlRangeMapsToWindowsCharacters) {
    const std::string bytes = "\x80\x85\x8A\x91\x93\x96\x99\x9F";
    EXPECT_EQ(Cp1252::toUnicode(bytes), QString::fromUtf8("€…Š‘“–™Ÿ"));
    EXPECT_EQ(Cp1252::fromUnicode(QString::fromUtf8("€…Š‘“–™Ÿ")), bytes);
    // The five holes of the code page keep their byte value.
    for (const unsigned char hole : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        const QString t = Cp1252::toUnicode(std::string(1, static_cast<char>(hole)));
        ASSERT_EQ(t.size(), 1);
        EXPECT_EQ(t.at(0).unicode(), hole);
    }
    EXPECT_EQ(Cp1252::toUnicode("Caf\xe9 \xa0\xff"), QString::fromUtf8("Café \u00a0ÿ"));
}

TEST(Cp1252, CharactersWithoutAByteBecomeOneQuestionMarkEach) {
    // U+0080 is a C1 control, not the euro sign; Ω and the tent have no byte at all, and the
    // tent is one character of two UTF-16 units.
    EXPECT_EQ(Cp1252::fromUnicode(QString::fromUtf8("a\u0080Ω⛺b🏕c")), "a???b?c");
    QString lone;
    lone.append(QChar(0xD800)).append(QLatin1Char('x')).append(QChar(0xDC00));
    EXPECT_EQ(Cp1252::fromUnicode(lone), "?x?");
    EXPECT_EQ(Cp1252::fromUnicode(QString()), "");
    EXPECT_TRUE(Cp1252::toUnicode("").isEmpty());
}

} // namespace
} // namespace varnel
