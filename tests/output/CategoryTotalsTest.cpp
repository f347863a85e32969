#include "output/CategoryTotals.h"
#include "../model/TestRecords.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(CategoryTotals, EmptyListGivesOneEmptyLineTheRuleAndGrandTotal) {
    GearDocument doc;
    const auto totals = categoryTotals(doc);
    const auto lines = totalsDialogLines(totals, false);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0], "                      :   0.00 oz. (  0.00 lb)");
    EXPECT_EQ(lines[1], std::string(43, '-'));
    EXPECT_EQ(lines[2], "Grand Total           :   0.00 oz. (  0.00 lb)");
    EXPECT_EQ(totalsTooltipText(totals, false), " :   0.00 oz. (  0.00 lb)");
}

TEST(CategoryTotals, LinesInBothUnits) {
    GearDocument doc;
    doc.insertRecord(test::item("Shelter", "Tent", "10", true));
    doc.insertRecord(test::item("Shelter", "Stakes", "22", true));
    doc.insertRecord(test::item("Shelter", "Footprint", "5", false));
    const auto lines = totalsDialogLines(categoryTotals(doc), false);
    EXPECT_EQ(lines[0], "Shelter               :  32.00 oz. (  2.00 lb)");
    EXPECT_EQ(totalsTooltipText(categoryTotals(doc), false), "Shelter :  32.00 oz. (  2.00 lb)");

    GearDocument metric;
    metric.metric = true;
    metric.insertRecord(test::item("Water", "Bottle", "1500", true));
    EXPECT_EQ(totalsDialogLines(categoryTotals(metric), true)[0],
              "Water                 : 1500.00 gm. (  1.50 kg)");
}

TEST(CategoryTotals, RunsCaseFoldingGroupsAndMembers) {
    GearDocument doc;
    doc.insertRecord(test::item("Food", "Oats", "3", true));
    doc.insertRecord(test::item("food", "Tea", "1", true));
    doc.insertRecord(test::item("Clothing", "Hat", "2", false));
    doc.insertRecord(test::group("Kitchen", "Cook kit", {"4", "6"}, true));
    auto member = test::item("Kitchen", "pot", "4");
    member->inGroup = 1;
    doc.insertRecord(std::move(member));
    const auto totals = categoryTotals(doc);
    ASSERT_EQ(totals.categories.size(), 3U);
    EXPECT_EQ(totals.categories[0].category, "Clothing");
    EXPECT_FLOAT_EQ(totals.categories[0].total, 0.0F);
    EXPECT_EQ(totals.categories[1].category, "Food") << "first spelling of the run";
    EXPECT_FLOAT_EQ(totals.categories[1].total, 4.0F);
    EXPECT_FLOAT_EQ(totals.categories[2].total, 10.0F);
    EXPECT_FLOAT_EQ(totals.grandTotal, 14.0F);
}

TEST(CategoryTotals, TooltipIsCutCleanlyAtWholeLines) {
    GearDocument doc;
    for (int i = 0; i < 200; ++i) {
        doc.insertRecord(test::item("Category " + std::to_string(1000 + i), "x", "1", true));
    }
    const std::string text = totalsTooltipText(categoryTotals(doc), false);
    EXPECT_LE(text.size(), kTooltipLimit);
    EXPECT_EQ(text.substr(text.size() - 4), " lb)");
    EXPECT_NE(text.substr(0, 2), "\r\n");
}

} // namespace
} // namespace varnel
