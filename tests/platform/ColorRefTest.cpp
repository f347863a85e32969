#include "platform/ColorRef.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(ColorRef, BytesAreRedGreenBlueFromTheLowEnd) {
    EXPECT_EQ(colorFromColorRef(0x000099FF), QColor(255, 153, 0));
    EXPECT_EQ(colorFromColorRef(0x00E0FFFF), QColor(255, 255, 224));
    EXPECT_EQ(colorRefFromColor(QColor(255, 255, 196)), 0x00C4FFFFU);
    EXPECT_EQ(colorRefFromColor(QColor(1, 2, 3)), 0x00030201U);
}

TEST(ColorRef, HighByteAndAlphaAreDropped) {
    EXPECT_EQ(colorFromColorRef(0xFF123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(colorRefFromColor(QColor(0x56, 0x34, 0x12, 7)), 0x00123456U);
    EXPECT_EQ(colorRefFromColor(QColor::fromHsv(120, 255, 255)), 0x0000FF00U);
}

TEST(ColorRef, ASystemColourTakesThePalettesColourForItsRole) {
    QPalette palette(QColor(0x10, 0x20, 0x30));
    palette.setColor(QPalette::Base, QColor(0xFE, 0xFD, 0xFC));
    EXPECT_EQ(resolvedColorRef(0x80000005, palette), 0x00FCFDFEU) << "window: Base, not 050000";
    EXPECT_EQ(resolvedColorRef(0x8000000F, palette), 0x00302010U) << "button face";
    EXPECT_EQ(resolvedColorRef(0x80000019, palette), 0x00000019U) << "no colour has index 25";
    EXPECT_EQ(resolvedColorRef(0x01123456, palette), 0x00123456U) << "not a system colour";
    EXPECT_EQ(currentColorRef(0x80000005) & 0x808080U, 0x808080U) << "a light window, GUI or not";
}

} // namespace
} // namespace varnel
