#include "TestRecords.h"
#include "model/GearDocument.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
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

std::vector<bool> checks(const GearDocument& doc) {
    std::vector<bool> out;
    for (const GearRow& row : doc.rows()) {
        out.push_back(row.checked());
    }
    return out;
}

GearDocument sample() {
    GearDocument doc;
    doc.insertRecord(test::item("Shelter", "Tent", "40"));
    doc.insertRecord(test::item("Shelter", "Stakes", "6"));
    doc.insertRecord(test::item("Food", "Oats", "12"));
    doc.insertRecord(test::group("Kitchen", "Cook kit", {"3", "9", "1"}));
    return doc;
}

TEST(GearDocumentSort, WeightThenCategoryAndUnsortableColumns) {
    GearDocument doc = sample();
    const auto before = column(doc, 1);
    EXPECT_FALSE(doc.sortByColumn(1));
    EXPECT_FALSE(doc.sortByColumn(3));
    EXPECT_EQ(column(doc, 1), before);
    EXPECT_FALSE(doc.sortedView);

    ASSERT_TRUE(doc.sortByColumn(2));
    EXPECT_TRUE(doc.sortedView);
    EXPECT_EQ(column(doc, 2), (std::vector<std::string>{"6", "12", "13.00", "40"}));
    EXPECT_EQ(column(doc, 0), (std::vector<std::string>{"Shelter", "Food", "Kitchen", "Shelter"}));
    // The group lists its members lightest first too.
    doc.toggleGroup(2);
    EXPECT_EQ(doc.displayText(3, 2), "1");
    EXPECT_EQ(doc.displayText(5, 2), "9");

    ASSERT_TRUE(doc.sortByColumn(2));
    EXPECT_EQ(doc.rowCount(), 4) << "sorting collapses every group";
    EXPECT_EQ(column(doc, 2), (std::vector<std::string>{"40", "13.00", "12", "6"}));

    ASSERT_TRUE(doc.sortByColumn(0));
    EXPECT_FALSE(doc.sortedView);
    EXPECT_EQ(column(doc, 1), before);
    EXPECT_EQ(column(doc, 0), (std::vector<std::string>{"Food", "Kitchen", "Shelter", ""}));
}

TEST(GearDocumentSort, UserColumnSortsTheTextsAndPutsRowsWithoutOneLast) {
    GearDocument doc;
    for (const char* name : {"d", "c", "b", "a", "e"}) {
        auto r = test::item("Kit", name);
        if (std::string(name) != "c") {
            test::addTexts(*r, {std::string(1, static_cast<char>('z' - (name[0] - 'a')))});
        }
        doc.insertRecord(std::move(r));
    }
    // The rows with a text come in order, the one without after them.
    const auto withText = [&doc] {
        std::vector<std::string> out;
        for (const std::string& t : column(doc, 4)) {
            if (!t.empty()) {
                out.push_back(t);
            }
        }
        return out;
    };
    ASSERT_TRUE(doc.sortByColumn(4));
    EXPECT_TRUE(doc.sortedView);
    EXPECT_EQ(withText(), (std::vector<std::string>{"v", "w", "y", "z"}));
    ASSERT_TRUE(doc.sortByColumn(4));
    EXPECT_EQ(withText(), (std::vector<std::string>{"z", "y", "w", "v"}));
    EXPECT_EQ(column(doc, 1), (std::vector<std::string>{"a", "b", "d", "e", "c"}));
}

TEST(GearDocumentGroups, ToggleShowsMembersFrontToBackAlwaysChecked) {
    GearDocument doc = sample();
    const int g = 1; // Food, Kitchen, Shelter...
    ASSERT_TRUE(doc.row(g).isGroupRow());
    EXPECT_EQ(doc.toggleGroup(g), 3);
    EXPECT_EQ(doc.rowCount(), 7);
    EXPECT_EQ(doc.displayText(g, 1), "- Cook kit");
    EXPECT_EQ(column(doc, 1)[2], "Cook kit part 3");
    EXPECT_EQ(column(doc, 1)[4], "Cook kit part 1");
    doc.clearSelected();
    EXPECT_TRUE(doc.row(g + 1).checked());
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 0.0F);
    EXPECT_EQ(doc.toggleGroup(0), 0) << "not a group row";
    EXPECT_EQ(doc.toggleGroup(99), 0);
    doc.collapseAll();
    EXPECT_EQ(doc.rowCount(), 4);
    doc.expandAll();
    EXPECT_EQ(doc.rowCount(), 7);
    EXPECT_TRUE(doc.hasGroupRow());
}

TEST(GearDocumentChecks, SelectAllAndClearSelectedFollowTheTotal) {
    GearDocument doc = sample();
    EXPECT_TRUE(doc.hasUncheckedRow());
    doc.selectAll();
    EXPECT_FALSE(doc.hasUncheckedRow());
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 71.0F);
    doc.clearSelected();
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 0.0F);
    EXPECT_EQ(doc.totalText(), "0.00 oz. (0.00 lbs)");
}

TEST(GearDocumentConvert, OuncesToGramsAndBack) {
    GearDocument doc;
    auto r = test::item("Food", "Bars", "2");
    setField(r->multiplier, "3");
    doc.insertRecord(std::move(r));
    doc.insertRecord(test::item("Water", "Bottle", "100", true));
    EXPECT_EQ(doc.convertUnits(), "Weight (gm)");
    EXPECT_TRUE(doc.metric);
    EXPECT_EQ(fieldText(doc.record(0).unitWeight), "56.75");
    EXPECT_EQ(fieldText(doc.record(0).weight), "170.25");
    EXPECT_EQ(doc.totalText(), "2837.50 gm. (2.84 kg)");
    EXPECT_EQ(doc.convertUnits(), "Weight (oz)");
    EXPECT_EQ(fieldText(doc.record(1).weight), "99.99") << "the factors are not exact inverses";
    EXPECT_EQ(doc.totalText(), "99.99 oz. (6.25 lbs)");
}

TEST(GearDocumentConvert, CheckedGroupCountsItsConvertedMembersOnce) {
    GearDocument doc;
    doc.insertRecord(test::group("Kitchen", "Pots", {"10", "20"}, true));
    doc.toggleGroup(0);
    doc.convertUnits();
    EXPECT_EQ(fieldText(doc.record(0).groupWeight), "851.25");
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 851.25F);
    const auto expanded = column(doc, 2);
    doc.toggleGroup(0);
    doc.toggleGroup(0);
    EXPECT_EQ(column(doc, 2), expanded) << "member rows and members converted alike";
}

TEST(GearDocumentHide, ViewsShowPartAndLeavingRestoresTheListAsItWas) {
    GearDocument doc;
    for (int i = 0; i < 5; ++i) {
        doc.insertRecord(test::item("Kit", "item " + std::to_string(i), "1", i % 2 == 1));
    }
    const auto before = checks(doc);
    doc.enterHideView(false);
    EXPECT_TRUE(doc.hideNonSelected);
    EXPECT_EQ(doc.rowCount(), 2);
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 2.0F);
    doc.clearSelected();
    doc.leaveHideView();
    EXPECT_FALSE(doc.hideViewActive());
    EXPECT_EQ(doc.rowCount(), 5);
    EXPECT_EQ(checks(doc), before);
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 2.0F);

    doc.enterHideView(true);
    EXPECT_TRUE(doc.hideSelected);
    EXPECT_EQ(column(doc, 1), (std::vector<std::string>{"item 0", "item 2", "item 4"}));
    doc.leaveHideView();
    EXPECT_EQ(doc.rowCount(), 5);
}

} // namespace
} // namespace varnel

namespace varnel {
namespace {

std::vector<std::string> itemsShown(const GearDocument& doc) {
    std::vector<std::string> out;
    for (int r = 0; r < doc.rowCount(); ++r) {
        out.push_back(doc.displayText(r, 1));
    }
    return out;
}

TEST(GearDocumentInsert, NeverBetweenAnExpandedGroupAndItsMembers) {
    GearDocument doc;
    doc.insertRecord(test::group("Kitchen", "Cook kit", {"10", "20"}));
    doc.insertRecord(test::item("Kitchen", "Spoon"));
    doc.toggleGroup(0);
    // "Cup" sorts after "Cook kit" and before "Cook kit part 1": it must go past the members.
    doc.insertRecord(test::item("Kitchen", "Cup"));
    // A category that sorts last but whose place the member rows would take.
    doc.insertRecord(test::item("kitchen", "Zip bag"));
    EXPECT_EQ(itemsShown(doc),
              (std::vector<std::string>{"- Cook kit", "Cook kit part 2", "Cook kit part 1", "Cup",
                                        "Spoon", "Zip bag"}));
    // Collapsing removes exactly the member rows.
    doc.toggleGroup(0);
    EXPECT_EQ(itemsShown(doc), (std::vector<std::string>{"+ Cook kit", "Cup", "Spoon", "Zip bag"}));
    for (int r = 0; r < doc.rowCount(); ++r) {
        EXPECT_FALSE(doc.row(r).isMemberRow()) << r;
    }

    // The last group of the list, expanded, with a new category that sorts after it.
    GearDocument tail;
    tail.insertRecord(test::group("Kitchen", "Pots", {"1"}));
    tail.toggleGroup(0);
    tail.insertRecord(test::item("Water", "Bottle"));
    tail.insertRecord(test::item("Kitchen", "Stove"));
    EXPECT_EQ(itemsShown(tail),
              (std::vector<std::string>{"- Pots", "Pots part 1", "Stove", "Bottle"}));
}

TEST(GearDocumentConvert, DirectionFollowsTheUnitFlagNotTheHeading) {
    GearDocument doc;
    doc.metric = true;
    doc.insertRecord(test::item("Water", "Bottle", "1000"));
    EXPECT_EQ(doc.convertUnits(), "Weight (oz)");
    EXPECT_FALSE(doc.metric);
    EXPECT_EQ(fieldText(doc.record(0).weight), "35.24");
    EXPECT_EQ(doc.convertUnits(), "Weight (gm)");
    EXPECT_EQ(fieldText(doc.record(0).weight), "999.94");
}

TEST(GearDocumentHideView, LeavingRestoresTheSortStateOfTheRowsItBringsBack) {
    GearDocument doc;
    doc.insertRecord(test::item("A", "heavy", "9", true));
    doc.insertRecord(test::item("B", "light", "1", true));
    doc.enterHideView(false);
    doc.sortByColumn(2);
    EXPECT_TRUE(doc.sortedView);
    doc.leaveHideView();
    EXPECT_FALSE(doc.sortedView) << "the rows are back in category order";
    EXPECT_EQ(itemsShown(doc), (std::vector<std::string>{"heavy", "light"}));
}

TEST(GearDocumentHideView, ClearingForReloadDropsTheSetAsideRows) {
    GearDocument doc;
    doc.insertRecord(test::item("A", "kept", "1", true));
    doc.insertRecord(test::item("A", "hidden", "2"));
    doc.enterHideView(false);
    doc.clearForReload();
    EXPECT_FALSE(doc.hideViewActive());
    doc.insertRecord(test::item("B", "new"));
    doc.leaveHideView();
    EXPECT_EQ(itemsShown(doc), (std::vector<std::string>{"new"}))
        << "no rows of the old document come back";
}

} // namespace
} // namespace varnel
