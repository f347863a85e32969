#include "model/GearDataWriter.h"
#include "model/FixedText.h"

#include "GearDataBytes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace varnel {
namespace {

using namespace testbytes;

const std::string kHeader = "Varnel data file. Version 5.11\r\n";

std::unique_ptr<sPubInfo> item(std::string_view category, std::string_view name,
                               std::string_view weight, bool selected = false) {
    auto r = std::make_unique<sPubInfo>();
    setField(r->category, category);
    setField(r->item, name);
    setField(r->unitWeight, weight);
    setField(r->weight, weight);
    r->selected = selected ? 1 : 0;
    return r;
}

void addTexts(sPubInfo& r, std::initializer_list<std::string> texts) {
    r.columnTexts = std::make_unique<CMMIList<std::string>>();
    for (const auto& t : texts) {
        r.columnTexts->add(std::make_unique<std::string>(t));
    }
}

TEST(GearDataWriter, EmptyDocumentIsHeaderAndEmptyLine) {
    GearDocument doc;
    const std::string bytes = serializeGearData(doc);
    EXPECT_EQ(bytes, kHeader + "\r\n");
    EXPECT_EQ(bytes.size(), kHeader.size() + 2);
}

TEST(GearDataWriter, OrdinaryItemIsRowBytesAndTwoZeroCounts) {
    GearDocument doc;
    doc.categoryChoices = {{"Shelter", 128}, {"Unfiled", 0}};
    auto r = item("Shelter", "Tent", "40.5", true);
    setField(r->notes, "two person");
    setField(r->multiplier, "2");
    setField(r->weight, "81.00");
    r->recordId = 77; // past the 241 bytes: not written for a row
    // Bytes after a terminator are stored as the field holds them.
    r->groupWeight[5] = 'x';
    doc.insertRecord(std::move(r));

    std::string row = record({.category = "Shelter",
                              .item = "Tent",
                              .unitWeight = "40.5",
                              .weight = "81.00",
                              .notes = "two person",
                              .selected = 1,
                              .multiplier = "2"},
                             241);
    row[139 + 5] = 'x';
    const std::string expected = kHeader + "Shelter\r\nUnfiled\r\n\r\n" + row + int32(0) + int32(0);
    const std::string bytes = serializeGearData(doc);
    EXPECT_EQ(bytes.size(), expected.size());
    EXPECT_EQ(bytes, expected);
}

TEST(GearDataWriter, CheckMarkAndCollapsedStateAreWrittenNotTheRecordsFlags) {
    GearDocument doc;
    auto group = item("Cook", "Kitchen", "0");
    group->selected = 1;
    group->expanded = 1;
    group->members = std::make_unique<CMMIList<sPubInfo>>();
    const int g = doc.insertRecord(std::move(group));
    doc.setChecked(g, false);

    const std::string bytes = serializeGearData(doc);
    const std::size_t rowStart = kHeader.size() + 2;
    EXPECT_EQ(bytes[rowStart + 133], 0);
    EXPECT_EQ(bytes[rowStart + 236], 0);
    EXPECT_EQ(doc.row(g).record->expanded, 1) << "the record in memory keeps its state";
    EXPECT_EQ(doc.row(g).record->selected, 1);
}

TEST(GearDataWriter, GroupWritesMembersNewestFirstWithTheirTexts) {
    GearDocument doc;
    auto group = item("Cook", "Kitchen", "0.00", true);
    setField(group->collapsedLabel, "+ Kitchen");
    setField(group->expandedLabel, "- Kitchen");
    setField(group->groupWeight, "8.00");
    group->members = std::make_unique<CMMIList<sPubInfo>>();
    auto a = item("Cook", "Pot", "5.00");
    a->inGroup = 1;
    a->recordId = 9;
    addTexts(*a, {"steel"});
    auto b = item("Cook", "Stove", "3.00");
    b->inGroup = 1;
    a->group = b->group = group.get();
    group->members->add(std::move(a));
    group->members->add(std::move(b));
    addTexts(*group, {"one", "two"});
    doc.insertRecord(std::move(group));
    // A member row on show is not a top-level row of the file.
    auto shown = item("Cook", "Stove", "3.00");
    shown->inGroup = 1;
    doc.insertRecord(std::move(shown));

    const std::string expected = kHeader + "\r\n" +
                                 row({.category = "Cook",
                                      .item = "Kitchen",
                                      .unitWeight = "0.00",
                                      .weight = "0.00",
                                      .selected = 1,
                                      .groupWeight = "8.00",
                                      .collapsedLabel = "+ Kitchen",
                                      .expandedLabel = "- Kitchen"}) +
                                 int32(2) +
                                 member({.category = "Cook",
                                         .item = "Stove",
                                         .unitWeight = "3.00",
                                         .weight = "3.00",
                                         .inGroup = 1}) +
                                 int32(0) +
                                 member({.category = "Cook",
                                         .item = "Pot",
                                         .unitWeight = "5.00",
                                         .weight = "5.00",
                                         .inGroup = 1,
                                         .recordId = 9}) +
                                 texts({"steel"}) + texts({"one", "two"});
    const std::string bytes = serializeGearData(doc);
    EXPECT_EQ(bytes.size(), expected.size());
    EXPECT_EQ(bytes, expected);
}

TEST(GearDataWriter, TextsAndCategoryNamesAreKeptReadable) {
    GearDocument doc;
    doc.categoryChoices = {{"", 128}, {"\rodd", 129}, {"Two\nlines", 130}, {"Food", 131}};
    auto r = item("Food", "Bar", "1");
    addTexts(*r, {std::string(50, 'a'), "line\nbreak", std::string(47, 'b')});
    doc.insertRecord(std::move(r));

    const std::string bytes = serializeGearData(doc);
    // Names that would end the section early are left out; the rest stay one line each.
    const std::string categories = "Two\r\nFood\r\n\r\n";
    EXPECT_EQ(bytes.substr(kHeader.size(), categories.size()), categories);
    const std::string tail = texts({std::string(47, 'a'), "line", std::string(47, 'b')});
    EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
}

TEST(GearDataWriter, WriteFailureGivesTheSystemTextInAnErrorBox) {
    GearDocument doc;
    const auto path = std::filesystem::temp_directory_path() / "varnel-no-such-dir" / "x.dat";
    const FileOutcome outcome = writeGearDataFile(path, doc);
    ASSERT_FALSE(outcome.ok());
    const auto message = outcome.message();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, std::system_category().message(ENOENT));
    EXPECT_EQ(message->caption, "Error");
    EXPECT_EQ(message->icon, MessageIcon::Exclamation);
}

} // namespace
} // namespace varnel
