#include "output/HandheldSaveCheck.h"
#include "../model/TestRecords.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

UserMessage refusal(const char* text) {
    return {text, "Cannot Save PalmData.dat", MessageIcon::Stop};
}

// Rows in `count` categories, each named "Category NN" in some letter case, twice over.
GearDocument withCategories(int count) {
    GearDocument doc;
    for (int i = 0; i < count; ++i) {
        const std::string name = "Category " + std::to_string(10 + i);
        std::string upper = name;
        for (char& c : upper) {
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        }
        doc.insertRecord(test::item(name, "a"));
        doc.insertRecord(test::item(upper, "b"));
    }
    return doc;
}

TEST(HandheldSaveCheck, FifteenCategoriesInAnyLetterCaseFitSixteenDoNot) {
    EXPECT_EQ(handheldSaveRefusal(GearDocument()), std::nullopt) << "an empty list fits";
    EXPECT_EQ(handheldSaveRefusal(withCategories(15)), std::nullopt);
    EXPECT_EQ(handheldSaveRefusal(withCategories(16)),
              refusal("No more than 15 categories allowed"));
}

TEST(HandheldSaveCheck, CategoryNamesOfSixteenCharactersFitSeventeenDoNot) {
    GearDocument doc;
    doc.insertRecord(test::item("Sixteen chars ok", "a"));
    EXPECT_EQ(handheldSaveRefusal(doc), std::nullopt);
    doc.insertRecord(test::item("Seventeen chars!!", "b"));
    EXPECT_EQ(handheldSaveRefusal(doc), refusal("Categories may be no longer than 16 characters"));
}

TEST(HandheldSaveCheck, GroupsAreRefusedExpandedOrNotAndTheCountComesFirst) {
    GearDocument doc;
    doc.insertRecord(test::item("Water", "Bottle"));
    doc.insertRecord(test::group("Kitchen", "Cook kit", {"1", "2"}));
    EXPECT_EQ(handheldSaveRefusal(doc), refusal("Groups not allowed"));
    ASSERT_EQ(doc.toggleGroup(0), 2) << "Kitchen before Water";
    EXPECT_EQ(handheldSaveRefusal(doc), refusal("Groups not allowed"));

    // Each reason in its turn: too many categories, then a long name, then groups.
    GearDocument all = withCategories(16);
    all.insertRecord(test::item("Seventeen chars!!", "b"));
    all.insertRecord(test::group("Kitchen", "Cook kit", {"1"}));
    EXPECT_EQ(handheldSaveRefusal(all), refusal("No more than 15 categories allowed"));
    GearDocument longAndGroup;
    longAndGroup.insertRecord(test::item("Seventeen chars!!", "b"));
    longAndGroup.insertRecord(test::group("Kitchen", "Cook kit", {"1"}));
    EXPECT_EQ(handheldSaveRefusal(longAndGroup),
              refusal("Categories may be no longer than 16 characters"));
}

TEST(HandheldSaveCheck, TheCustomColumnsQuestion) {
    EXPECT_EQ(handheldCustomColumnsQuestion(),
              (UserMessage{"Custom columns are not saved to PalmData.dat\nContinue anyway?",
                           "Varnel", MessageIcon::Question}));
}

} // namespace
} // namespace varnel
