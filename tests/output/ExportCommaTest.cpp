#include "output/ExportComma.h"

#include "ExportFixtures.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(ExportComma, EmptyListIsTheHeadingAndTheTotal) {
    GearDocument doc;
    EXPECT_EQ(exportCommaBytes(doc, test::headings(), {}),
              "Category,Item,Weight (oz)\r\n"
              ",Total Weight of Selected Items,   0.00,\r\n");
    EXPECT_EQ(exportCommaBytes(doc, test::headings({}, true), {false, true, true, "not written"}),
              "Category,Item,Weight (gm),Notes\r\n"
              ",Total Weight of Selected Items,   0.00,\r\n");
}

TEST(ExportComma, MembersAreOrdinaryLinesAndOnlyACheckedGroupCounts) {
    GearDocument doc;
    test::buildTrip(doc);
    const std::string kitchen = "Kitchen,Cook kit part 2,6.00\r\n"
                                "Kitchen,Cook kit part 1,4.00\r\n"
                                "Kitchen,Stove,3.00\r\n";
    EXPECT_EQ(exportCommaBytes(doc, test::headings(), {}),
              "Category,Item,Weight (oz)\r\n" + kitchen +
                  "Shelter,Stakes,2.50\r\n"
                  "Shelter,Tent,10.00\r\n"
                  ",Total Weight of Selected Items,  23.00,\r\n");
    doc.setChecked(0, false);
    EXPECT_EQ(exportCommaBytes(doc, test::headings(), {}),
              "Category,Item,Weight (oz)\r\n" + kitchen +
                  "Shelter,Stakes,2.50\r\n"
                  "Shelter,Tent,10.00\r\n"
                  ",Total Weight of Selected Items,  13.00,\r\n");
    EXPECT_EQ(exportCommaBytes(doc, test::headings(), {true, false, false, ""}),
              "Category,Item,Weight (oz)\r\n"
              "Kitchen,Stove,3.00\r\n"
              "Shelter,Tent,10.00\r\n"
              ",Total Weight of Selected Items,  13.00,\r\n");
}

TEST(ExportComma, NotesAndUserColumnsGiveEveryLineTheSameFields) {
    GearDocument doc;
    test::buildTrip(doc);
    test::addTexts(doc.record(1), {"MSR", "2024"});
    test::addTexts(doc.record(3), {"Lunar"});
    const auto h = test::headings({"Brand", "Bought"});
    EXPECT_EQ(exportCommaBytes(doc, h, {false, true, true, ""}),
              "Category,Item,Weight (oz),Brand,Bought,Notes\r\n"
              "Kitchen,Cook kit part 2,6.00,,,\r\n"
              "Kitchen,Cook kit part 1,4.00,,,\r\n"
              "Kitchen,Stove,3.00,MSR,2024,Canister\r\n"
              "Shelter,Stakes,2.50,,,\r\n"
              "Shelter,Tent,10.00,Lunar,,Seam sealed\r\n"
              ",Total Weight of Selected Items,  23.00,\r\n");
    EXPECT_EQ(exportCommaBytes(doc, h, {false, false, true, ""}).substr(0, 40),
              "Category,Item,Weight (oz),Brand,Bought\r\n");
    EXPECT_EQ(exportCommaBytes(doc, h, {}).find("MSR"), std::string::npos);
}

TEST(ExportComma, FieldsWithSeparatorsQuotesOrLineEndsAreQuoted) {
    GearDocument doc;
    auto r = test::item("Caf\xe9", "Tent, 2 \"person\"", "1.00", true);
    setField(r->notes, "line one\r\nline two");
    test::addTexts(*r, {"\"", "a\rb", "c\nd", "plain; 'single'"});
    doc.insertRecord(std::move(r));
    const ExportHeadings h{{"Cat, egory", "Item", "Weight (oz)", "\"Notes\""},
                           {"A", "B", "C", "D"}};
    EXPECT_EQ(exportCommaBytes(doc, h, {false, true, true, ""}),
              "\"Cat, egory\",Item,Weight (oz),A,B,C,D,\"\"\"Notes\"\"\"\r\n"
              "Caf\xe9,\"Tent, 2 \"\"person\"\"\",1.00,\"\"\"\",\"a\rb\",\"c\nd\","
              "plain; 'single',\"line one\r\nline two\"\r\n"
              ",Total Weight of Selected Items,   1.00,\r\n");
}

TEST(ExportComma, LineWeightAndAWeightThatIsNoNumber) {
    GearDocument doc;
    auto r = test::item("A", "Socks", "1.50", true);
    setField(r->multiplier, "4");
    r->updateLineWeight();
    doc.insertRecord(std::move(r));
    doc.insertRecord(test::item("A", "Unknown", "n/a", true));
    EXPECT_EQ(exportCommaBytes(doc, test::headings(), {}),
              "Category,Item,Weight (oz)\r\n"
              "A,Socks,6.00\r\n"
              "A,Unknown,n/a\r\n"
              ",Total Weight of Selected Items,   6.00,\r\n");
}

} // namespace
} // namespace varnel
