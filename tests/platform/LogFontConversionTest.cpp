#include "platform/LogFontConversion.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(LogFontConversion, ChooserFontCarriesFaceStyleAndSizeInTenths) {
    LogFont stored = LogFont::defaultPrintingFont();
    stored.lfFaceName = "Courier New";
    stored.lfWeight = 700;
    stored.lfItalic = 1;
    stored.lfUnderline = 1;
    const QFont font = screenFontFromLogFont(stored, 105);
    EXPECT_EQ(font.family(), QStringLiteral("Courier New"));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 10.5);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.strikeOut());
    // Weight 0 is the face's normal weight; no size is one point, not Qt's default.
    stored.lfWeight = 0;
    EXPECT_EQ(screenFontFromLogFont(stored, 0).weight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(screenFontFromLogFont(stored, -40).pointSizeF(), 1.0);
}

TEST(LogFontConversion, ChosenFontBecomesTheStoredDescription) {
    LogFont base = LogFont::defaultPrintingFont();
    base.lfCharSet = 1;
    base.lfWidth = 7;
    QFont chosen(QStringLiteral("DejaVu Sans Mono"));
    chosen.setPointSize(12);
    chosen.setWeight(QFont::DemiBold);
    chosen.setStrikeOut(true);
    const LogFont out = logFontFromScreenFont(chosen, base, 96);
    EXPECT_EQ(out.lfFaceName, "DejaVu Sans Mono");
    EXPECT_EQ(out.lfHeight, -16);
    EXPECT_EQ(out.lfWidth, 0);
    EXPECT_EQ(out.lfWeight, 600);
    EXPECT_EQ(out.lfItalic, 0);
    EXPECT_EQ(out.lfStrikeOut, 1);
    EXPECT_EQ(out.lfCharSet, 1) << "fields the chooser does not set stay";
    // 10.5 points at 120 dots per inch: 17.5 pixels, rounded away from zero.
    chosen.setPointSizeF(10.5);
    EXPECT_EQ(logFontFromScreenFont(chosen, base, 120).lfHeight, -18);
    EXPECT_EQ(pointSizeTenths(chosen), 105);
}

TEST(LogFontConversion, FaceNamesAreWindows1252AndFitTheirField) {
    QFont chosen(QStringLiteral("Caf\u00e9 Mono"));
    chosen.setPointSize(10);
    const LogFont out = logFontFromScreenFont(chosen, LogFont{}, 96);
    EXPECT_EQ(out.lfFaceName, "Caf\xe9 Mono");
    EXPECT_EQ(screenFontFromLogFont(out, 100).family(), QStringLiteral("Caf\u00e9 Mono"));
    // What is kept in memory is what the 32-byte field gives back.
    chosen.setFamily(QString(40, QLatin1Char('M')));
    const LogFont longName = logFontFromScreenFont(chosen, LogFont{}, 96);
    EXPECT_EQ(longName.lfFaceName.size(), LogFont::kFaceSize - 1);
    EXPECT_EQ(LogFont::decode(longName.encode().data()), longName);
}

} // namespace
} // namespace varnel
