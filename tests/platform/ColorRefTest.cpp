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

} // namespace
} // namespace varnel
