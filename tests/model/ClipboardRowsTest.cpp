#include "model/ClipboardRows.h"
#include "TestRecords.h"
#include "model/GearDocument.h"
#include "model/ItemFind.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

using test::item;

// An ounce list: a checked tent with a brand, and a group of two.
void fill(GearDocument& doc) {
    auto tent = item("Shelter", "Tent", "40.00", true);
    setField(tent->notes, "2 person");
    test::addTexts(*tent, {"Big Sky"});
    doc.insertRecord(std::move(tent));
    doc.insertRecord(test::group("Cook", "Kitchen", {"3.00", "1.50"}));
    doc.userColumnCount = 1;
}

TEST(ClipboardRows, OwnFormKeepsEveryFieldBetweenOuncesAndGrams) {
    GearDocument ounces;
    fill(ounces);
    const ClipRows copied = copyRows(ounces, {0, 1}, {"Brand"});
    ClipRows back;
    ASSERT_TRUE(readOwnForm(ownFormBytes(copied), false, back));
    EXPECT_EQ(back.records, copied.records);

    GearDocument grams;
    grams.metric = true;
    grams.insertRecord(test::group("Cook", "Kitchen", {"9.00"}));
    grams.groupNames.add(std::make_unique<std::string>("Kitchen"));
    ClipRows converted;
    ASSERT_TRUE(readOwnForm(ownFormBytes(copied), true, converted));
    EXPECT_EQ(missingHeadings(converted.records, {"brand"}), std::vector<std::string>{});
    const PasteOutcome pasted = pasteRecords(grams, converted.records, {"brand"});
    ASSERT_EQ(pasted.pasted.size(), 2U);
    const ClipRows again = copyRows(grams, {0, 1, 2}, {"Brand"});
    ASSERT_EQ(again.records.size(), 3U);
    const ClipRecord& tent = again.records[2];
    EXPECT_EQ(tent.unitWeight, "1133.98"); // 40 x 28.349523125
    EXPECT_EQ(tent.notes, "2 person");
    EXPECT_TRUE(tent.checked);
    EXPECT_EQ(tent.columns,
              (std::vector<std::pair<std::string, std::string>>{{"Brand", "Big Sky"}}));
    const ClipRecord& kitchen = again.records[1];
    EXPECT_EQ(kitchen.item, "Kitchen (2)");
    ASSERT_EQ(kitchen.members.size(), 2U);
    EXPECT_EQ(kitchen.members[1].weight, "85.05"); // 3 x 28.349523125
    EXPECT_FALSE(kitchen.checked);
    EXPECT_FLOAT_EQ(grams.selectedTotal(), 1133.98F);
}

TEST(ClipboardRows, TextFormReadsBackAndSpreadsheetTextIsReadOrReported) {
    GearDocument doc;
    fill(doc);
    const ClipRows copied = copyRows(doc, {0, 1}, {"Brand"});
    const std::string text = textForm(copied, {"Brand"});
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "Category\tItem\tWeight\tMultiply by\tNotes\tBrand\r");
    const TextRows read = readTextForm(text, {"Brand"});
    EXPECT_TRUE(read.unreadable.empty());
    ASSERT_EQ(read.records.size(), 3U);
    EXPECT_EQ(read.records[2].columns, copied.records[1].columns);
    EXPECT_EQ(read.records[0].weight, "1.50");

    struct Case {
        std::string text;
        std::vector<std::string> items, weights;
        std::vector<ClipNote> unreadable;
    };
    const std::vector<Case> cases{
        {"qty\tWEIGHT\titem\r\n2\t3\tStove\r\n1\tx\tPot\r\n",
         {"Stove"},
         {"3.00"},
         {{3, "the weight \"x\" is not a number"}}},
        {"Food\tBar\t1.5\n\"Food\"\t\"Tab\there\nand line\"\t2\nA\t" + std::string(41, 'i') +
             "\t1\n",
         {"Bar", "Tab\there\nand line"},
         {"1.50", "2.00"},
         {{4, "item longer than its field"}}},
        {"Item\tColour\r\nHat\tRed\r\n\r\n", {"Hat"}, {"0.00"}, {}},
    };
    for (const Case& c : cases) {
        const TextRows rows = readTextForm(c.text, {"Brand"});
        std::vector<std::string> items, weights;
        for (const ClipRecord& r : rows.records) {
            items.push_back(r.item);
            weights.push_back(r.weight);
        }
        EXPECT_EQ(items, c.items) << c.text;
        EXPECT_EQ(weights, c.weights) << c.text;
        EXPECT_EQ(rows.unreadable, c.unreadable) << c.text;
    }
    EXPECT_EQ(readTextForm("Item\tColour\nHat\tRed\n", {}).unknownHeadings,
              std::vector<std::string>{"Colour"});
}

TEST(ClipboardRows, FindGoesRoundAndLooksIntoCollapsedGroups) {
    GearDocument doc;
    fill(doc); // row 0: Kitchen (parts 2 then 1), row 1: Tent
    struct Case {
        std::string text;
        int from;
        bool forward;
        FindHit hit;
    };
    for (const Case& c : std::vector<Case>{{"TENT", -1, true, {1, -1, false}},
                                           {"T 1", 1, true, {0, 1, true}},
                                           {"PART", 0, false, {0, 1, true}},
                                           {"big sky", 1, true, {1, -1, true}},
                                           {"nothing", 0, true, {}}}) {
        const FindHit hit = findItem(doc, c.text, c.from, c.forward);
        EXPECT_EQ(std::tie(hit.row, hit.member, hit.wrapped),
                  std::tie(c.hit.row, c.hit.member, c.hit.wrapped))
            << c.text;
    }
}

} // namespace
} // namespace varnel
