#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <climits>

namespace varnel {
namespace {

// A laptop and, to its right, a larger monitor.
const QList<QRect> kScreens = {QRect(0, 0, 1280, 800), QRect(1280, 0, 1920, 1080)};
const QSize kCurrent(760, 520);

TEST(WindowPlacement, ARectangleMostlyOnAScreenIsUsedAsStored) {
    EXPECT_EQ(windowPlacement({50, 60, 750, 560}, kScreens, kCurrent), QRect(50, 60, 700, 500));
    EXPECT_EQ(windowPlacement({2000, 100, 2800, 700}, kScreens, kCurrent),
              QRect(2000, 100, 800, 600));
    // Straddling the two screens, partly above them: still mostly visible.
    EXPECT_EQ(windowPlacement({1000, -100, 1700, 500}, kScreens, kCurrent),
              QRect(1000, -100, 700, 600));
}

TEST(WindowPlacement, OffEveryScreenOrTooLargeIsCentredOnThePrimary) {
    // Where a screen was once, or past every edge.
    EXPECT_EQ(windowPlacement({20000, 20000, 20700, 20500}, kScreens, kCurrent),
              QRect(290, 150, 700, 500));
    EXPECT_EQ(windowPlacement({-900, 100, -100, 700}, kScreens, kCurrent),
              QRect(240, 100, 800, 600));
    // Only a corner showing.
    EXPECT_EQ(windowPlacement({1200, 700, 1900, 1200}, {kScreens.front()}, kCurrent),
              QRect(290, 150, 700, 500));
    // Larger than any screen: as large as the primary.
    EXPECT_EQ(windowPlacement({0, 0, 9000, 9000}, kScreens, kCurrent), QRect(0, 0, 1280, 800));
}

TEST(WindowPlacement, ExtremeValuesNeitherOverflowNorLoseTheWindow) {
    const QRect centred(260, 140, 760, 520);
    for (const auto& coords : std::initializer_list<std::array<std::int32_t, 4>>{
             {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
             {INT_MAX, INT_MAX, INT_MIN, INT_MIN},
             {INT_MIN, 0, 100, 100},
             {0, INT_MIN, 100, INT_MAX},
             {INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX},
             {500, 500, 100, 100}}) {
        SCOPED_TRACE(testing::PrintToString(coords));
        const auto placed = windowPlacement(coords, kScreens, kCurrent);
        ASSERT_TRUE(placed);
        EXPECT_TRUE(kScreens.front().contains(*placed)) << placed->x() << "," << placed->y();
    }
    EXPECT_EQ(windowPlacement({500, 500, 100, 100}, kScreens, kCurrent), centred)
        << "a rectangle turned inside out keeps the window's size";
    // Right or bottom 0: nothing stored to place.
    EXPECT_FALSE(windowPlacement({INT_MIN, INT_MIN, 0, INT_MAX}, kScreens, kCurrent));
    EXPECT_FALSE(windowPlacement({10, 10, 500, 0}, kScreens, kCurrent));
    EXPECT_FALSE(windowPlacement({20000, 20000, 20700, 20500}, {}, kCurrent));
}

} // namespace
} // namespace varnel
