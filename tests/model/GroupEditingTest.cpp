#include "model/GroupEditing.h"
#include "TestRecords.h"
#include "model/FixedText.h"
#include "model/GearDataReader.h"
#include "model/GearDataWriter.h"
#include "model/GearDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel {
namespace {

using Texts = std::vector<std::string>;

Texts column(const GearDocument& doc, int c) {
    Texts out;
    for (int r = 0; r < doc.rowCount(); ++r) {
        out.push_back(doc.displayText(r, c));
    }
    return out;
}

int rowNamed(const GearDocument& doc, std::string_view item) {
    for (int r = 0; r < doc.rowCount(); ++r) {
        if (fieldText(doc.row(r).record->item) == item) {
            return r;
        }
    }
    return -1;
}

Texts memberNames(const sPubInfo& group) {
    Texts out;
    group.members->forEach([&](const sPubInfo& m) { out.emplace_back(fieldText(m.item)); });
    return out;
}

// Pot (Cooking) is dragged onto Tarp (Shelter) in every test that needs a group.
class Groups : public ::testing::Test {
protected:
    void SetUp() override {
        doc_.insertRecord(test::item("Cooking", "Pot", "8"));
        doc_.insertRecord(test::item("Shelter", "Tarp", "10"));
        doc_.insertRecord(test::item("Shelter", "Bivy", "6"));
        doc_.insertRecord(test::item("Shelter", "Stakes", "2"));
        doc_.insertRecord(test::item("Water", "Bottle", "1"));
    }

    int kitchen() {
        return createGroup(doc_, rowNamed(doc_, "Pot"), rowNamed(doc_, "Tarp"), "Kitchen",
                           "cook kit");
    }

    void expectTotalIsTheCheckedRows(float expected) {
        EXPECT_FLOAT_EQ(doc_.selectedTotal(), expected);
        EXPECT_FLOAT_EQ(doc_.selectedTotal(), checkedRowsTotal(doc_));
    }

    GearDocument doc_;
};

TEST_F(Groups, DropOnAnItemMakesACollapsedGroupInTheTargetsBlock) {
    const int pot = rowNamed(doc_, "Pot");
    const int tarp = rowNamed(doc_, "Tarp");
    const DropPlan plan = planDrop(doc_, pot, tarp);
    EXPECT_EQ(plan.action, DropAction::CreateGroup);
    EXPECT_EQ(plan.target, tarp);

    const int g = kitchen();
    EXPECT_EQ(g, 1);
    EXPECT_EQ(column(doc_, 1), (Texts{"Bivy", "+ Kitchen", "Stakes", "Bottle"}));
    EXPECT_EQ(column(doc_, 0), (Texts{"Shelter", "", "", "Water"}));
    EXPECT_EQ(doc_.displayText(g, 2), "18.00");
    EXPECT_EQ(doc_.displayText(g, 3), "cook kit");
    const sPubInfo& group = doc_.record(g);
    EXPECT_EQ(fieldText(group.groupWeight), "18.00") << "without waiting for a paint";
    EXPECT_EQ(fieldText(group.weight), "");
    EXPECT_EQ(fieldText(group.multiplier), "1");
    EXPECT_FALSE(doc_.row(g).checked());
    ASSERT_NE(doc_.groupNames.find("Kitchen"), nullptr);

    // Expanded: the target item first, the dragged one second, both with check marks.
    EXPECT_EQ(doc_.toggleGroup(g), 2);
    EXPECT_EQ(column(doc_, 1), (Texts{"Bivy", "- Kitchen", "Tarp", "Pot", "Stakes", "Bottle"}));
    for (int m : {g + 1, g + 2}) {
        EXPECT_TRUE(doc_.row(m).isMemberRow());
        EXPECT_TRUE(doc_.row(m).checked());
        EXPECT_EQ(doc_.row(m).record->group, &group);
    }
    EXPECT_EQ(doc_.displayText(g + 2, 0), "Cooking") << "a member keeps its own category";
}

TEST_F(Groups, SourceBelowTheTargetAndLongNames) {
    const std::string name(45, 'n');
    const int g = createGroup(doc_, rowNamed(doc_, "Bottle"), rowNamed(doc_, "Bivy"), name, "");
    ASSERT_GE(g, 0);
    const sPubInfo& group = doc_.record(g);
    EXPECT_EQ(fieldText(group.item), name.substr(0, kMaxGroupNameLength));
    EXPECT_EQ(fieldText(group.collapsedLabel), "+ " + name.substr(0, kMaxGroupNameLength));
    EXPECT_EQ(fieldText(group.category), "Shelter");
    EXPECT_EQ(memberNames(group), (Texts{"Bivy", "Bottle"}));
    EXPECT_EQ(column(doc_, 1), (Texts{"Pot", "+ " + name.substr(0, 40), "Stakes", "Tarp"}));
    ASSERT_NE(doc_.groupNames.find(name.substr(0, 40)), nullptr);
}

TEST_F(Groups, LaterItemsJoinAtTheFrontCollapsedOrExpanded) {
    int g = kitchen();
    // Collapsed: dropped on the group row, from below it.
    EXPECT_EQ(planDrop(doc_, rowNamed(doc_, "Stakes"), g).action, DropAction::JoinGroup);
    EXPECT_EQ(joinGroup(doc_, rowNamed(doc_, "Stakes"), g), g);
    EXPECT_EQ(column(doc_, 1), (Texts{"Bivy", "+ Kitchen", "Bottle"}));
    EXPECT_EQ(doc_.displayText(g, 2), "20.00");

    // Expanded: dropped on a member row, from above the group; the group moves up a row.
    doc_.toggleGroup(g);
    const int memberRow = g + 2;
    const DropPlan plan = planDrop(doc_, rowNamed(doc_, "Bivy"), memberRow);
    EXPECT_EQ(plan.action, DropAction::JoinGroup);
    EXPECT_EQ(plan.target, g);
    g = joinGroup(doc_, rowNamed(doc_, "Bivy"), plan.target);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(column(doc_, 1), (Texts{"- Kitchen", "Bivy", "Stakes", "Tarp", "Pot", "Bottle"}));
    EXPECT_EQ(memberNames(doc_.record(g)), (Texts{"Bivy", "Stakes", "Tarp", "Pot"}));
    EXPECT_EQ(doc_.displayText(g, 2), "26.00");
    EXPECT_EQ(doc_.record(g).members->count(), 4);
}

TEST_F(Groups, DropsThatChangeNothing) {
    const int g = kitchen();
    doc_.toggleGroup(g);
    const int bivy = rowNamed(doc_, "Bivy");
    EXPECT_EQ(planDrop(doc_, bivy, bivy).action, DropAction::None);
    EXPECT_EQ(planDrop(doc_, g, bivy).action, DropAction::None) << "a group row";
    EXPECT_EQ(planDrop(doc_, g + 1, bivy).action, DropAction::None) << "a member row";
    EXPECT_EQ(planDrop(doc_, bivy, 99).action, DropAction::None);
    EXPECT_EQ(planDrop(doc_, -1, bivy).action, DropAction::None);
    EXPECT_FALSE(canDragRow(doc_, g));
    EXPECT_FALSE(canDragRow(doc_, g + 1));
    EXPECT_TRUE(canDragRow(doc_, bivy));
    EXPECT_EQ(createGroup(doc_, bivy, g, "x", ""), -1);
    EXPECT_EQ(createGroup(doc_, bivy, bivy, "x", ""), -1);
    EXPECT_EQ(joinGroup(doc_, bivy, bivy), -1);
    EXPECT_EQ(joinGroup(doc_, g + 1, g), -1);
    EXPECT_EQ(removeFromGroup(doc_, bivy), -1);
    EXPECT_EQ(removeFromGroup(doc_, g), -1);
    EXPECT_EQ(column(doc_, 1), (Texts{"Bivy", "- Kitchen", "Tarp", "Pot", "Stakes", "Bottle"}));

    // The hide views put the list back as it was when they end: nothing is dragged meanwhile.
    doc_.setChecked(rowNamed(doc_, "Stakes"), true);
    doc_.setChecked(rowNamed(doc_, "Bottle"), true);
    doc_.enterHideView(false);
    ASSERT_EQ(doc_.rowCount(), 2);
    EXPECT_FALSE(canDragRow(doc_, 0));
    EXPECT_EQ(planDrop(doc_, 0, 1).action, DropAction::None);
    EXPECT_EQ(createGroup(doc_, 0, 1, "Hidden", ""), -1);
    EXPECT_EQ(doc_.groupNames.find("Hidden"), nullptr);
}

TEST_F(Groups, RemoveFromGroupDownToTheLastMemberFreesTheName) {
    int g = kitchen();
    doc_.toggleGroup(g);
    // Pot goes back to its own category, above the group; the group stays expanded.
    const int pot = removeFromGroup(doc_, g + 2);
    EXPECT_EQ(pot, 0);
    EXPECT_EQ(column(doc_, 1), (Texts{"Pot", "Bivy", "- Kitchen", "Tarp", "Stakes", "Bottle"}));
    EXPECT_FALSE(doc_.row(pot).isMemberRow());
    EXPECT_EQ(doc_.row(pot).record->group, nullptr);
    g = rowNamed(doc_, "Kitchen");
    EXPECT_EQ(doc_.displayText(g, 2), "10.00");
    EXPECT_NE(doc_.groupNames.find("Kitchen"), nullptr);
    EXPECT_TRUE(groupNameRefusal(doc_, "Kitchen").has_value());

    const int tarp = removeFromGroup(doc_, g + 1);
    EXPECT_EQ(column(doc_, 1), (Texts{"Pot", "Bivy", "Stakes", "Tarp", "Bottle"}));
    EXPECT_EQ(tarp, 3);
    EXPECT_EQ(doc_.groupNames.find("Kitchen"), nullptr);
    EXPECT_FALSE(groupNameRefusal(doc_, "Kitchen").has_value());
    EXPECT_FALSE(doc_.hasGroupRow());
    EXPECT_EQ(kitchen(), 1) << "the name can be used again";
}

TEST_F(Groups, RemoveTakesTheMemberAtItsPositionNotAnEqualOne) {
    const int g = kitchen();
    // Twins that compare equal: record equality leaves the multiplier out.
    doc_.insertRecord(test::item("Shelter", "Peg", "1"));
    doc_.insertRecord(test::item("Shelter", "Peg", "1"));
    setField(doc_.record(rowNamed(doc_, "Peg") + 1).multiplier, "7");
    joinGroup(doc_, rowNamed(doc_, "Peg") + 1, g); // the "7" twin, then the "1" twin in front
    joinGroup(doc_, rowNamed(doc_, "Peg"), g);
    const int kit = rowNamed(doc_, "Kitchen");
    doc_.toggleGroup(kit);
    ASSERT_EQ(column(doc_, 1)[static_cast<std::size_t>(kit + 2)], "Peg");

    const int back = removeFromGroup(doc_, kit + 2);
    ASSERT_GE(back, 0);
    EXPECT_EQ(fieldText(doc_.record(back).multiplier), "7");
    const sPubInfo& group = doc_.record(rowNamed(doc_, "Kitchen"));
    EXPECT_EQ(memberNames(group), (Texts{"Peg", "Tarp", "Pot"}));
    EXPECT_EQ(fieldText(group.members->at(3)->multiplier), "1");
}

TEST_F(Groups, TheTotalFollowsEveryChangeOfACheckedGroup) {
    doc_.setChecked(rowNamed(doc_, "Pot"), true);
    doc_.setChecked(rowNamed(doc_, "Bivy"), true);
    expectTotalIsTheCheckedRows(14.0F);

    // The checked Pot goes into a new, unchecked group.
    int g = kitchen();
    expectTotalIsTheCheckedRows(6.0F);
    doc_.setChecked(g, true);
    expectTotalIsTheCheckedRows(24.0F);

    // A checked item into the checked group, an unchecked one into it while it is expanded.
    g = joinGroup(doc_, rowNamed(doc_, "Bivy"), g);
    expectTotalIsTheCheckedRows(24.0F);
    doc_.toggleGroup(g);
    g = joinGroup(doc_, rowNamed(doc_, "Bottle"), g);
    expectTotalIsTheCheckedRows(25.0F);
    EXPECT_EQ(doc_.displayText(g, 2), "25.00");

    // Out again: each item comes back with the check mark it went in with.
    const int bottle = removeFromGroup(doc_, g + 1);
    EXPECT_FALSE(doc_.row(bottle).checked());
    expectTotalIsTheCheckedRows(24.0F);
    g = rowNamed(doc_, "Kitchen");
    const int bivy = removeFromGroup(doc_, g + 1);
    EXPECT_TRUE(doc_.row(bivy).checked());
    expectTotalIsTheCheckedRows(24.0F);
    g = rowNamed(doc_, "Kitchen");
    removeFromGroup(doc_, g + 1);
    g = rowNamed(doc_, "Kitchen");
    EXPECT_FALSE(doc_.row(rowNamed(doc_, "Tarp")).checked());
    expectTotalIsTheCheckedRows(14.0F);
    removeFromGroup(doc_, g + 1);
    EXPECT_FALSE(doc_.hasGroupRow());
    expectTotalIsTheCheckedRows(14.0F); // Pot and Bivy, as at the start
}

TEST(GroupNames, EmptyAndTakenNamesAreRefused) {
    GearDocument doc;
    doc.groupNames.add(std::make_unique<std::string>("Kitchen"));
    EXPECT_EQ(groupNameRefusal(doc, ""),
              (UserMessage{"Group Name required.", "Varnel", MessageIcon::Stop}));
    EXPECT_EQ(groupNameRefusal(doc, "Kitchen"),
              (UserMessage{"Group of same name already exists.  Please choose a different name",
                           "Varnel", MessageIcon::None}));
    EXPECT_FALSE(groupNameRefusal(doc, "kitchen").has_value()) << "case-sensitive";
    EXPECT_FALSE(groupNameRefusal(doc, "Kitchen ").has_value());
    const std::string long40(40, 'x');
    doc.groupNames.add(std::make_unique<std::string>(long40));
    EXPECT_TRUE(groupNameRefusal(doc, long40 + "y").has_value()) << "compared as stored";
}

// Each save and load turns a group's members round, so two round trips give the first bytes.
void expectRoundTrip(const GearDocument& doc) {
    const std::string first = serializeGearData(doc);
    std::string bytes = first;
    for (int trip = 0; trip < 2; ++trip) {
        GearDocument again;
        parseGearData({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}, again);
        ASSERT_EQ(again.rowCount(), [&] {
            int n = 0;
            for (const GearRow& r : doc.rows()) {
                n += r.isMemberRow() ? 0 : 1;
            }
            return n;
        }());
        for (int r = 0; r < again.rowCount(); ++r) {
            if (again.row(r).isGroupRow()) {
                EXPECT_NE(again.groupNames.find(std::string(fieldText(again.record(r).item))),
                          nullptr);
            }
        }
        bytes = serializeGearData(again);
    }
    EXPECT_EQ(bytes, first);
}

TEST_F(Groups, EveryStepSurvivesSavingAndReading) {
    doc_.setChecked(rowNamed(doc_, "Pot"), true);
    int g = kitchen();
    expectRoundTrip(doc_);
    doc_.toggleGroup(g);
    g = joinGroup(doc_, rowNamed(doc_, "Bivy"), g);
    expectRoundTrip(doc_);
    removeFromGroup(doc_, g + 3);
    expectRoundTrip(doc_);
    for (int left = 2; left > 0; --left) {
        removeFromGroup(doc_, rowNamed(doc_, "Kitchen") + 1);
    }
    EXPECT_FALSE(doc_.hasGroupRow());
    expectRoundTrip(doc_);
}

} // namespace
} // namespace varnel
