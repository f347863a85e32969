#include "model/DocumentSettings.h"
#include "model/ByteOrder.h"
#include "model/ProfileStruct.h"

#include <gtest/gtest.h>

#include <numeric>

namespace varnel {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string int32Hex(std::initializer_list<std::int32_t> values) {
    Bytes bytes(values.size() * 4);
    std::size_t at = 0;
    for (auto v : values) {
        putInt32(bytes.data() + at, v);
        at += 4;
    }
    return encodeProfileStruct(bytes);
}

IniFile parsed(const std::string& text) {
    IniFile ini;
    ini.parse(text);
    return ini;
}

DocumentSettings readFrom(const IniFile& ini, DocumentSettings settings = {}) {
    readDocumentSettings(ini, settings);
    return settings;
}

TEST(ColumnRecord, HasThePackedLittleEndianLayout) {
    unsigned char bytes[ColumnRecord::kSize];
    ColumnRecord{std::string(50, 'h'), ColumnRecord::kAlignCentre, 0x01020304}.encode(bytes);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 40), std::string(40, 'h'));
    EXPECT_EQ(bytes[40], 0);
    EXPECT_EQ(getInt32(bytes + 41), 2);
    EXPECT_EQ(bytes[45], 0x04);
    EXPECT_EQ(bytes[48], 0x01);

    bytes[40] = 'x'; // an unterminated heading stays inside its field
    const auto back = ColumnRecord::decode(bytes);
    EXPECT_EQ(back.heading, std::string(40, 'h'));
    EXPECT_EQ(back.order, 0x01020304);
}

TEST(LogFont, DefaultPrintingFontAndLayout) {
    EXPECT_EQ(mulDiv(10, 96, 72), 13);
    EXPECT_EQ(mulDiv(10, 120, 72), 17); // 16.67
    EXPECT_EQ(mulDiv(1, 3, 2), 2);      // halves round away from zero
    EXPECT_EQ(mulDiv(-1, 3, 2), -2);
    EXPECT_EQ(mulDiv(1, 1, 0), -1);

    const auto font = LogFont::defaultPrintingFont();
    EXPECT_EQ(font.lfHeight, -13);
    EXPECT_EQ(LogFont::defaultPrintingFont(144).lfHeight, -20);
    const auto bytes = font.encode();
    EXPECT_EQ(getInt32(bytes.data()), -13);
    EXPECT_TRUE(std::all_of(bytes.begin() + 4, bytes.begin() + 28, [](auto b) { return b == 0; }));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + 28)), "Courier New");

    LogFont odd = font;
    odd.lfWeight = 700;
    odd.lfItalic = 1;
    odd.lfPitchAndFamily = 0x31;
    odd.lfFaceName = std::string(40, 'F');
    const auto decoded = LogFont::decode(odd.encode().data());
    EXPECT_EQ(decoded.lfFaceName, std::string(31, 'F'));
    odd.lfFaceName.resize(31);
    EXPECT_EQ(decoded, odd);
}

TEST(DocumentSettings, NothingStoredGivesTheDefaults) {
    const auto s = readFrom(IniFile{});
    EXPECT_EQ(s, DocumentSettings{});
    EXPECT_EQ(s.fixedColumns[0].heading, "Category");
    EXPECT_EQ(s.fixedColumns[1].alignment, ColumnRecord::kAlignCentre);
    EXPECT_EQ(s.fixedColumns[2].heading, "Weight (oz)");
    EXPECT_EQ(s.columnWidths.size(), kColumnSlots);
    EXPECT_EQ(std::accumulate(s.columnWidths.begin(), s.columnWidths.end(), 0), 400);
    EXPECT_EQ(s.backColor, 0xE0FFFFu);
}

TEST(DocumentSettings, WritingGivesTheKnownKeysInOrder) {
    IniFile ini;
    writeDocumentSettings(ini, DocumentSettings{});
    const std::string text = ini.serialize();
    auto before = [&text](std::string_view a, std::string_view b) {
        return text.find(a) != std::string::npos && text.find(a) < text.find(b);
    };
    EXPECT_TRUE(before("[COLUMNS]\r\nMAINCOLDATA=", "\r\nCOLWIDTHS="));
    EXPECT_TRUE(before("\r\nCOLWIDTHS=" + int32Hex({100, 100, 100, 100}),
                       "\r\nCOLORDER=" + int32Hex({0, 1, 2, 3})));
    EXPECT_TRUE(before("COLORDER=", "\r\nUSERCOLS=0000000000\r\nCOLDATA=00\r\n"));
    EXPECT_TRUE(before("[COLORS]\r\nBACKCOLOR=FFFFE000DE\r\nALTCOLOR=FFFFC400C2\r\n"
                       "GROUPCOLOR=FF99000098\r\n",
                       "[MISC]\r\nOZ=0000\r\nTOTALCATS=0100000001\r\nTOTALAll=0100000001\r\n"
                       "PRINTNOTES=0100000001\r\nFONT="));
    EXPECT_TRUE(before("FONT=", "\r\nFONTSIZE=0A0000000A\r\n"));
    EXPECT_NE(text.find("[EXPORT]\r\nTEXTFILE=\r\nCOMMAFILE=\r\nHTMLFILE=\r\nXMLFILE=\r\n"
                        "EXPORTNOTES=0000000000\r\nTITLE=\r\nEXPORTCOLUMNS=0000000000\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("COORDS"), std::string::npos);
    DocumentSettings expected;
    expected.columnOrder = {0, 1, 2, 3};
    EXPECT_EQ(readFrom(ini), expected);
}

TEST(DocumentSettings, EverySettingRoundTrips) {
    DocumentSettings s;
    s.fixedColumns[0] = {"Kind", ColumnRecord::kAlignRight, 0};
    s.userColumns = 2;
    s.userColumnRecords = {{"Brand", ColumnRecord::kAlignLeft, 4}, {"Cost", 1, 5}};
    s.columnWidths[4] = 55;
    s.columnWidths[5] = 0x12345678; // raw; the list applies the low 16 bits
    s.columnOrder = {5, 0, 1, 2, 3, 4};
    s.backColor = 0x102030;
    s.coords = {{-5, 10, 700, 500}};
    s.metric = true;
    s.font.lfWeight = 400;
    s.fontSize = 12;
    s.totalAll = 0;
    s.textFile = "/home/a b/gear list.txt ";
    s.xmlFile = std::string(300, 'x'); // file names keep their full length
    s.exportNotes = 1;
    s.exportColumns = 1;
    s.title = "\"My\" trip";
    IniFile ini;
    writeDocumentSettings(ini, s);
    auto back = readFrom(parsed(ini.serialize()));
    EXPECT_EQ(back.fixedColumns[2].heading, "Weight (gm)");
    s.fixedColumns[2].heading = "Weight (gm)";
    EXPECT_EQ(back, s);

    s.title = std::string(100, 't');
    writeDocumentSettings(ini, s);
    EXPECT_EQ(readFrom(ini).title, std::string(80, 't'));
}

TEST(DocumentSettings, TheLighterPackNameIsStoredOnlyWhileSet) {
    const std::string stored = "[EXPORT]\r\nTEXTFILE=a.txt\r\nTITLE=Trip\r\n[OTHER]\r\nX=1\r\n";
    IniFile ini = parsed(stored);
    DocumentSettings s = readFrom(ini);
    EXPECT_EQ(s.lighterPackFile, "");
    writeDocumentSettings(ini, s);
    const std::string without = ini.serialize();
    EXPECT_EQ(without.find("LIGHTERPACKFILE"), std::string::npos);

    s.lighterPackFile = "/trips/pct lighterpack.csv";
    writeDocumentSettings(ini, s);
    EXPECT_NE(ini.serialize().find("EXPORTCOLUMNS=0000000000\r\nLIGHTERPACKFILE=/trips/pct "
                                   "lighterpack.csv\r\n"),
              std::string::npos);
    EXPECT_EQ(readFrom(parsed(ini.serialize())).lighterPackFile, "/trips/pct lighterpack.csv");

    // Cleared again, the file is byte for byte what it was without the name.
    s.lighterPackFile.clear();
    writeDocumentSettings(ini, s);
    EXPECT_EQ(ini.serialize(), without);
}

TEST(DocumentSettings, TheBaseGoalIsStoredOnlyWhileSetAndConverted) {
    IniFile ini = parsed("[EXPORT]\r\nTITLE=Trip\r\n");
    DocumentSettings s = readFrom(ini);
    writeDocumentSettings(ini, s);
    const std::string without = ini.serialize();
    s.baseGoal = "160.00";
    writeDocumentSettings(ini, s);
    EXPECT_NE(ini.serialize().find("[SUMMARY]\r\nBASEGOAL=160.00\r\n"), std::string::npos);
    EXPECT_EQ(readFrom(parsed(ini.serialize())).baseGoal, "160.00");
    s.baseGoal.clear();
    writeDocumentSettings(ini, s);
    EXPECT_EQ(ini.serialize(), without);

    EXPECT_EQ(goalValue(" 160.5 "), 160.5);
    for (const char* bad : {"", "abc", "12abc", "-1", "nan", "inf", "1e3", "1000000"}) {
        EXPECT_FALSE(goalValue(bad)) << bad;
    }
    EXPECT_EQ(convertedGoal("16.00", true), "454.00");
    EXPECT_EQ(convertedGoal("454.00", false), "16.00");
    EXPECT_EQ(convertedGoal("junk", true), "junk") << "kept as it is";
}

TEST(DocumentSettings, BlocksOfAnotherSizeLeaveTheValueUnchanged) {
    // COLWIDTHS written for 2 user columns while USERCOLS now says 3.
    const auto s = readFrom(parsed(
        "[COLUMNS]\nUSERCOLS=" + int32Hex({3}) + "\nCOLWIDTHS=" + int32Hex({1, 2, 3, 4, 5, 6}) +
        "\nCOLORDER=" + int32Hex({0, 1, 2, 3, 4, 5}) + "\n[MISC]\nFONTSIZE=0C0C\nCOORDS=" +
        int32Hex({1, 2, 3}) + "\nTOTALCATS=" + int32Hex({0}).substr(1) + "\n"));
    EXPECT_EQ(s.columnWidths, DocumentSettings::defaultColumnWidths());
    EXPECT_TRUE(s.columnOrder.empty());
    EXPECT_EQ(s.fontSize, 10);
    EXPECT_FALSE(s.coords);
    EXPECT_EQ(s.totalCats, 1);
    // Without definition records no user columns are shown, whatever USERCOLS says.
    EXPECT_EQ(s.userColumns, 0);
    EXPECT_TRUE(s.userColumnRecords.empty());
}

TEST(DocumentSettings, SettingsWithoutColumnRecordsDropThePreviousDocumentsColumns) {
    DocumentSettings previous;
    previous.userColumns = 2;
    previous.userColumnRecords = {{"Brand", 0, 4}, {"Price", 1, 5}};
    const auto s = readFrom(parsed("[COLUMNS]\nUSERCOLS=" + int32Hex({0}) + "\n"), previous);
    EXPECT_EQ(s.userColumns, 0);
    EXPECT_TRUE(s.userColumnRecords.empty());
    const auto t = readFrom(parsed("[MISC]\nFONTSIZE=" + int32Hex({9}) + "\n"), previous);
    EXPECT_EQ(t.userColumns, 0) << "no records from another document";
    EXPECT_TRUE(t.userColumnRecords.empty());
}

TEST(DocumentSettings, StoredDisplayPositionsStandInForAMissingOrder) {
    DocumentSettings stored;
    stored.userColumns = 2;
    stored.userColumnRecords = {{"Brand", 0, 0}, {"Price", 0, 3}};
    stored.columnWidths = {100, 100, 100, 100, 50, 50};
    IniFile ini;
    writeDocumentSettings(ini, stored);
    ini.removeKey("COLUMNS", "COLORDER");
    EXPECT_EQ(readFrom(ini).columnOrder, (std::vector<std::int32_t>{4, 0, 1, 5, 2, 3}));
    // A refused order (not a permutation) falls back the same way.
    ini.writeString("COLUMNS", "COLORDER", int32Hex({0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(readFrom(ini).columnOrder, (std::vector<std::int32_t>{4, 0, 1, 5, 2, 3}));
    // Positions that collide, or the natural order, give no order at all.
    EXPECT_TRUE(orderFromColumnRecords({{"a", 0, 4}, {"b", 0, 4}}).empty());
    EXPECT_TRUE(orderFromColumnRecords({{"a", 0, 4}, {"b", 0, 5}}).empty());
    EXPECT_TRUE(orderFromColumnRecords({{"a", 0, 9}}).empty());
}

TEST(DocumentSettings, WeightHeadingFollowsOzWhateverMainColDataHolds) {
    DocumentSettings stored;
    stored.fixedColumns[2].heading = "Weight (oz)";
    IniFile ini;
    writeDocumentSettings(ini, stored);
    ini.writeString("MISC", "OZ", "0101");
    EXPECT_EQ(readFrom(ini).fixedColumns[2].heading, "Weight (gm)");
    EXPECT_EQ(weightHeading(true), "Weight (gm)");

    DocumentSettings metric;
    metric.metric = true;
    ini.writeString("MISC", "OZ", "0202"); // any non-zero byte is grams, as writing makes it 1
    EXPECT_TRUE(readFrom(ini).metric);
    ini.removeKey("MISC", "OZ"); // no OZ means ounces, whatever was in memory
    EXPECT_FALSE(readFrom(ini, metric).metric);
    EXPECT_EQ(readFrom(ini, metric).fixedColumns[2].heading, "Weight (oz)");
}

TEST(DocumentSettings, HostileValuesAreNotTaken) {
    for (std::int32_t count : {-1, 253, 0x7FFFFFFF}) {
        const auto s = readFrom(parsed("[COLUMNS]\nUSERCOLS=" + int32Hex({count}) +
                                       "\n[COLORS]\nBACKCOLOR=" + int32Hex({0}) +
                                       "\nALTCOLOR=" + int32Hex({0x123456}) + "\n"));
        EXPECT_EQ(s.userColumns, 0) << count;
        EXPECT_EQ(s.backColor, kDefaultBackColor);
        EXPECT_EQ(s.altColor, 0x123456u);
    }
    // An order that is not a permutation of the columns would scramble the view.
    const auto s = readFrom(parsed("[COLUMNS]\nCOLORDER=" + int32Hex({0, 0, 1, 2}) + "\n"));
    EXPECT_TRUE(s.columnOrder.empty());

    DocumentSettings huge;
    huge.userColumns = 100000;
    huge.columnWidths.clear();
    IniFile ini;
    writeDocumentSettings(ini, huge);
    const auto back = readFrom(ini);
    EXPECT_EQ(back.userColumns, kMaxUserColumns);
    EXPECT_EQ(back.columnWidths, std::vector<std::int32_t>(kColumnSlots, 0));
}

TEST(DocumentSettings, SettingsPathSitsBesideTheDocument) {
    EXPECT_EQ(documentSettingsPath("/d/trip.dat", "/cwd"), "/d/trip.ini");
    EXPECT_EQ(documentSettingsPath("/d/trip", "/cwd"), "/d/trip.ini");
    EXPECT_EQ(documentSettingsPath("", "/cwd"), "/cwd/GearData.ini");
}

} // namespace
} // namespace varnel
