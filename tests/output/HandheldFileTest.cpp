#include "output/HandheldFile.h"
#include "../model/GearDataBytes.h"
#include "../model/SettingsTempFolder.h"
#include "../model/TestRecords.h"
#include "model/FixedText.h"
#include "model/GearDataReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace varnel {
namespace {

using namespace testbytes;

const std::string kHeader = "Varnel data file. Version 6.0\r\n";

sCategory60 category(std::string_view name, std::int32_t id) {
    return sCategory60(name, id);
}

// A handheld document: block "xyz", categories Food, unfiled, Water; one category deleted; three
// rows (one checked, one filed under a name the set does not have) and one deleted record.
GearDocument handheldDocument() {
    GearDocument doc;
    doc.handheldDocument = true;
    doc.handheldBlock = {'x', 'y', '\0'};
    doc.categoryList = {category("Food", 128), category("unfiled", 0), category("Water", 129)};
    sCategory60 old = category("Old", 130);
    old.removed = 1;
    doc.removedCategories = {old};

    auto oats = test::item("food", "Oats", "3.50", true);
    setField(oats->multiplier, "2");
    setField(oats->weight, "7.00");
    setField(oats->notes, "breakfast");
    oats->recordId = 0x01020304;
    oats->modified = 1;
    doc.insertRecord(std::move(oats));
    auto misc = test::item("Misc", "Tape", "0.5");
    misc->categoryIndex = 7;
    doc.insertRecord(std::move(misc));
    doc.insertRecord(test::item("Water", "Bottle", "1.25"));

    sPubInfo60 gone;
    setField(gone.category, "Food");
    setField(gone.item, "Gel");
    gone.recordId = 99;
    gone.deleted = 1;
    doc.deletedRecords = {gone};
    return doc;
}

TEST(HandheldFile, BytesFollowTheLayout) {
    const std::string bytes = serializeHandheldFile(handheldDocument());

    std::string expected = kHeader + int32(3) + std::string("xy\0", 3);
    expected += int32(4);
    expected += categoryRecord("unfiled", 0) + categoryRecord("Food", 128) +
                categoryRecord("Water", 129) + categoryRecord("Old", 130, 1);
    expected += handheldRecord({.category = "food",
                                .item = "Oats",
                                .unitWeight = "3.50",
                                .weight = "7.00",
                                .notes = "breakfast",
                                .selected = 1,
                                .multiplier = "2",
                                .recordId = 0x01020304,
                                .categoryIndex = 1,
                                .modified = 1});
    expected += handheldRecord({.category = "Misc",
                                .item = "Tape",
                                .unitWeight = "0.5",
                                .weight = "0.5",
                                .categoryIndex = 7});
    expected += handheldRecord({.category = "Water",
                                .item = "Bottle",
                                .unitWeight = "1.25",
                                .weight = "1.25",
                                .categoryIndex = 2});
    expected += handheldRecord(
        {.category = "Food", .item = "Gel", .multiplier = "", .recordId = 99, .deleted = 1});
    ASSERT_EQ(bytes.size(), expected.size());
    EXPECT_EQ(bytes, expected);

    // A few offsets by hand, against the helper's own layout.
    const std::size_t items = kHeader.size() + 4 + 3 + 4 + 4 * 36;
    EXPECT_EQ(bytes.substr(kHeader.size() + 4 + 3 + 4 + 36 + 20, 4), int32(128));
    EXPECT_EQ(bytes.substr(items + 70, 2), std::string("2\0", 2)) << "multiplier before weight";
    EXPECT_EQ(bytes.substr(items + 76, 5), std::string("7.00\0", 5));
    EXPECT_EQ(bytes[items + 138], '\1');
    EXPECT_EQ(bytes[items + 139], '\0');
    EXPECT_EQ(bytes.substr(items + 140, 4), "\x04\x03\x02\x01");
}

TEST(HandheldFile, UnfiledComesFirstEvenWhenItWasMissing) {
    GearDocument doc;
    doc.categoryList = {category("Food", 128), category("Water", 129)};
    doc.insertRecord(test::item("WATER", "Bottle", "1"));
    const std::string bytes = serializeHandheldFile(doc);
    const std::string expected = kHeader + int32(0) + int32(3) + categoryRecord("Unfiled", 0) +
                                 categoryRecord("Food", 128) + categoryRecord("Water", 129) +
                                 handheldRecord({.category = "WATER",
                                                 .item = "Bottle",
                                                 .unitWeight = "1",
                                                 .weight = "1",
                                                 .categoryIndex = 2});
    EXPECT_EQ(bytes, expected) << "no block, and the third category gives index 2";

    // An "Unfiled" with another number is still the one: it moves to the front as 0.
    const auto set = handheldCategorySet({category("A", 128), category("UNFILED", 140)});
    ASSERT_EQ(set.size(), 2U);
    EXPECT_EQ(set[0].nameText(), "UNFILED");
    EXPECT_EQ(set[0].id, 0);
    EXPECT_EQ(set[1].nameText(), "A");
}

TEST(HandheldFile, AnEmptyListEndsAfterTheLastCategory) {
    GearDocument doc;
    EXPECT_EQ(serializeHandheldFile(doc),
              kHeader + int32(0) + int32(1) + categoryRecord("Unfiled", 0));
}

TEST(HandheldFile, LongTextsAreCutInsideTheirFields) {
    GearDocument doc;
    doc.categoryList = {category("Unfiled", 0)};
    // A name read from a file may fill all 19 characters before its terminator.
    sCategory60 wide;
    std::memset(wide.name, 'w', 19);
    wide.id = 128;
    doc.categoryList.push_back(wide);
    auto r = test::item(std::string(20, 'c'), std::string(40, 'i'), "1");
    setField(r->notes, std::string(50, 'n'));
    doc.insertRecord(std::move(r));

    const std::string bytes = serializeHandheldFile(doc);
    const std::size_t categories = kHeader.size() + 8;
    EXPECT_EQ(bytes.substr(categories + 36, 20), std::string(16, 'w') + std::string(4, '\0'));
    const std::size_t item = categories + 2 * 36;
    ASSERT_EQ(bytes.size(), item + 152);
    EXPECT_EQ(bytes.substr(item, 18), std::string(17, 'c') + '\0');
    EXPECT_EQ(bytes.substr(item + 18, 42), std::string(40, 'i') + std::string(2, '\0'));
    EXPECT_EQ(bytes.substr(item + 86, 52), std::string(50, 'n') + std::string(2, '\0'));
}

TEST(HandheldFile, GroupsAreWrittenAsTheirMembers) {
    GearDocument doc;
    doc.categoryList = {category("Unfiled", 0), category("Kitchen", 128)};
    const int g = doc.insertRecord(test::group("Kitchen", "Cook kit", {"4", "6"}, true));
    doc.record(g).members->at(1)->recordId = 41;
    doc.insertRecord(test::item("Kitchen", "Spoon", "0.5"));
    const auto collapsed = handheldItems(doc, handheldCategorySet(doc.categoryList));
    ASSERT_EQ(collapsed.size(), 3U);
    EXPECT_EQ(fieldText(collapsed[0].item), "Cook kit part 2") << "front to back";
    EXPECT_EQ(fieldText(collapsed[1].item), "Cook kit part 1");
    EXPECT_EQ(collapsed[1].recordId, 41);
    EXPECT_EQ(collapsed[1].selected, 1) << "checked like the group";
    EXPECT_EQ(collapsed[1].categoryIndex, 1);
    EXPECT_EQ(fieldText(collapsed[2].item), "Spoon");
    EXPECT_EQ(collapsed[2].selected, 0);

    const std::string before = serializeHandheldFile(doc);
    ASSERT_EQ(doc.toggleGroup(g), 2);
    EXPECT_EQ(serializeHandheldFile(doc), before) << "member rows are not written twice";
}

TEST(HandheldFile, ReadsBackToTheSameRows) {
    GearDocument doc = handheldDocument();
    doc.record(0).deleted = 1; // a row in the list is not deleted, whatever its flag said
    const std::string bytes = serializeHandheldFile(doc);

    GearDocument back;
    ASSERT_TRUE(parseGearData(asBytes(bytes), back).ok());
    EXPECT_TRUE(back.handheldDocument);
    EXPECT_EQ(back.handheldBlock, doc.handheldBlock);
    ASSERT_EQ(back.rowCount(), doc.rowCount());
    for (int r = 0; r < doc.rowCount(); ++r) {
        const sPubInfo& a = *doc.row(r).record;
        const sPubInfo& b = *back.row(r).record;
        EXPECT_EQ(fieldText(b.category), fieldText(a.category));
        EXPECT_EQ(fieldText(b.item), fieldText(a.item));
        EXPECT_EQ(fieldText(b.unitWeight), fieldText(a.unitWeight));
        EXPECT_EQ(fieldText(b.multiplier), fieldText(a.multiplier));
        EXPECT_EQ(fieldText(b.weight), fieldText(a.weight));
        EXPECT_EQ(fieldText(b.notes), fieldText(a.notes));
        EXPECT_EQ(back.row(r).checked(), doc.row(r).checked());
        EXPECT_EQ(b.recordId, a.recordId);
        EXPECT_EQ(b.deleted, 0);
        EXPECT_EQ(b.modified, a.modified);
    }
    ASSERT_EQ(back.categoryList.size(), 4U) << "the deleted category follows the set";
    EXPECT_EQ(back.categoryList[0].nameText(), "unfiled");
    EXPECT_EQ(back.categoryList[3].removed, 1);
    ASSERT_EQ(back.deletedRecords.size(), 1U);
    EXPECT_EQ(back.deletedRecords[0].recordId, 99);
    EXPECT_EQ(serializeHandheldFile(back), bytes) << "and writes the same bytes again";
}

TEST(HandheldFile, WritingMakesTheFoldersAndUpdatesTheDocument) {
    test::SettingsTempFolder dir;
    const auto path = dir / "Palm/Someone/Varnel/PalmData.dat";
    GearDocument doc = handheldDocument();
    const std::string expected = serializeHandheldFile(doc);

    const FileOutcome outcome = WriteHandheldFile(doc, path);
    ASSERT_TRUE(outcome.ok()) << outcome.reason;
    EXPECT_FALSE(outcome.message());
    EXPECT_EQ(test::readBytes(path), expected);
    EXPECT_EQ(doc.categoryList[0].nameText(), "unfiled");
    EXPECT_EQ(doc.record(0).categoryIndex, 1);
    EXPECT_EQ(doc.record(2).categoryIndex, 2);
    EXPECT_EQ(doc.record(0).selected, 1);
    EXPECT_EQ(serializeHandheldFile(doc), expected) << "a second save writes the same";

    test::writeBytes(dir / "file", "x");
    const FileOutcome failed = WriteHandheldFile(doc, dir / "file" / "PalmData.dat");
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.message(), (UserMessage{"Error Creating PalmData.dat file", "Varnel",
                                             MessageIcon::Exclamation}));
}

} // namespace
} // namespace varnel
