#include "model/GearDocument.h"
#include "TestRecords.h"
#include "model/FixedText.h"
#include "model/WeightText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace varnel {
namespace {

std::vector<std::string> column(const GearDocument& doc, int c) {
    std::vector<std::string> out;
    for (int r = 0; r < doc.rowCount(); ++r) {
        out.push_back(doc.displayText(r, c));
    }
    return out;
}

TEST(GearDocumentInsert, ItemsSortWithinBlocksAndNewCategoriesFallBetween) {
    GearDocument doc;
    doc.insertRecord(test::item("Clothing", "Rain jacket"));
    doc.insertRecord(test::item("Shelter", "b"));
    doc.insertRecord(test::item("Shelter", "A"));
    doc.insertRecord(test::item("Food", "Oats"));
    doc.insertRecord(test::item("clothing", "Gloves"));
    EXPECT_EQ(column(doc, 1),
              (std::vector<std::string>{"Gloves", "Rain jacket", "Oats", "A", "b"}));
    EXPECT_EQ(column(doc, 0), (std::vector<std::string>{"clothing", "", "Food", "Shelter", ""}));
    doc.sortedView = true;
    EXPECT_EQ(column(doc, 0),
              (std::vector<std::string>{"clothing", "Clothing", "Food", "Shelter", "Shelter"}));
}

TEST(GearDocumentInsert, EqualItemsGoBeforeTheOnesAlreadyThere) {
    GearDocument doc;
    auto first = test::item("Kit", "Spoon", "1");
    auto second = test::item("Kit", "spoon", "2");
    doc.insertRecord(std::move(first));
    EXPECT_EQ(doc.insertRecord(std::move(second)), 0);
    EXPECT_EQ(doc.displayText(0, 2), "2");
}

// Loading into an empty list must give exactly the order of inserting one by one.
TEST(GearDocumentInsert, BulkLoadMatchesOneByOneOnRandomInputs) {
    std::mt19937 rng(12345);
    const std::vector<std::string> cats = {"Food", "food", "FOOD", "Shelter",   "Water",
                                           "",     "a",    "B",    "\xe9t\xe9", "Z"};
    const std::vector<std::string> items = {"x",     "X", "y", "",         "Stove",
                                            "stove", "b", "A", "\xc4pfel", "aa"};
    for (int round = 0; round < 200; ++round) {
        const int n = static_cast<int>(rng() % 40);
        GearDocument one;
        GearDocument bulk;
        std::vector<std::unique_ptr<sPubInfo>> batch;
        for (int i = 0; i < n; ++i) {
            const auto& c = cats[rng() % cats.size()];
            const auto& it = items[rng() % items.size()];
            const std::string w = std::to_string(i);
            const bool sel = rng() % 2 == 0;
            one.insertRecord(test::item(c, it, w, sel));
            batch.push_back(test::item(c, it, w, sel));
        }
        bulk.insertRecords(std::move(batch));
        ASSERT_EQ(one.rowCount(), bulk.rowCount());
        for (int r = 0; r < one.rowCount(); ++r) {
            ASSERT_EQ(one.displayText(r, 2), bulk.displayText(r, 2)) << "round " << round;
            ASSERT_EQ(one.row(r).stateImage, bulk.row(r).stateImage);
        }
        ASSERT_FLOAT_EQ(one.selectedTotal(), bulk.selectedTotal());
    }
}

// Files saved by weight, or in any order but the list's: many categories in every letter
// case, and items that differ only past their 16th byte or only in case, loaded at once must
// come out as one-by-one insertion leaves them.
TEST(GearDocumentInsert, BulkLoadOfWeightOrderedAndReversedListsMatchesOneByOne) {
    std::mt19937 rng(2026);
    std::vector<std::string> cats;
    for (int c = 0; c < 70; ++c) {
        std::string name = "Cat" + std::to_string(c * 7 % 70);
        if (c % 3 == 0) {
            name[0] = 'c';
        }
        cats.push_back(name);
    }
    cats.insert(cats.end(), {"", "Sleep system for cold nights", "SLEEP SYSTEM FOR COLD NIGHTS",
                             "\xc1", "\xd0", "a", "[", "Z"});
    const std::vector<std::string> items = {
        "Stuff sack, large, silnylon",
        "Stuff sack, large, Silnylon",
        "stuff sack, large, dyneema",
        "Stuff sack, larg",
        "Stuff sack, large",
        "Stuff sack, larger",
        "A",
        "a",
        "\xe9tui",
        "Z",
        "\xc1\xdaz", // high bytes whose low seven bits are capitals stay as they are
        "\xd0",
        "@",
        "[",
        "`",
        "{"};
    for (int round = 0; round < 20; ++round) {
        const int n = 1 + static_cast<int>(rng() % 600);
        std::vector<std::unique_ptr<sPubInfo>> listed;
        for (int i = 0; i < n; ++i) {
            const std::string w = std::to_string(rng() % 50) + "." + std::to_string(i % 100);
            listed.push_back(test::item(cats[rng() % cats.size()], items[rng() % items.size()], w,
                                        rng() % 2 == 0));
            setField(listed.back()->notes, std::to_string(i)); // tells equal rows apart
        }
        std::vector<std::vector<std::unique_ptr<sPubInfo>>> orders(3);
        for (auto& order : orders) {
            for (const auto& r : listed) {
                order.push_back(r->clone());
            }
        }
        std::stable_sort(orders[0].begin(), orders[0].end(), [](const auto& a, const auto& b) {
            return weightValue(fieldText(a->weight)) < weightValue(fieldText(b->weight));
        });
        std::reverse(orders[1].begin(), orders[1].end());
        {
            // What a save gives: the rows in list order, then the same list reversed.
            GearDocument saved;
            saved.insertRecords(std::move(orders[2]));
            orders[2].clear();
            for (int r = saved.rowCount(); r-- > 0;) {
                orders[2].push_back(saved.record(r).clone());
            }
        }
        for (std::size_t o = 0; o < orders.size(); ++o) {
            GearDocument one;
            for (const auto& r : orders[o]) {
                one.insertRecord(r->clone());
            }
            GearDocument bulk;
            bulk.insertRecords(std::move(orders[o]));
            ASSERT_EQ(one.rowCount(), bulk.rowCount());
            for (int r = 0; r < one.rowCount(); ++r) {
                ASSERT_EQ(one.displayText(r, 3), bulk.displayText(r, 3))
                    << "round " << round << " order " << o << " row " << r;
            }
            ASSERT_FLOAT_EQ(one.selectedTotal(), bulk.selectedTotal());
        }
    }
}

TEST(GearDocumentInsert, NonEmptyListFallsBackToTheRule) {
    GearDocument doc;
    doc.insertRecord(test::item("B", "middle"));
    std::vector<std::unique_ptr<sPubInfo>> batch;
    batch.push_back(test::item("C", "last"));
    batch.push_back(test::item("A", "first"));
    doc.insertRecords(std::move(batch));
    EXPECT_EQ(column(doc, 1), (std::vector<std::string>{"first", "middle", "last"}));
}

TEST(GearDocumentDisplay, GroupLabelsWeightsNotesAndUserColumns) {
    GearDocument doc;
    auto g = test::group("Kitchen", "Cook kit", {"3", "4.5"});
    setField(g->notes, "pot and stove");
    test::addTexts(*g, {"REI", "2019"});
    sPubInfo* groupRecord = g.get();
    doc.insertRecord(std::move(g));
    EXPECT_EQ(doc.displayText(0, 1), "+ Cook kit");
    EXPECT_EQ(doc.displayText(0, 2), "7.50");
    EXPECT_EQ(doc.displayText(0, 3), "pot and stove");
    EXPECT_EQ(doc.displayText(0, 4), "REI");
    EXPECT_EQ(doc.displayText(0, 5), "2019");
    EXPECT_EQ(doc.displayText(0, 6), "");
    groupRecord->expanded = 1;
    EXPECT_EQ(doc.displayText(0, 1), "- Cook kit");
    // The group weight follows a member's change on the next paint.
    setField(groupRecord->members->at(1)->weight, "10");
    EXPECT_EQ(doc.displayText(0, 2), "14.50");
}

TEST(GearDocumentTotals, CheckingFollowsTheRunningTotal) {
    GearDocument doc;
    doc.insertRecord(test::item("Shelter", "Tent", "12.5"));
    EXPECT_EQ(doc.totalText(), "0.00 oz. (0.00 lbs)");
    doc.setChecked(0, true);
    EXPECT_EQ(doc.totalText(), "12.50 oz. (0.78 lbs)");
    doc.setChecked(0, true);
    EXPECT_EQ(doc.totalText(), "12.50 oz. (0.78 lbs)") << "no change, no double count";
    doc.setChecked(0, false);
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 0.0F);

    GearDocument metric;
    metric.metric = true;
    metric.insertRecord(test::item("Shelter", "Tent", "1500", true));
    EXPECT_EQ(metric.totalText(), "1500.00 gm. (1.50 kg)");
}

TEST(GearDocumentTotals, GroupRowsCountTheirGroupWeightAndMemberRowsNothing) {
    GearDocument doc;
    doc.insertRecord(test::group("Kitchen", "Cook kit", {"3", "4"}, true));
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 7.0F);
    auto member = test::item("Kitchen", "Cook kit part", "3");
    member->inGroup = 1;
    const int r = doc.insertRecord(std::move(member));
    doc.setChecked(r, false);
    EXPECT_TRUE(doc.row(r).checked()) << "member rows always show a check mark";
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 7.0F);
}

TEST(GearDocumentLoad, HideViewsFilterWhatIsLoadedAndOddSelectedBytesCountAsChecked) {
    const auto batch = [] {
        std::vector<std::unique_ptr<sPubInfo>> b;
        b.push_back(test::item("A", "one", "1", true));
        b.push_back(test::item("A", "two", "2", false));
        auto odd = test::item("A", "three", "4");
        odd->selected = 7;
        b.push_back(std::move(odd));
        auto stray = test::item("A", "member", "8", true);
        stray->inGroup = 1;
        b.push_back(std::move(stray));
        return b;
    };
    GearDocument nonSelected;
    nonSelected.hideNonSelected = true;
    nonSelected.loadRecords(batch());
    EXPECT_EQ(column(nonSelected, 1), (std::vector<std::string>{"one", "three"}));
    EXPECT_FLOAT_EQ(nonSelected.selectedTotal(), 5.0F);

    GearDocument selected;
    selected.hideSelected = true;
    selected.loadRecords(batch());
    EXPECT_EQ(column(selected, 1), (std::vector<std::string>{"two"}));

    GearDocument all;
    all.loadRecords(batch());
    EXPECT_EQ(all.rowCount(), 4);
    all.clearForReload();
    EXPECT_EQ(all.rowCount(), 0);
    EXPECT_FLOAT_EQ(all.selectedTotal(), 0.0F);
}

} // namespace
} // namespace varnel

namespace varnel {
namespace {

TEST(GearDocumentRows, TakeRowHandsTheRecordOverAndMovesTheCategoryLabel) {
    GearDocument doc;
    doc.insertRecord(test::item("Kit", "a"));
    doc.insertRecord(test::item("Kit", "b"));
    EXPECT_EQ(doc.displayText(1, 0), "");
    auto taken = doc.takeRow(0);
    ASSERT_TRUE(taken);
    EXPECT_EQ(fieldText(taken->item), "a");
    EXPECT_EQ(doc.rowCount(), 1);
    EXPECT_EQ(doc.displayText(0, 0), "Kit");
}

// Kitchen (Shelter), expanded: Tarp (Shelter), then Pot (Cooking) below it.
GearDocument kitchenBetween(std::initializer_list<const char*> shelterItems) {
    GearDocument doc;
    for (const char* item : shelterItems) {
        doc.insertRecord(test::item("Shelter", item));
    }
    auto g = test::group("Shelter", "Kitchen", {});
    for (auto [category, item] : {std::pair{"Cooking", "Pot"}, std::pair{"Shelter", "Tarp"}}) {
        auto m = test::item(category, item);
        m->inGroup = 1;
        m->group = g.get();
        g->members->add(std::move(m));
    }
    doc.toggleGroup(doc.insertRecord(std::move(g)));
    return doc;
}

TEST(GearDocumentInsert, NewRowsNeverGoBetweenAGroupAndItsMemberRows) {
    GearDocument doc = kitchenBetween({"Bivy", "Stakes"});
    ASSERT_EQ(column(doc, 1),
              (std::vector<std::string>{"Bivy", "- Kitchen", "Tarp", "Pot", "Stakes"}));
    // Between the group and Stakes by name; a category only a member row has.
    doc.insertRecord(test::item("Shelter", "Lamp"));
    doc.insertRecord(test::item("Shelter", "Knife"));
    doc.insertRecord(test::item("Cooking", "Spoon"));
    EXPECT_EQ(column(doc, 1), (std::vector<std::string>{"Spoon", "Bivy", "- Kitchen", "Tarp", "Pot",
                                                        "Knife", "Lamp", "Stakes"}));
    // The group last in its block and in the list.
    GearDocument last = kitchenBetween({"Bivy"});
    last.insertRecord(test::item("Shelter", "Zz"));
    last.insertRecord(test::item("Water", "Bottle"));
    EXPECT_EQ(column(last, 1),
              (std::vector<std::string>{"Bivy", "- Kitchen", "Tarp", "Pot", "Zz", "Bottle"}));
}

TEST(GearDocumentGroups, FoldingTakesOnlyTheMemberRowsShown) {
    GearDocument doc = kitchenBetween({"Bivy", "Stakes"});
    // A member that went in while the group was open is not shown yet: folding must not take
    // the row below for it.
    sPubInfo& group = doc.record(1);
    auto extra = test::item("Shelter", "Peg");
    extra->inGroup = 1;
    extra->group = &group;
    group.members->add(std::move(extra));
    EXPECT_EQ(doc.toggleGroup(1), 3);
    EXPECT_EQ(column(doc, 1), (std::vector<std::string>{"Bivy", "+ Kitchen", "Stakes"}));
}

} // namespace
} // namespace varnel
