#include "model/GearDataReader.h"
#include "model/FixedText.h"
#include "model/GearDataWriter.h"
#include "model/ItemEditing.h"

#include "Fifo.h"
#include "GearDataBytes.h"
#include "SettingsTempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace varnel {
namespace {

using namespace testbytes;
using namespace std::string_literals;

const std::string kV511 = "Varnel data file. Version 5.11\r\n";
const std::string kV5 = "Varnel data file. Version 5\r\n";
const std::string kV4 = "Varnel data file. Version 4\r\n";
const std::string kV60 = "Varnel data file. Version 6.0\r\n";

FileOutcome parse(const std::string& bytes, GearDocument& doc) {
    return parseGearData(asBytes(bytes), doc);
}

template <std::size_t N> std::string text(const char (&field)[N]) {
    return std::string(fieldText(field));
}

std::vector<std::string> itemsOf(const GearDocument& doc) {
    std::vector<std::string> out;
    for (const GearRow& row : doc.rows()) {
        out.push_back(text(row.record->item));
    }
    return out;
}

std::vector<std::string> membersOf(const sPubInfo& group) {
    std::vector<std::string> out;
    group.members->forEach([&](const sPubInfo& m) { out.push_back(text(m.item)); });
    return out;
}

std::vector<std::string> textsOf(const sPubInfo& r) {
    std::vector<std::string> out;
    for (int i = 1; r.columnTexts && i <= r.columnTexts->count(); ++i) {
        out.push_back(*r.columnTexts->at(i));
    }
    return out;
}

Fields named(std::string item, std::uint8_t inGroup = 0) {
    return {.category = "Cook", .item = std::move(item), .weight = "1.00", .inGroup = inGroup};
}

// A group "Kitchen" with members Pot then Stove in file order, row texts, and an item "Zed".
std::string file511() {
    return kV511 + "Cook\r\nUnfiled\r\n\r\n" + row(named("Kitchen")) + int32(2) +
           member(named("Pot", 1)) + texts({"steel"}) + member(named("Stove", 1)) + texts({}) +
           texts({"r1", "r2"}) + row(named("Zed")) + int32(0) + texts({});
}

TEST(GearDataReader, OldestFormatHasBareRecords) {
    GearDocument doc;
    const std::string bytes = "Varnel data file\r\nFood\r\n\r\n" +
                              oldRecord("Food", "Bar", "1.50", "snack", 1) +
                              oldRecord("Food", "Apple", "0.5", "", 0) + std::string(50, 'z');
    ASSERT_TRUE(parse(bytes, doc).ok());
    ASSERT_EQ(itemsOf(doc), (std::vector<std::string>{"Apple", "Bar"}));
    const sPubInfo& bar = *doc.row(1).record;
    EXPECT_EQ(text(bar.unitWeight), "1.50");
    EXPECT_EQ(text(bar.weight), "1.50");
    EXPECT_EQ(text(bar.multiplier), "1");
    EXPECT_EQ(text(bar.notes), "snack");
    EXPECT_TRUE(doc.row(1).checked());
    EXPECT_FALSE(doc.row(0).checked());
}

TEST(GearDataReader, Version4HasGroupsButNoTexts) {
    GearDocument doc;
    Fields group = named("Kitchen", 1);
    group.expanded = 1;
    const std::string bytes = kV4 + "Cook\r\n\r\n" + row(group) + int32(2) +
                              member(named("Pot", 1)) + member(named("Stove", 0)) +
                              row(named("Zed")) + int32(0);
    ASSERT_TRUE(parse(bytes, doc).ok());
    ASSERT_EQ(itemsOf(doc), (std::vector<std::string>{"Kitchen", "Zed"}));
    const sPubInfo& g = *doc.row(0).record;
    ASSERT_TRUE(g.members);
    EXPECT_EQ(membersOf(g), (std::vector<std::string>{"Stove", "Pot"})) << "each add goes first";
    g.members->forEach([&](const sPubInfo& m) { EXPECT_EQ(m.group, &g); });
    EXPECT_EQ(g.members->at(1)->inGroup, 1);
    EXPECT_EQ(g.members->at(2)->inGroup, 1) << "a member stored as not in a group still is one";
    EXPECT_EQ(g.expanded, 0) << "groups are collapsed when read";
    EXPECT_EQ(g.inGroup, 0) << "a top-level row is in no group";
    EXPECT_FALSE(g.columnTexts);
    ASSERT_EQ(doc.groupNames.count(), 1);
    EXPECT_EQ(*doc.groupNames.at(1), "Kitchen");
}

TEST(GearDataReader, AGroupNameIsListedOnceHoweverOftenItIsRead) {
    const std::string kitchen = row(named("Kitchen")) + int32(1) + member(named("Pot", 1));
    GearDocument doc;
    doc.groupNames.add(std::make_unique<std::string>("Earlier"));
    for (int read = 0; read < 2; ++read) { // Save As reads the file again
        doc.clearForReload();
        ASSERT_TRUE(parse(kV4 + "\r\n" + kitchen + kitchen, doc).ok()); // two of one name
    }
    EXPECT_EQ(doc.groupNames.count(), 2);
    deleteRows(doc, {0});
    EXPECT_NE(doc.groupNames.find("Kitchen"), nullptr) << "the other group keeps it";
    deleteRows(doc, {0});
    EXPECT_EQ(doc.groupNames.find("Kitchen"), nullptr);
    EXPECT_NE(doc.groupNames.find("Earlier"), nullptr);
}

TEST(GearDataReader, AStoredGroupWeightGivesWayToTheMembers) {
    GearDocument doc;
    Fields group = named("Kitchen");
    group.groupWeight = "159.00";
    group.selected = 1;
    ASSERT_TRUE(parse(kV4 + "\r\n" + row(group) + int32(2) + member(named("Pot", 1)) +
                          member(named("Lid", 1)),
                      doc)
                    .ok());
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 3.0F) << "its own 1.00 and two members";
    doc.clearSelected();
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 0.0F);
}

TEST(GearDataReader, Version5HasRowTextsOnly) {
    GearDocument doc;
    const std::string bytes = kV5 + "\r\n" + row(named("Kitchen")) + int32(1) +
                              member(named("Pot", 1)) + texts({"r1", "r2"}) + row(named("Zed")) +
                              int32(0) + texts({"z"});
    ASSERT_TRUE(parse(bytes, doc).ok());
    ASSERT_EQ(itemsOf(doc), (std::vector<std::string>{"Kitchen", "Zed"}));
    EXPECT_EQ(textsOf(*doc.row(0).record), (std::vector<std::string>{"r1", "r2"}));
    EXPECT_TRUE(textsOf(*doc.row(0).record->members->at(1)).empty());
    EXPECT_EQ(textsOf(*doc.row(1).record), (std::vector<std::string>{"z"}));
}

TEST(GearDataReader, MemberTextsFromVersion57On) {
    for (const char* version : {"5.7", "5.8", "5.9", "5.11"}) {
        SCOPED_TRACE(version);
        GearDocument doc;
        const std::string bytes = "Varnel data file. Version " + std::string(version) + "\r\n\r\n" +
                                  row(named("Kitchen")) + int32(1) + member(named("Pot", 1)) +
                                  texts({"m1", "m2"}) + texts({"r1"});
        ASSERT_TRUE(parse(bytes, doc).ok());
        ASSERT_EQ(doc.rowCount(), 1);
        const sPubInfo& g = *doc.row(0).record;
        EXPECT_EQ(textsOf(*g.members->at(1)), (std::vector<std::string>{"m1", "m2"}));
        EXPECT_EQ(textsOf(g), (std::vector<std::string>{"r1"}));
    }
}

TEST(GearDataReader, HandheldFile) {
    GearDocument doc;
    Fields bar{.category = "Food",
               .item = "Bar",
               .unitWeight = "1",
               .weight = "2.00",
               .selected = 5,
               .multiplier = "2",
               .recordId = 11,
               .categoryIndex = 1};
    Fields gone = named("Gone");
    gone.deleted = 1;
    gone.recordId = 12;
    const std::string bytes = kV60 + int32(3) + "abc" + int32(2) + categoryRecord("Unfiled", 0) +
                              categoryRecord("Food", 130) + handheldRecord(bar) +
                              handheldRecord(gone) + std::string(100, 'q');
    ASSERT_TRUE(parse(bytes, doc).ok());
    EXPECT_TRUE(doc.handheldDocument);
    EXPECT_EQ(std::string(doc.handheldBlock.begin(), doc.handheldBlock.end()), "abc");
    ASSERT_EQ(doc.categoryList.size(), 2U);
    EXPECT_EQ(doc.categoryList[1].id, 130);
    EXPECT_EQ(doc.categoryChoices, (std::vector<CategoryChoice>{{"Unfiled", 0}, {"Food", 130}}));
    EXPECT_EQ(doc.nextCategoryId, kFirstCategoryId + 2);
    ASSERT_EQ(itemsOf(doc), (std::vector<std::string>{"Bar"}));
    const sPubInfo& r = *doc.row(0).record;
    EXPECT_EQ(r.selected, 1);
    EXPECT_EQ(text(r.multiplier), "2");
    EXPECT_EQ(text(r.weight), "2.00");
    EXPECT_EQ(r.recordId, 11);
    ASSERT_EQ(doc.deletedRecords.size(), 1U);
    EXPECT_EQ(doc.deletedRecords[0].recordId, 12);

    GearDocument blockOnly;
    blockOnly.categoryList.emplace_back("Kept", 128);
    ASSERT_TRUE(parse(kV60 + int32(2) + "xy", blockOnly).ok());
    EXPECT_EQ(blockOnly.handheldBlock.size(), 2U);
    EXPECT_EQ(blockOnly.categoryList.size(), 1U) << "a file that ends after its block";
}

TEST(GearDataReader, RefusedFiles) {
    GearDocument doc;
    const FileOutcome missing =
        readGearDataFile(std::filesystem::temp_directory_path() / "varnel-missing.dat", doc);
    EXPECT_EQ(missing.status, FileOutcome::Status::CannotOpen);
    EXPECT_FALSE(missing.message());

    // There but not readable as a file: said, naming the file, and never waited on.
    test::SettingsTempFolder dir;
    test::makeFifo(dir / "fifo.dat");
    std::filesystem::create_directory(dir / "folder.dat");
    for (const auto& [name, reason] :
         {std::pair{"fifo.dat", "Not a regular file"}, std::pair{"folder.dat", "Is a directory"}}) {
        SCOPED_TRACE(name);
        FileOutcome refused;
        EXPECT_TRUE(test::returnsWithoutBlocking(
            {dir / "fifo.dat"}, [&] { refused = readGearDataFile(dir / name, doc); }));
        EXPECT_EQ(refused.status, FileOutcome::Status::Refused);
        EXPECT_EQ(refused.message(),
                  (UserMessage{"Cannot read " + (dir / name).string() + ": " + reason + ".",
                               "Varnel", MessageIcon::Exclamation}));
    }

    const UserMessage notVarnel{"Not a Varnel data file", "GearData.dat", MessageIcon::Stop};
    for (const std::string& bytes :
         {std::string(), "Gear file\r\nFood\r\n\r\n"s, std::string(59, 'x') + "Varnel\r\n"}) {
        const FileOutcome outcome = parse(bytes, doc);
        EXPECT_EQ(outcome.status, FileOutcome::Status::NotVarnel);
        EXPECT_EQ(outcome.message(), notVarnel);
    }
    const FileOutcome v3 = parse("Varnel data file. Version 3\r\nFood\r\n\r\n", doc);
    EXPECT_EQ(v3.status, FileOutcome::Status::Version3);
    EXPECT_EQ(v3.message(), (UserMessage{"Version 5 requires a GearData.dat file in version 4 "
                                         "or 5 format",
                                         "Varnel", MessageIcon::Stop}));
    EXPECT_EQ(doc.rowCount(), 0);
    EXPECT_TRUE(doc.categoryChoices.empty());
}

TEST(GearDataReader, ShortReadsKeepWhatWasRead) {
    const std::string start = kV511 + "\r\n" + row(named("A")) + int32(0) + texts({});
    struct Case {
        const char* name;
        std::string tail;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"short row", row(named("B")).substr(0, 100), {"A"}},
        {"row without count", row(named("B")), {"A", "B"}},
        {"negative member count", row(named("B")) + int32(-1) + row(named("C")), {"A", "B"}},
        {"huge member count", row(named("B")) + int32(1 << 30) + row(named("C")), {"A", "B"}},
        {"huge text count", row(named("B")) + int32(0) + int32(999999) + "t\r\n", {"A", "B"}},
        {"negative text count",
         row(named("B")) + int32(0) + int32(-3) + row(named("C")),
         {"A", "B"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GearDocument doc;
        const FileOutcome outcome = parse(start + c.tail, doc);
        ASSERT_TRUE(outcome.ok());
        EXPECT_TRUE(outcome.truncated) << "a cut-short file is said to be one";
        EXPECT_EQ(outcome.itemsRead, c.rows.size());
        EXPECT_EQ(itemsOf(doc), c.rows);
        if (doc.rowCount() == 2) {
            EXPECT_FALSE(doc.row(1).record->members);
            EXPECT_FALSE(doc.row(1).record->columnTexts);
        }
    }

    // A short member is dropped; the members before it stay with their group.
    GearDocument doc;
    ASSERT_TRUE(parse(start + row(named("G")) + int32(3) + member(named("M1", 1)) + texts({"m"}) +
                          member(named("M2", 1)).substr(0, 200),
                      doc)
                    .ok());
    ASSERT_EQ(itemsOf(doc), (std::vector<std::string>{"A", "G"}));
    EXPECT_EQ(membersOf(*doc.row(1).record), (std::vector<std::string>{"M1"}));
    EXPECT_EQ(textsOf(*doc.row(1).record->members->at(1)), (std::vector<std::string>{"m"}));
}

TEST(GearDataReader, FeaturesComeFromEachHeaderAlone) {
    const std::string v4 = kV4 + "\r\n" + row(named("A")) + int32(0) + row(named("B")) + int32(0);
    GearDocument doc;
    for (const std::string& bytes : {file511(), v4, file511()}) {
        doc.clearForReload();
        doc.resetCollections();
        ASSERT_TRUE(parse(bytes, doc).ok());
        EXPECT_EQ(itemsOf(doc), bytes == v4 ? (std::vector<std::string>{"A", "B"})
                                            : (std::vector<std::string>{"Kitchen", "Zed"}));
    }
}

TEST(GearDataReader, CategoryLines) {
    GearDocument doc;
    ASSERT_TRUE(parse(kV511 + "Shelter\r\nunfiled\r\nUNFILED\r\nFood\r\n\r\n", doc).ok());
    EXPECT_EQ(doc.categoryChoices,
              (std::vector<CategoryChoice>{
                  {"Shelter", 128}, {"unfiled", 0}, {"UNFILED", 0}, {"Food", 129}}));
    EXPECT_EQ(doc.categoryList.size(), 4U);
    EXPECT_EQ(doc.nextCategoryId, 131) << "one more after the section";

    GearDocument last;
    ASSERT_TRUE(parse(kV511 + "Shelter\r\nCooking", last).ok());
    EXPECT_EQ(last.categoryChoices,
              (std::vector<CategoryChoice>{{"Shelter", 128}, {"Cooki", 129}}));

    // A line longer than a read is taken in pieces; the piece's last two characters go.
    GearDocument longLine;
    ASSERT_TRUE(parse(kV511 + std::string(62, 'c') + "\r\n\r\n", longLine).ok());
    EXPECT_EQ(longLine.categoryChoices,
              (std::vector<CategoryChoice>{{std::string(57, 'c'), 128}, {"ccc", 129}}));
    EXPECT_EQ(longLine.categoryList[0].nameText(), std::string(16, 'c'));
}

TEST(GearDataReader, UnterminatedFieldsAndLongLinesStayInside) {
    GearDocument doc;
    std::string r = row(named("x"));
    putAt(r, 21, std::string(41, 'i'));
    putAt(r, 82, std::string(51, 'n'));
    ASSERT_TRUE(
        parse(kV511 + "\r\n" + r + int32(0) + int32(2) + std::string(60, 'a') + "\r\n", doc).ok());
    ASSERT_EQ(doc.rowCount(), 1);
    const sPubInfo& rec = *doc.row(0).record;
    EXPECT_EQ(text(rec.item), std::string(40, 'i'));
    EXPECT_EQ(text(rec.notes), std::string(50, 'n'));
    EXPECT_EQ(textsOf(rec), (std::vector<std::string>{std::string(47, 'a'), std::string(11, 'a')}));
}

TEST(GearDataReader, EveryPrefixAndRandomBytesReadSafely) {
    Fields hh = named("Bar");
    const std::string handheld = kV60 + int32(2) + "ab" + int32(1) + categoryRecord("Food", 130) +
                                 handheldRecord(hh) + handheldRecord(hh);
    const std::string oldest = "Varnel\r\nA\r\n\r\n" + oldRecord("A", "b", "1", "", 1);
    for (const std::string& file : {file511(), handheld, oldest}) {
        for (std::size_t n = 0; n <= file.size(); ++n) {
            GearDocument doc;
            parse(file.substr(0, n), doc);
            ASSERT_LE(doc.rowCount(), 2);
        }
        GearDocument whole;
        EXPECT_FALSE(parse(file, whole).truncated);
        // A file cut anywhere inside its last record says so.
        GearDocument cut;
        const FileOutcome outcome = parse(file.substr(0, file.size() - 1), cut);
        EXPECT_TRUE(outcome.truncated);
        EXPECT_EQ(outcome.itemsRead, static_cast<std::size_t>(cut.rowCount()));
    }
    FileOutcome cutShort;
    cutShort.truncated = true;
    cutShort.itemsRead = 3;
    EXPECT_EQ(cutShort.truncationMessage("/trail/GearData.dat"),
              (UserMessage{"/trail/GearData.dat ends in the middle of an item: only the first 3 "
                           "items could be read.\n\nVarnel will ask before it saves over this "
                           "file.",
                           "Varnel", MessageIcon::Exclamation}));
    EXPECT_FALSE(FileOutcome{}.truncationMessage("x"));

    std::mt19937 rng(7);
    for (int i = 0; i < 3000; ++i) {
        const std::string& header = i % 2 ? kV511 : kV60;
        std::string bytes = header;
        bytes.resize(header.size() + rng() % 2000);
        for (std::size_t j = header.size(); j < bytes.size(); ++j) {
            bytes[j] = static_cast<char>(rng() % 4 ? rng() % 8 : rng());
        }
        GearDocument doc;
        parse(bytes, doc);
    }
}

// Saved files come back in list order, which loads without a sort: the result must still be
// what inserting the rows one by one gives, equal keys in any letter case included.
TEST(GearDataReader, FileInListOrderLoadsAsOneByOneInsertion) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"Food", "apple"}, {"food", "Apple"}, {"FOOD", "APPLE"}, {"Food", "bar"},
        {"Water", "x"},    {"water", "X"},    {"Water", "y"}};
    std::string bytes = kV511 + "\r\n";
    GearDocument one;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Fields f{.category = rows[i].first, .item = rows[i].second, .notes = std::to_string(i)};
        bytes += row(f) + int32(0) + texts({});
        auto r = std::make_unique<sPubInfo>();
        setField(r->category, f.category);
        setField(r->item, f.item);
        setField(r->notes, f.notes);
        one.insertRecord(std::move(r));
    }
    GearDocument loaded;
    ASSERT_TRUE(parse(bytes, loaded).ok());
    ASSERT_EQ(loaded.rowCount(), one.rowCount());
    for (int r = 0; r < one.rowCount(); ++r) {
        EXPECT_EQ(text(loaded.row(r).record->notes), text(one.row(r).record->notes)) << r;
    }
}

// A file is read a window at a time: records, counts and text lines cut by the window's edges,
// a file cut short anywhere, and one read whole from memory all give the same document.
TEST(GearDataReader, FileReadInPiecesMatchesTheBytesInMemory) {
    std::string bytes = kV511 + "Cook\r\nSleep\r\n\r\n";
    for (int i = 0; bytes.size() < 3 * (std::size_t{256} << 10) + 1000; ++i) {
        Fields f = named("Item " + std::to_string(i * 7919 % 10007));
        f.category = i % 2 ? "Cook" : "sleep";
        f.selected = static_cast<std::uint8_t>(i % 2);
        bytes += row(f);
        if (i % 5 == 0) {
            bytes += int32(2) + member(named("Pot", 1)) + texts({std::string(i % 48, 'm')}) +
                     member(named("Lid", 1)) + texts({});
        } else {
            bytes += int32(0);
        }
        bytes += texts({std::string(i % 47, 't'), "x"});
    }
    const auto path = std::filesystem::temp_directory_path() / "varnel-pieces.dat";
    for (const std::size_t cut : {bytes.size(), bytes.size() - 1, std::size_t{256} << 10,
                                  (std::size_t{256} << 10) + 3, (std::size_t{512} << 10) - 100}) {
        const std::string part = bytes.substr(0, cut);
        {
            std::ofstream out(path, std::ios::binary);
            out << part;
        }
        GearDocument fromFile;
        GearDocument inMemory;
        const FileOutcome a = readGearDataFile(path, fromFile);
        const FileOutcome b = parse(part, inMemory);
        ASSERT_TRUE(a.ok());
        EXPECT_EQ(a.truncated, b.truncated) << cut;
        EXPECT_FALSE(a.truncated && cut == bytes.size());
        EXPECT_EQ(a.itemsRead, b.itemsRead) << cut;
        EXPECT_GT(fromFile.rowCount(), 600);
        EXPECT_EQ(fromFile.selectedTotal(), inMemory.selectedTotal());
        EXPECT_EQ(serializeGearData(fromFile), serializeGearData(inMemory)) << cut;
    }
    std::filesystem::remove(path);
}

TEST(GearDataReader, WriteReadWriteGivesTheSameBytes) {
    // Canonical bytes: rows in list order, groups collapsed, one member per group, group
    // weights as the members make them.
    Fields kitchen = named("Kitchen");
    kitchen.groupWeight = "2.00";
    const std::string file = kV511 + "Cook\r\n\r\n" + row(kitchen) + int32(1) +
                             member(named("Pot", 1)) + texts({"steel", ""}) + texts({"r1"}) +
                             row(named("Zed")) + int32(0) + texts({});
    GearDocument doc;
    ASSERT_TRUE(parse(file, doc).ok());
    EXPECT_EQ(serializeGearData(doc), file);

    // With more members each load reverses them, so two round trips come back to the start.
    GearDocument first;
    ASSERT_TRUE(parse(file511(), first).ok());
    const std::string once = serializeGearData(first);
    EXPECT_EQ(membersOf(*first.row(0).record), (std::vector<std::string>{"Stove", "Pot"}));
    GearDocument second;
    ASSERT_TRUE(parse(once, second).ok());
    EXPECT_EQ(membersOf(*second.row(0).record), (std::vector<std::string>{"Pot", "Stove"}));
    const std::string twice = serializeGearData(second);
    EXPECT_EQ(twice.size(), once.size());
    GearDocument third;
    ASSERT_TRUE(parse(twice, third).ok());
    EXPECT_EQ(serializeGearData(third), once);

    const auto path = std::filesystem::temp_directory_path() / "varnel-roundtrip.dat";
    ASSERT_TRUE(writeGearDataFile(path, third).ok());
    GearDocument fromDisk;
    ASSERT_TRUE(readGearDataFile(path, fromDisk).ok());
    EXPECT_EQ(serializeGearData(fromDisk), twice);
    std::filesystem::remove(path);
}

} // namespace
} // namespace varnel
