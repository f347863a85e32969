#include "model/GearMarks.h"
#include "TestRecords.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(GearMarks, ColumnsAreFoundByHeadingTheFirstOneCounting) {
    const MarkColumns m = markColumns({"Worn out", " CONSUMABLE", "worn\t", "Worn"});
    EXPECT_EQ(m.worn, 3);
    EXPECT_EQ(m.consumable, 2);
}

// A mark reaches every copy of the item: the member inside its group, and in a hide view the
// list that comes back when the view ends.
TEST(GearMarks, AMarkLastsForMembersAndThroughAHideView) {
    GearDocument doc;
    doc.userColumnCount = 2;
    doc.insertRecord(test::item("Clothing", "Socks", "2", true));
    doc.insertRecord(test::group("Kitchen", "Cook kit", {"4", "6"}, true));
    doc.insertRecord(test::item("Food", "Oats", "3", false));
    ASSERT_EQ(doc.toggleGroup(2), 2);
    EXPECT_FALSE(setRowMark(doc, 2, 1, GearMark::Worn, true)) << "a group row has no mark";

    doc.enterHideView(false); // hides the unchecked Oats; the group shows collapsed
    ASSERT_EQ(doc.rowCount(), 2);
    ASSERT_EQ(doc.toggleGroup(1), 2);
    ASSERT_TRUE(setRowMark(doc, 3, 2, GearMark::Consumable, true)); // the 4, the second member
    ASSERT_TRUE(setRowMark(doc, 0, 1, GearMark::Worn, true));
    EXPECT_FALSE(setRowMark(doc, 0, 1, GearMark::Worn, true)) << "already so";
    EXPECT_EQ(doc.row(3).record->columnText(2), "Consumable");
    EXPECT_EQ(doc.record(1).members->at(1)->columnText(2), "Consumable");
    EXPECT_EQ(doc.record(0).columnText(1), "Worn");

    doc.leaveHideView();
    ASSERT_EQ(doc.rowCount(), 5);
    EXPECT_EQ(doc.row(0).record->columnText(1), "Worn");
    EXPECT_EQ(doc.record(2).members->at(1)->columnText(2), "Consumable");
    EXPECT_EQ(doc.row(4).record->columnText(2), "Consumable") << "its member row as well";

    ASSERT_TRUE(setRowMark(doc, 0, 1, GearMark::Worn, false));
    EXPECT_FALSE(hasMark(*doc.row(0).record, 1));
}

} // namespace
} // namespace varnel
