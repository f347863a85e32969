#include "output/GearSummary.h"
#include "../model/TestRecords.h"
#include "model/WeightText.h"
#include "output/WeightChart.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace varnel {
namespace {

// User column 2 holds the worn marks, 3 the consumable ones; headings in other cases and blanks.
const std::vector<std::string> kHeadings{"url", " worn ", "CONSUMABLE"};

std::unique_ptr<sPubInfo> marked(std::string_view unit, std::string_view multiplier,
                                 std::string_view worn, std::string_view consumable,
                                 bool checked = true) {
    auto r = test::item("Gear", "thing", unit, checked);
    setField(r->multiplier, multiplier);
    r->updateLineWeight();
    test::addTexts(*r, {"", worn, consumable});
    return r;
}

GearSummary summaryOf(const GearDocument& doc, const std::vector<std::string>& headings) {
    return gearSummary(categoryTotals(doc, markColumns(headings)));
}

TEST(GearSummary, MarksQuantitiesAndCheckMarks) {
    struct Case {
        const char *unit, *multiplier, *worn, *consumable;
        bool checked;
        float worn_, consumable_, base;
    } const cases[] = {
        {"10", "1", "Worn", "", true, 10, 0, 0},
        {"10", "2", " yes ", "", true, 10, 0, 10}, // one pair worn, one carried
        {"10", "0", "worn", "", true, 0, 0, 0},
        {"10", "1.5", "x", "", true, 10, 0, 5},
        {"10", "0.5", "x", "", true, 5, 0, 0},
        {"10", "abc", "x", "", true, 0, 0, 0}, // counts as 0: its whole (0) line weight
        {"10", "2", "No", "", true, 0, 0, 20},
        {"10", "2", " 0 ", "n", true, 0, 0, 20},
        {"10", "2", "FALSE", "  ", true, 0, 0, 20},
        {"10", "2", "Worn", "Consumable", true, 0, 20, 0}, // both: consumable, once
        {"10", "2", "", "1", true, 0, 20, 0},
        {"10", "2", "Worn", "Consumable", false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        GearDocument doc;
        doc.insertRecord(marked(c.unit, c.multiplier, c.worn, c.consumable, c.checked));
        const GearSummary s = summaryOf(doc, kHeadings);
        SCOPED_TRACE(std::string(c.multiplier) + " '" + c.worn + "' '" + c.consumable + "'");
        EXPECT_EQ(s.worn, c.worn_);
        EXPECT_EQ(s.consumable, c.consumable_);
        EXPECT_EQ(s.base, c.base);
        EXPECT_EQ(s.pack, c.base + c.consumable_);
        EXPECT_EQ(s.skinOut, c.base + c.worn_ + c.consumable_);
    }
    // Without the columns the same texts mark nothing.
    GearDocument doc;
    doc.insertRecord(marked("10", "2", "Worn", "Consumable"));
    EXPECT_EQ(summaryOf(doc, {"url", "Wornout", "Notes"}).base, 20.0F);
}

TEST(GearSummary, GroupsCountThroughTheirMembersWhenChecked) {
    for (const bool checked : {true, false}) {
        GearDocument doc;
        auto g = test::group("Kitchen", "Cook kit", {"4", "6", "8"}, checked);
        test::addTexts(*g->members->at(1), {"", "", "Consumable"}); // the 4
        test::addTexts(*g->members->at(2), {"", "Worn", ""});       // the 6
        doc.insertRecord(std::move(g));
        doc.toggleGroup(0); // member rows shown change nothing
        const GearSummary s = summaryOf(doc, kHeadings);
        const float on = checked ? 1.0F : 0.0F;
        EXPECT_EQ((std::array{s.consumable, s.worn, s.base, s.skinOut}),
                  (std::array{4.0F * on, 6.0F * on, 8.0F * on, 18.0F * on}));
        const WeightChart chart = weightChart(categoryTotals(doc, markColumns(kHeadings)), false);
        EXPECT_EQ(chart.split, checked);
        if (checked) {
            EXPECT_DOUBLE_EQ(chart.bars[0].wornShare, 6.0 / 18.0);
        }
    }
}

TEST(GearSummary, LinesInBothUnitsWithAGoal) {
    const GearSummary s{150.5F, 20.0F, 30.0F, 180.5F, 200.5F};
    const auto ounces = summaryLines(s, std::nullopt, false);
    ASSERT_EQ(ounces.size(), 5U);
    EXPECT_EQ(ounces[0], "Base weight           : 150.50 oz. (  9.41 lb)");
    EXPECT_EQ(ounces[4], "Skin-out              : 200.50 oz. ( 12.53 lb)");
    const auto metric = summaryLines(s, 160.0, true, true);
    ASSERT_EQ(metric.size(), 7U);
    EXPECT_EQ(metric[5], "Base weight goal      :  160.00 gm. (  0.16 kg)");
    EXPECT_EQ(metric[6], "Under the goal by     :    9.50 gm. (  0.01 kg)");
    bool over = false;
    EXPECT_EQ(goalText(s, 100.0, false, over), "Goal 100.00 oz.: 50.50 oz. over");
    EXPECT_TRUE(over);
    EXPECT_EQ(summaryText(s, false), "Base 150.50 oz.   Worn 20.00 oz.   Consumable 30.00 oz.   "
                                     "Pack 180.50 oz.   Skin-out 200.50 oz.");
}

TEST(GearSummary, SkinOutIsTheGrandTotalOnLargeRandomLists) {
    std::mt19937 random(18);
    std::uniform_int_distribution<int> cents(0, 500000);
    std::uniform_int_distribution<int> pick(0, 9);
    const auto weight = [&] { return formatWeight(cents(random) / 100.0); };
    const auto mark = [&] { return pick(random) < 3 ? "Worn" : ""; };
    for (int list = 0; list < 20; ++list) {
        GearDocument doc;
        for (int i = 0; i < 2000; ++i) {
            const std::string category = "C" + std::to_string(pick(random));
            if (pick(random) == 0) {
                auto g =
                    test::group(category, "g", {weight(), weight(), weight()}, pick(random) < 7);
                g->members->forEach([&](sPubInfo& m) { test::addTexts(m, {"", mark(), mark()}); });
                doc.insertRecord(std::move(g));
            } else {
                doc.insertRecord(marked(weight(), std::to_string(pick(random)), mark(), mark(),
                                        pick(random) < 7));
            }
        }
        const CategoryTotals totals = categoryTotals(doc, markColumns(kHeadings));
        const GearSummary s = gearSummary(totals);
        EXPECT_EQ(s.skinOut, categoryTotals(doc).grandTotal);
        EXPECT_EQ(s.base, s.skinOut - s.worn - s.consumable);
    }
}

} // namespace
} // namespace varnel
