#include "model/ItemEditing.h"
#include "TestRecords.h"
#include "model/FixedText.h"
#include "model/GearDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel {
namespace {

ItemFields fields(std::string category, std::string item, std::string unitWeight,
                  std::string multiplier = "1", std::vector<std::string> texts = {}) {
    ItemFields f;
    f.category = std::move(category);
    f.item = std::move(item);
    f.unitWeight = std::move(unitWeight);
    f.multiplier = std::move(multiplier);
    f.columnTexts = std::move(texts);
    return f;
}

std::vector<std::string> column(const GearDocument& doc, int c) {
    std::vector<std::string> out;
    for (int r = 0; r < doc.rowCount(); ++r) {
        out.push_back(doc.displayText(r, c));
    }
    return out;
}

// A group whose two members compare equal: they differ only in the multiplier, which record
// equality leaves out.
std::unique_ptr<sPubInfo> groupOfTwins(bool checked) {
    auto g = test::group("Kitchen", "Cook kit", {}, checked);
    for (const char* multiplier : {"1", "2"}) {
        auto m = test::item("Kitchen", "Pot", "3");
        setField(m->multiplier, multiplier);
        m->inGroup = 1;
        m->group = g.get();
        g->members->add(std::move(m));
    }
    g->updateGroupWeight();
    return g;
}

TEST(ItemRecord, LineWeightDefaultsAndColumnTexts) {
    auto r = makeItemRecord(fields("Shelter", "Tent", "2.5", "2"), 0);
    ASSERT_TRUE(r);
    EXPECT_EQ(fieldText(r->weight), "5.00");
    EXPECT_EQ(fieldText(r->unitWeight), "2.5");
    EXPECT_EQ(fieldText(r->multiplier), "2");
    EXPECT_EQ(r->selected, 0);
    EXPECT_FALSE(r->members);
    EXPECT_FALSE(r->columnTexts) << "no user columns, no text list";

    EXPECT_EQ(fieldText(makeItemRecord(fields("A", "b", "about 3", "2"), 0)->weight), "0.00");
    EXPECT_EQ(fieldText(makeItemRecord(fields("A", "b", "", "1"), 0)->weight), "0.00");

    auto withTexts = makeItemRecord(fields("A", "b", "1", "1", {"red", "big"}), 3);
    ASSERT_TRUE(withTexts && withTexts->columnTexts);
    EXPECT_EQ(withTexts->columnTexts->count(), 3);
    EXPECT_EQ(withTexts->columnText(1), "red");
    EXPECT_EQ(withTexts->columnText(2), "big");
    EXPECT_EQ(withTexts->columnText(3), "");
}

TEST(ItemRecord, TextsAreCutToWhatTheFileKeeps) {
    const std::string longText(80, 'x');
    auto r = makeItemRecord(
        fields(longText, longText, "0.000000000001", "12345", {longText, "two\r\nlines"}), 2);
    ASSERT_TRUE(r);
    EXPECT_EQ(fieldText(r->category).size(), 20U);
    EXPECT_EQ(fieldText(r->item).size(), 40U);
    EXPECT_EQ(fieldText(r->unitWeight), "0.0000000");
    EXPECT_EQ(fieldText(r->multiplier), "1234");
    EXPECT_EQ(r->columnText(1).size(), 47U);
    EXPECT_EQ(r->columnText(2), "two");

    ItemFields notes = fields("A", "b", "1");
    notes.notes = longText;
    EXPECT_EQ(fieldText(makeItemRecord(notes, 0)->notes).size(), 50U);
}

TEST(ItemRecord, LineWeightThatDoesNotFitIsRefusedNotCut) {
    EXPECT_EQ(lineWeightText("99999.99", "9"), "899999.91");
    EXPECT_EQ(lineWeightText("-99999.9", "1"), "-99999.90");
    EXPECT_FALSE(lineWeightText("999999.99", "10"));
    EXPECT_FALSE(lineWeightText("999999999", "9999"));
    EXPECT_FALSE(lineWeightText("1e308", "1e308"));
    EXPECT_FALSE(lineWeightText("nan", "1"));
    EXPECT_FALSE(makeItemRecord(fields("A", "b", "999999999", "9999"), 0));

    GearDocument doc;
    doc.insertRecord(test::item("A", "b", "4", true));
    EXPECT_EQ(addItem(doc, fields("A", "c", "999999999", "9999")), -1);
    EXPECT_EQ(doc.rowCount(), 1);
    EXPECT_EQ(modifyItem(doc, 0, fields("A", "b", "999999999", "9999")), -1);
    EXPECT_EQ(fieldText(doc.record(0).unitWeight), "4");
    EXPECT_EQ(doc.record(0).modified, 0);
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 4.0F);
    EXPECT_FALSE(lineWeightTooLarge().text.empty());
}

TEST(ItemAdd, TakesItsPlaceAndASortedListStaysSortedTheSameWay) {
    GearDocument doc;
    doc.userColumnCount = 1;
    EXPECT_EQ(addItem(doc, fields("Shelter", "Tent", "40", "1", {"green"})), 0);
    EXPECT_EQ(addItem(doc, fields("Food", "Oats", "12")), 0);
    EXPECT_EQ(doc.record(1).columnText(1), "green");
    EXPECT_EQ(doc.record(0).columnText(1), "");

    ASSERT_TRUE(doc.sortByColumn(2)); // lightest first
    EXPECT_EQ(addItem(doc, fields("Water", "Bottle", "20")), 1);
    EXPECT_EQ(column(doc, 2), (std::vector<std::string>{"12.00", "20.00", "40.00"}));
    EXPECT_EQ(doc.sortAscending[2], 1);

    ASSERT_TRUE(doc.sortByColumn(2)); // heaviest first
    EXPECT_EQ(addItem(doc, fields("Aardvark", "Zz", "30")), 1);
    EXPECT_EQ(column(doc, 2), (std::vector<std::string>{"40.00", "30.00", "20.00", "12.00"}));
    EXPECT_EQ(doc.sortAscending[2], 0);

    // The dialog's own Add stores without sorting again.
    EXPECT_EQ(insertItem(doc, fields("Aardvark", "Aa", "1")), 1);
    EXPECT_EQ(column(doc, 2),
              (std::vector<std::string>{"40.00", "1.00", "30.00", "20.00", "12.00"}));
}

TEST(ItemModify, OrdinaryRowMovesTotalFollowsTextsReplacedOrAdded) {
    GearDocument doc;
    doc.userColumnCount = 2;
    doc.insertRecord(test::item("Shelter", "Tent", "4", true));
    doc.insertRecord(test::item("Shelter", "Stakes", "6", true));
    doc.insertRecord(test::item("Food", "Oats", "12"));
    test::addTexts(doc.record(2), {"old"});
    ASSERT_FLOAT_EQ(doc.selectedTotal(), 10.0F);
    EXPECT_EQ(column(doc, 1), (std::vector<std::string>{"Oats", "Stakes", "Tent"}));

    // Tent becomes an Apple in Food: it moves, and its new weight replaces the old one.
    const int row = modifyItem(doc, 2, fields("Food", "Apple", "1.5", "3", {"x", "y"}));
    EXPECT_EQ(row, 0);
    EXPECT_EQ(column(doc, 1), (std::vector<std::string>{"Apple", "Oats", "Stakes"}));
    const sPubInfo& apple = doc.record(0);
    EXPECT_EQ(fieldText(apple.weight), "4.50");
    EXPECT_EQ(apple.modified, 1);
    EXPECT_EQ(apple.selected, 1);
    EXPECT_TRUE(doc.row(0).checked());
    EXPECT_EQ(apple.columnTexts->count(), 2);
    EXPECT_EQ(apple.columnText(1), "x");
    EXPECT_EQ(apple.columnText(2), "y");
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 10.5F);

    // An unchecked row leaves the total alone.
    modifyItem(doc, 1, fields("Food", "Oats", "100"));
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 10.5F);

    EXPECT_EQ(modifyItem(doc, 7, fields("Food", "x", "1")), -1);
}

TEST(ItemModify, MemberRowChangesItsOwnMemberAndTheGroupStaysExpanded) {
    GearDocument doc;
    doc.insertRecord(test::item("Food", "Oats", "12"));
    doc.insertRecord(groupOfTwins(true));
    ASSERT_FLOAT_EQ(doc.selectedTotal(), 6.0F);
    doc.toggleGroup(1);
    ASSERT_EQ(doc.rowCount(), 4);

    // The second member row shows the member behind the front one: the older twin.
    EXPECT_EQ(modifyItem(doc, 3, fields("Kitchen", "Stove", "5", "2")), 3);
    const sPubInfo& group = doc.record(1);
    EXPECT_EQ(group.expanded, 1);
    ASSERT_EQ(doc.rowCount(), 4);
    EXPECT_EQ(column(doc, 1), (std::vector<std::string>{"Oats", "- Cook kit", "Pot", "Stove"}));
    const sPubInfo* older = group.members->at(1);
    EXPECT_EQ(fieldText(older->item), "Stove");
    EXPECT_EQ(fieldText(older->weight), "10.00");
    EXPECT_EQ(older->modified, 1);
    EXPECT_EQ(older->group, &group);
    EXPECT_EQ(fieldText(group.members->at(2)->item), "Pot") << "the other twin is untouched";
    EXPECT_EQ(group.members->at(2)->modified, 0);
    EXPECT_TRUE(doc.row(3).isMemberRow());
    EXPECT_EQ(doc.displayText(1, 2), "13.00");
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 13.0F) << "the checked group's share follows";

    EXPECT_EQ(modifyItem(doc, 1, fields("Kitchen", "Renamed", "1")), -1) << "a group row";
}

TEST(ItemDelete, OneRowTotalHandheldCopyAndTheRowToSelect) {
    GearDocument doc;
    doc.insertRecord(test::item("A", "first", "4", true));
    doc.insertRecord(test::item("A", "second", "6", true));
    doc.insertRecord(test::item("A", "third", "1"));
    ASSERT_FLOAT_EQ(doc.selectedTotal(), 10.0F);

    EXPECT_EQ(deleteRows(doc, {0}), 0) << "the new first row";
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 6.0F);
    EXPECT_EQ(column(doc, 1), (std::vector<std::string>{"second", "third"}));
    ASSERT_EQ(doc.deletedRecords.size(), 1U);
    EXPECT_STREQ(doc.deletedRecords[0].item, "first");
    EXPECT_EQ(doc.deletedRecords[0].deleted, 1);

    EXPECT_EQ(deleteRows(doc, {1}), 0) << "the last row went: the new last row";
    EXPECT_EQ(deleteRows(doc, {0}), -1) << "nothing left";
    EXPECT_EQ(doc.rowCount(), 0);
    EXPECT_EQ(deleteRows(doc, {0}), -1);
}

TEST(ItemDelete, MemberLeavesByPositionAndAnEmptiedGroupGoes) {
    GearDocument doc;
    doc.groupNames.add(std::make_unique<std::string>("Cook kit"));
    doc.insertRecord(groupOfTwins(true));
    doc.insertRecord(test::item("Water", "Bottle", "2", true));
    doc.toggleGroup(0);
    ASSERT_FLOAT_EQ(doc.selectedTotal(), 8.0F);

    // The front twin (multiplier "2") is shown first: deleting that row must take it, not the
    // older one that compares equal.
    EXPECT_EQ(deleteRows(doc, {1}), 1);
    const sPubInfo& group = doc.record(0);
    ASSERT_EQ(group.members->count(), 1);
    EXPECT_EQ(fieldText(group.members->at(1)->multiplier), "1");
    EXPECT_EQ(column(doc, 1), (std::vector<std::string>{"- Cook kit", "Pot", "Bottle"}));
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 5.0F);
    EXPECT_EQ(doc.deletedRecords.size(), 1U);

    EXPECT_EQ(deleteRows(doc, {1}), 0);
    EXPECT_EQ(column(doc, 1), (std::vector<std::string>{"Bottle"}));
    EXPECT_EQ(doc.groupNames.count(), 0);
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 2.0F);
}

TEST(ItemDelete, ExpandedGroupRowTakesItsMemberRowsAlong) {
    GearDocument doc;
    doc.groupNames.add(std::make_unique<std::string>("Cook kit"));
    doc.insertRecord(groupOfTwins(true));
    doc.insertRecord(test::item("Water", "Bottle", "2"));
    doc.toggleGroup(0);

    EXPECT_EQ(deleteRows(doc, {0}), 0);
    EXPECT_EQ(column(doc, 1), (std::vector<std::string>{"Bottle"}));
    EXPECT_EQ(doc.groupNames.count(), 0);
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 0.0F);
}

TEST(ItemDelete, AGroupRowLeavesHandheldCopiesOfItsMembers) {
    // The handheld file holds a group as its members, so they must be recorded as deleted.
    GearDocument doc;
    doc.groupNames.add(std::make_unique<std::string>("Cook kit"));
    auto group = groupOfTwins(false);
    group->members->forEach([](sPubInfo& m) { m.recordId = 40 + m.multiplier[0] - '0'; });
    doc.insertRecord(std::move(group));
    doc.toggleGroup(0);

    EXPECT_EQ(deleteRows(doc, {0}), -1);
    ASSERT_EQ(doc.deletedRecords.size(), 3U);
    EXPECT_STREQ(doc.deletedRecords[0].item, "Cook kit");
    // Front to back, as the file had them.
    EXPECT_EQ(doc.deletedRecords[1].recordId, 42);
    EXPECT_STREQ(doc.deletedRecords[1].multiplier, "2");
    EXPECT_EQ(doc.deletedRecords[2].recordId, 41);
    for (const sPubInfo60& gone : doc.deletedRecords) {
        EXPECT_EQ(gone.deleted, 1);
    }
}

TEST(ItemDelete, SeveralRowsLeaveNoHandheldCopies) {
    GearDocument doc;
    doc.groupNames.add(std::make_unique<std::string>("Cook kit"));
    doc.insertRecord(test::item("A", "one", "1", true));
    doc.insertRecord(groupOfTwins(true));
    doc.insertRecord(test::item("Water", "Bottle", "2", true));
    doc.insertRecord(test::item("Water", "Filter", "3"));
    doc.toggleGroup(1);
    ASSERT_EQ(doc.rowCount(), 6);
    ASSERT_FLOAT_EQ(doc.selectedTotal(), 9.0F);

    // The group with one of its member rows, a member-free row, an out-of-range row.
    EXPECT_EQ(deleteRows(doc, {4, 1, 3, 0, 99}), -1);
    EXPECT_EQ(column(doc, 1), (std::vector<std::string>{"Filter"}));
    EXPECT_TRUE(doc.deletedRecords.empty());
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 0.0F);
    EXPECT_EQ(doc.groupNames.count(), 0);

    // Every member row of a group, but not the group row: the emptied group goes as well.
    doc.insertRecord(groupOfTwins(false));
    doc.toggleGroup(0);
    EXPECT_EQ(deleteRows(doc, {1, 2}), -1);
    EXPECT_EQ(column(doc, 1), (std::vector<std::string>{"Filter"}));
}

} // namespace
} // namespace varnel
