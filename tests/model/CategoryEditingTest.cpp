#include "model/CategoryEditing.h"
#include "TestRecords.h"
#include "model/FixedText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace varnel {
namespace {

std::vector<std::string> names(const std::vector<sCategory60>& list) {
    std::vector<std::string> out;
    for (const sCategory60& c : list) {
        out.emplace_back(c.nameText());
    }
    return out;
}

GearDocument withCategories(std::initializer_list<std::string_view> categories) {
    GearDocument doc;
    for (std::string_view name : categories) {
        doc.categoryList.emplace_back(name, doc.nextCategoryId++);
    }
    return doc;
}

// Every category a row or a member carries, top to bottom, members front to back.
std::vector<std::string> filedUnder(const GearDocument& doc) {
    std::vector<std::string> out;
    for (const GearRow& row : doc.rows()) {
        out.emplace_back(fieldText(row.record->category));
        if (row.record->members) {
            row.record->members->forEach([&](const sPubInfo& m) {
                out.push_back("  " + std::string(fieldText(m.category)));
            });
        }
    }
    return out;
}

class ChangeLog final : public GearDocumentObserver {
public:
    void rowsAboutToBeInserted(int, int) override {}
    void rowsInserted() override {}
    void rowsAboutToBeRemoved(int, int) override {}
    void rowsRemoved() override {}
    void rowsAboutToBeReset() override {}
    void rowsReset() override {}
    void rowsChanged(int first, int last) override { changed.emplace_back(first, last); }
    void totalChanged() override {}
    std::vector<std::pair<int, int>> changed;
};

TEST(CategoryAdd, UnfiledInAnyCaseIsRefusedAndNothingChanges) {
    GearDocument doc = withCategories({"Food"});
    for (std::string_view text : {"Unfiled", "unfiled", "UNFILED", "uNfIlEd"}) {
        SCOPED_TRACE(text);
        const CategoryAddOutcome out = addCategory(doc, text);
        EXPECT_EQ(out.status, CategoryAddOutcome::Status::Refused);
        EXPECT_EQ(out.message, (UserMessage{"'Unfiled' may not be added as a category", "Varnel",
                                            MessageIcon::Stop}));
    }
    EXPECT_EQ(names(doc.categoryList), std::vector<std::string>{"Food"});
    EXPECT_EQ(doc.nextCategoryId, 129);
    // Only the whole name counts; the cut happens before the check.
    EXPECT_TRUE(addCategory(doc, "Unfiled gear").added());
    EXPECT_TRUE(addCategory(doc, "1234567890123456Unfiled").added());
}

TEST(CategoryAdd, ConsecutiveNumbersFlagsCutAndExactDuplicates) {
    GearDocument doc = withCategories({"Food"});
    doc.nextCategoryId = 140;
    const CategoryAddOutcome a = addCategory(doc, "Water");
    const CategoryAddOutcome b = addCategory(doc, "food"); // differs only in case: a new one
    ASSERT_TRUE(a.added());
    ASSERT_TRUE(b.added());
    EXPECT_EQ(a.id, 140);
    EXPECT_EQ(b.id, 141);
    EXPECT_EQ(doc.nextCategoryId, 142);
    ASSERT_EQ(names(doc.categoryList), (std::vector<std::string>{"Food", "Water", "food"}));
    EXPECT_EQ(doc.categoryList[1].id, 140);
    EXPECT_EQ(doc.categoryList[1].added, 1);
    EXPECT_EQ(doc.categoryList[0].added, 0) << "a category read from the file is not new";

    const CategoryAddOutcome again = addCategory(doc, "Water");
    EXPECT_EQ(again.status, CategoryAddOutcome::Status::AlreadyPresent);
    EXPECT_FALSE(again.message);
    EXPECT_EQ(doc.categoryList.size(), 3U);
    EXPECT_EQ(doc.nextCategoryId, 142) << "no number is used up by a duplicate";

    const CategoryAddOutcome longName = addCategory(doc, "Sleeping system and pads");
    ASSERT_TRUE(longName.added());
    EXPECT_EQ(longName.name, "Sleeping system ");
    EXPECT_EQ(doc.categoryList.back().nameText(), "Sleeping system ");
    EXPECT_EQ(addCategory(doc, "Sleeping system and bags").status,
              CategoryAddOutcome::Status::AlreadyPresent);
    EXPECT_TRUE(addCategory(doc, "").added()) << "an empty name is a name like any other";
}

TEST(CategoryAdd, FifteenCategoriesAreTheLimitOnlyForHandheldDocuments) {
    GearDocument doc;
    for (int i = 0; i < 14; ++i) {
        ASSERT_TRUE(addCategory(doc, "C" + std::to_string(i)).added());
    }
    doc.handheldDocument = true;
    EXPECT_FALSE(categoryLimitMessage(doc));
    ASSERT_TRUE(addCategory(doc, "Fifteenth").added());
    const UserMessage limit{"No more than 15 categories allowed in Palm OS applications", "Varnel",
                            MessageIcon::Stop};
    EXPECT_EQ(categoryLimitMessage(doc), limit);
    const CategoryAddOutcome refused = addCategory(doc, "Sixteenth");
    EXPECT_EQ(refused.status, CategoryAddOutcome::Status::Refused);
    EXPECT_EQ(refused.message, limit);
    EXPECT_EQ(doc.categoryList.size(), 15U);

    doc.handheldDocument = false;
    EXPECT_FALSE(categoryLimitMessage(doc));
    EXPECT_TRUE(addCategory(doc, "Sixteenth").added());
}

TEST(CategoryDelete, MovesTheRecordToTheFrontOfTheRemovedListAndLeavesRowsAlone) {
    GearDocument doc = withCategories({"Food", "Water", "Shelter"});
    doc.insertRecord(test::item("Water", "Bottle"));
    doc.removedCategories.emplace_back("Old", 200);

    ASSERT_TRUE(deleteCategory(doc, "Water"));
    EXPECT_EQ(names(doc.categoryList), (std::vector<std::string>{"Food", "Shelter"}));
    ASSERT_EQ(names(doc.removedCategories), (std::vector<std::string>{"Water", "Old"}));
    EXPECT_EQ(doc.removedCategories.front().removed, 1);
    EXPECT_EQ(doc.removedCategories.front().id, 129);
    EXPECT_EQ(fieldText(doc.record(0).category), "Water");

    ASSERT_TRUE(deleteCategory(doc, "Food"));
    EXPECT_EQ(names(doc.removedCategories), (std::vector<std::string>{"Food", "Water", "Old"}));

    EXPECT_FALSE(deleteCategory(doc, "shelter")) << "exact names only";
    EXPECT_EQ(names(doc.categoryList), std::vector<std::string>{"Shelter"});
    EXPECT_EQ(doc.removedCategories.size(), 3U);
}

TEST(CategoryInUse, ItemsAndGroupMembersCountButNotAGroupRowsOwnCategory) {
    GearDocument doc;
    doc.insertRecord(test::item("Water", "Bottle"));
    auto kit = test::group("Kitchen", "Cook kit", {"3", "9"});
    setField(kit->members->at(1)->category, "Fuel");
    doc.insertRecord(std::move(kit));

    EXPECT_TRUE(categoryInUse(doc, "Water"));
    EXPECT_TRUE(categoryInUse(doc, "Fuel"));
    EXPECT_TRUE(categoryInUse(doc, "Kitchen")) << "the other member is filed under Kitchen";
    EXPECT_FALSE(categoryInUse(doc, "water"));
    EXPECT_FALSE(categoryInUse(doc, "Food"));

    // A group whose members are all filed elsewhere does not keep its own category in use.
    auto tarp = test::group("Shelter", "Tarp set", {"10"});
    setField(tarp->members->at(1)->category, "Fuel");
    doc.insertRecord(std::move(tarp));
    EXPECT_FALSE(categoryInUse(doc, "Shelter"));
}

class CategoryRename : public ::testing::Test {
protected:
    void SetUp() override {
        doc = withCategories({"Food", "Kitchen", "Shelter"});
        doc.insertRecord(test::item("Kitchen", "Stove"));
        doc.insertRecord(test::item("kitchen", "Mug"));
        doc.insertRecord(test::item("Shelter", "Tent"));
        auto kit = test::group("Kitchen", "Cook kit", {"3", "9"});
        setField(kit->members->at(1)->category, "Food");
        doc.insertRecord(std::move(kit));
        auto tarp = test::group("Shelter", "Tarp set", {"5", "6"});
        setField(tarp->members->at(2)->category, "Kitchen");
        doc.insertRecord(std::move(tarp));
    }

    GearDocument doc;
};

TEST_F(CategoryRename, CarriesIntoItemsGroupRowsAndMembersOnly) {
    ChangeLog log;
    doc.setObserver(&log);
    const std::vector<std::string> before = filedUnder(doc);

    const CategoryRenameOutcome out = renameCategory(doc, "Kitchen", "Cooking");
    doc.setObserver(nullptr);
    ASSERT_TRUE(out.renamed());
    EXPECT_TRUE(out.recordRenamed);
    EXPECT_EQ(names(doc.categoryList), (std::vector<std::string>{"Food", "Cooking", "Shelter"}));
    EXPECT_EQ(doc.categoryList[1].renamed, 1);
    EXPECT_EQ(doc.categoryList[1].id, 129) << "a renamed category keeps its number";
    EXPECT_EQ(doc.categoryList[0].renamed, 0);

    std::vector<std::string> expected = before;
    for (std::string& c : expected) {
        if (c == "Kitchen") {
            c = "Cooking";
        } else if (c == "  Kitchen") {
            c = "  Cooking";
        }
    }
    EXPECT_EQ(filedUnder(doc), expected);
    EXPECT_NE(std::find(expected.begin(), expected.end(), "kitchen"), expected.end());
    EXPECT_NE(std::find(expected.begin(), expected.end(), "  Food"), expected.end());
    EXPECT_EQ(out.rowsChanged, 3) << "the stove, the cook kit and the tarp set's member";
    ASSERT_FALSE(log.changed.empty()) << "the view must be told";
}

TEST_F(CategoryRename, ReachesTheMemberRowsOfAnExpandedGroup) {
    int kit = -1;
    for (int r = 0; r < doc.rowCount(); ++r) {
        if (fieldText(doc.record(r).item) == "Cook kit") {
            kit = r;
        }
    }
    ASSERT_GE(kit, 0);
    ASSERT_EQ(doc.toggleGroup(kit), 2);
    ChangeLog log;
    doc.setObserver(&log);
    ASSERT_TRUE(renameCategory(doc, "Kitchen", "Cooking").renamed());
    doc.setObserver(nullptr);

    std::vector<std::string> shown;
    for (int r = kit; r <= kit + 2; ++r) {
        shown.emplace_back(fieldText(doc.record(r).category));
    }
    // The group row, then its members front to back (the one filed under Food last).
    EXPECT_EQ(shown, (std::vector<std::string>{"Cooking", "Cooking", "Food"}));
    ASSERT_FALSE(log.changed.empty());
    EXPECT_LE(log.changed.front().first, kit + 1);
    EXPECT_GE(log.changed.front().second, kit + 1);
}

TEST_F(CategoryRename, ExistingNameIsRefusedWithTheOldNameAsText) {
    const std::vector<std::string> before = filedUnder(doc);
    const CategoryRenameOutcome out = renameCategory(doc, "Kitchen", "Shelter");
    EXPECT_EQ(out.status, CategoryRenameOutcome::Status::Duplicate);
    EXPECT_EQ(out.message, (UserMessage{"Kitchen", "This category name already exists",
                                        MessageIcon::Exclamation}));
    EXPECT_EQ(names(doc.categoryList), (std::vector<std::string>{"Food", "Kitchen", "Shelter"}));
    EXPECT_EQ(doc.categoryList[1].renamed, 0);
    EXPECT_EQ(filedUnder(doc), before);
    // Refusal compares the name as it would be stored.
    doc.categoryList.emplace_back("Sleeping system and pads", 140);
    EXPECT_TRUE(renameRefusal(doc, "Food", "Sleeping system and bags"));
    EXPECT_FALSE(renameRefusal(doc, "Food", "shelter"));
}

TEST_F(CategoryRename, CaseOnlyRenamesUnfiledAndTheCut) {
    ASSERT_TRUE(renameCategory(doc, "Kitchen", "kitchen").renamed());
    EXPECT_EQ(doc.categoryList[1].nameText(), "kitchen");
    // "Unfiled" is refused only when a category of exactly that name exists.
    ASSERT_TRUE(renameCategory(doc, "Food", "Unfiled").renamed());
    EXPECT_FALSE(renameCategory(doc, "kitchen", "Unfiled").renamed());

    ASSERT_TRUE(renameCategory(doc, "Shelter", "Sleeping and shelter").renamed());
    EXPECT_EQ(doc.categoryList[2].nameText(), "Sleeping and she");
    EXPECT_EQ(fieldText(doc.record(doc.rowCount() - 1).category), "Sleeping and she");
}

TEST(CategoryChoices, RebuiltFromTheListInOrderWithoutNumbers) {
    GearDocument doc = withCategories({"Water", "Unfiled", "Food"});
    doc.categoryChoices = {{"Stale", 130}};
    rebuildCategoryChoices(doc);
    EXPECT_EQ(doc.categoryChoices,
              (std::vector<CategoryChoice>{{"Water", 0}, {"Unfiled", 0}, {"Food", 0}}));
}

} // namespace
} // namespace varnel
