#include "model/ColumnEditing.h"
#include "TestRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel {
namespace {

// Texts of user columns 1..n of a record, "" where it has none.
std::vector<std::string> texts(const sPubInfo& r, int n = 4) {
    std::vector<std::string> out;
    for (int k = 1; k <= n; ++k) {
        out.emplace_back(r.columnText(k));
    }
    return out;
}

int textCount(const sPubInfo& r) {
    return r.columnTexts ? r.columnTexts->count() : 0;
}

using Texts = std::vector<std::string>;

// Records are looked up by item, since the rows keep their own order.
sPubInfo& find(GearDocument& doc, std::string_view name) {
    for (int r = 0; r < doc.rowCount(); ++r) {
        if (fieldText(doc.record(r).item) == name) {
            return doc.record(r);
        }
    }
    ADD_FAILURE() << "no row " << name;
    return doc.record(0);
}

class ColumnEditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.userColumnCount = 4;
        auto full = test::item("Kit", "Full");
        test::addTexts(*full, {"a1", "a2", "a3", "a4"});
        doc.insertRecord(std::move(full));
        auto partial = test::item("Kit", "Partial");
        test::addTexts(*partial, {"b1", "b2"});
        doc.insertRecord(std::move(partial));
        doc.insertRecord(test::item("Kit", "None"));
    }

    GearDocument doc;
};

TEST_F(ColumnEditingTest, DeletingColumnsOneAndThreeKeepsTheOthersUnderTheirColumns) {
    doc.sortAscending[5] = 1; // user column 2
    doc.sortAscending[7] = 1; // user column 4
    EXPECT_EQ(deleteUserColumns(doc, {2, 0}), (std::vector<int>{1, 2}));
    EXPECT_EQ(doc.sortAscending[4], 1) << "sort directions move with their columns";
    EXPECT_EQ(doc.sortAscending[5], 1);
    EXPECT_EQ(doc.sortAscending[6], 0);
    EXPECT_EQ(doc.sortAscending[7], 0);
    EXPECT_EQ(doc.userColumnCount, 2);
    EXPECT_EQ(texts(find(doc, "Full")), (Texts{"a2", "a4", "", ""}));
    EXPECT_EQ(textCount(find(doc, "Full")), 2);
    // Its only text past column 2 was absent: nothing else moves.
    EXPECT_EQ(texts(find(doc, "Partial")), (Texts{"b2", "", "", ""}));
    EXPECT_EQ(textCount(find(doc, "Partial")), 1);
    EXPECT_EQ(find(doc, "None").columnTexts, nullptr);
}

TEST_F(ColumnEditingTest, EqualTextsInTwoColumnsEachStayWithTheirOwnColumn) {
    for (const int deleted : {1, 2}) {
        SCOPED_TRACE(deleted);
        GearDocument same;
        same.userColumnCount = 3;
        auto r = test::item("Kit", "Twins");
        test::addTexts(*r, {"same", "same", "last"});
        const std::string* survivor = r->columnTexts->at(deleted == 1 ? 2 : 1);
        same.insertRecord(std::move(r));
        ASSERT_TRUE(removeUserColumnTexts(same, deleted));
        const sPubInfo& kept = same.record(0);
        EXPECT_EQ(texts(kept, 3), (Texts{"same", "last", ""}));
        // The other column's own text, not merely an equal one.
        EXPECT_EQ(kept.columnTexts->at(1), survivor);
    }

    GearDocument apart;
    apart.userColumnCount = 3;
    auto r = test::item("Kit", "Apart");
    test::addTexts(*r, {"x", "y", "x"});
    apart.insertRecord(std::move(r));
    ASSERT_TRUE(removeUserColumnTexts(apart, 1));
    EXPECT_EQ(texts(apart.record(0), 3), (Texts{"y", "x", ""}));
}

TEST_F(ColumnEditingTest, GroupMembersAndShownMemberRowsLoseTheColumnToo) {
    auto g = test::group("Kitchen", "Cook set", {"3.00", "4.50"});
    test::addTexts(*g, {"g1", "g2"});
    int n = 0;
    g->members->forEachReverse([&n](sPubInfo& m) {
        ++n;
        test::addTexts(m, {"m" + std::to_string(n) + "a", "m" + std::to_string(n) + "b"});
    });
    const int row = doc.insertRecord(std::move(g));
    ASSERT_EQ(doc.toggleGroup(row), 2);

    ASSERT_TRUE(removeUserColumnTexts(doc, 1));
    Texts members;
    doc.record(row).members->forEachReverse(
        [&members](const sPubInfo& m) { members.emplace_back(m.columnText(1)); });
    EXPECT_EQ(members, (Texts{"m1b", "m2b"}));
    EXPECT_EQ(texts(doc.record(row), 2), (Texts{"g2", ""}));
    for (const int r : {row + 1, row + 2}) {
        ASSERT_TRUE(doc.row(r).isMemberRow());
        EXPECT_EQ(textCount(doc.record(r)), 1);
        EXPECT_EQ(doc.record(r).columnText(1).substr(2), "b");
    }
    // Collapsing and expanding again shows the members as they now are.
    doc.toggleGroup(row);
    doc.toggleGroup(row);
    EXPECT_EQ(doc.displayText(row + 1, 4).substr(2), "b");
}

TEST_F(ColumnEditingTest, CountNeverGoesBelowZeroAndBadPositionsAreIgnored) {
    EXPECT_EQ(deleteUserColumns(doc, {}), std::vector<int>{});
    // Repeats and positions past the columns must not take another column with them.
    EXPECT_EQ(deleteUserColumns(doc, {3, 3, 7, -1}), std::vector<int>{4});
    EXPECT_EQ(texts(find(doc, "Full")), (Texts{"a1", "a2", "a3", ""}));
    EXPECT_FALSE(removeUserColumnTexts(doc, 0));
    EXPECT_EQ(doc.userColumnCount, 3);

    doc.userColumnCount = 0;
    EXPECT_TRUE(removeUserColumnTexts(doc, 1));
    EXPECT_EQ(doc.userColumnCount, 0);
}

TEST_F(ColumnEditingTest, RefusedWhileAHideViewHoldsRowsAside) {
    doc.setChecked(0, true);
    doc.enterHideView(false);
    EXPECT_FALSE(removeUserColumnTexts(doc, 1));
    EXPECT_TRUE(deleteUserColumns(doc, {0}).empty());
    EXPECT_EQ(doc.userColumnCount, 4);
    doc.leaveHideView();
    EXPECT_EQ(texts(find(doc, "Full")), (Texts{"a1", "a2", "a3", "a4"}));
}

} // namespace
} // namespace varnel
