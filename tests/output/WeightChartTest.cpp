#include "output/WeightChart.h"
#include "../model/TestRecords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace varnel {
namespace {

std::vector<std::string> names(const WeightChart& chart) {
    std::vector<std::string> out;
    for (const WeightBar& b : chart.bars) {
        out.push_back(b.category);
    }
    return out;
}

TEST(WeightChart, HeaviestCategoryFirstWithItsShareOfTheCheckedWeight) {
    GearDocument doc;
    doc.insertRecord(test::item("Clothing", "Hat", "2", true));
    doc.insertRecord(test::item("Clothing", "Gloves", "3", false));
    doc.insertRecord(test::item("Shelter", "Tent", "30", true));
    doc.insertRecord(test::item("Water", "Filter", "8", false));
    doc.insertRecord(test::group("Kitchen", "Cook kit", {"4", "4"}, true));
    const WeightChart chart = weightChart(categoryTotals(doc), false);

    EXPECT_EQ(names(chart), (std::vector<std::string>{"Shelter", "Kitchen", "Clothing"}))
        << "Water has nothing checked: no bar";
    EXPECT_FLOAT_EQ(chart.grandTotal, 40.0F);
    EXPECT_FLOAT_EQ(chart.bars[1].weight, 8.0F) << "a group counts by its group weight";
    EXPECT_DOUBLE_EQ(chart.bars[0].share, 0.75);
    EXPECT_DOUBLE_EQ(chart.bars[2].share, 0.05);
    EXPECT_DOUBLE_EQ(chart.bars[0].length, 1.0);
    EXPECT_NEAR(chart.bars[1].length, 8.0 / 30.0, 1e-9);
    EXPECT_EQ(chart.bars[0].label, "30.00 oz. (75.0%)");
    EXPECT_EQ(chart.bars[2].label, "2.00 oz. (5.0%)");

    GearDocument metric;
    metric.metric = true;
    metric.insertRecord(test::item("Water", "Bottle", "1500", true));
    metric.insertRecord(test::item("Food", "Oats", "500.5", true));
    const WeightChart grams = weightChart(categoryTotals(metric), true);
    ASSERT_EQ(grams.bars.size(), 2U);
    EXPECT_EQ(grams.bars[0].label, "1500.00 gm. (75.0%)");
    EXPECT_EQ(grams.bars[1].label, "500.50 gm. (25.0%)");
}

TEST(WeightChart, RunsOfOneCategoryMakeOneBarAndTiesKeepTheListOrder) {
    CategoryTotals totals;
    totals.categories = {{"Food", 3.0F}, {"Pack", 5.0F}, {"FOOD", 4.0F}, {"Sleep", 5.0F}};
    totals.grandTotal = 17.0F;
    const WeightChart chart = weightChart(totals, false);
    EXPECT_EQ(names(chart), (std::vector<std::string>{"Food", "Pack", "Sleep"}));
    EXPECT_FLOAT_EQ(chart.bars[0].weight, 7.0F);
    EXPECT_EQ(chart.bars[1].label, "5.00 oz. (29.4%)");
}

TEST(WeightChart, NothingCheckedDrawsNoBar) {
    GearDocument empty;
    EXPECT_TRUE(weightChart(categoryTotals(empty), false).bars.empty());

    GearDocument unchecked;
    unchecked.insertRecord(test::item("Shelter", "Tent", "30", false));
    EXPECT_TRUE(weightChart(categoryTotals(unchecked), true).bars.empty());
}

TEST(WeightChart, NumbersNoListShouldHoldStayInsideTheChart) {
    const float inf = std::numeric_limits<float>::infinity();
    CategoryTotals totals;
    totals.categories = {{"Odd", std::nanf("")}, {"Less", -5.0F}, {"Huge", inf}, {"More", 5.0F}};
    totals.grandTotal = 0.0F;
    const WeightChart chart = weightChart(totals, false);
    ASSERT_EQ(chart.bars.size(), 4U);
    EXPECT_EQ(chart.bars.front().category, "Huge");
    EXPECT_EQ(chart.bars.back().category, "Odd") << "not a number goes last";
    for (const WeightBar& b : chart.bars) {
        SCOPED_TRACE(b.category);
        EXPECT_EQ(b.share, 0.0) << "no grand total to share";
        EXPECT_GE(b.length, 0.0);
        EXPECT_LE(b.length, 1.0);
        EXPECT_FALSE(b.label.empty());
    }

    // A negative category makes no bar of its own, and the others' shares stay at most 1.
    totals.categories = {{"Less", -5.0F}, {"More", 10.0F}};
    totals.grandTotal = 5.0F;
    const WeightChart mixed = weightChart(totals, false);
    EXPECT_DOUBLE_EQ(mixed.bars[0].share, 1.0);
    EXPECT_DOUBLE_EQ(mixed.bars[1].length, 0.0);
    EXPECT_EQ(mixed.bars[1].label, "-5.00 oz. (0.0%)");
}

} // namespace
} // namespace varnel
