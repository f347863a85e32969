#include "model/SettingsMigration.h"
#include "SettingsTempFolder.h"
#include "model/AppSettings.h"
#include "model/ByteOrder.h"
#include "model/MemoryRegistry.h"
#include "model/StartupFiles.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

namespace fs = std::filesystem;
using Steps = std::vector<std::string>;
const std::string kDialog(kWeightDialogStep);

std::vector<std::uint8_t> int32Bytes(std::initializer_list<std::int32_t> values) {
    std::vector<std::uint8_t> bytes(values.size() * 4);
    std::size_t at = 0;
    for (auto v : values) {
        putInt32(bytes.data() + at, v);
        at += 4;
    }
    return bytes;
}

DocumentSettings readBack(const IniFile& ini) {
    DocumentSettings s;
    readDocumentSettings(ini, s);
    return s;
}

TEST(StartupFiles, FirstRunInAnEmptyFolderWritesTheColoursThenMigratesOnce) {
    test::SettingsTempFolder dir;
    MemoryRegistry registry;
    auto files = chooseStartupFiles(dir.path(), registry);
    EXPECT_EQ(files.settingsFile, dir / "GearData.ini");
    EXPECT_EQ(files.documentFile, dir / "GearData.dat");
    EXPECT_FALSE(files.settingsExisted);
    EXPECT_FALSE(files.error);
    EXPECT_EQ(
        test::readBytes(dir / "GearData.ini"),
        "[COLORS]\r\nBACKCOLOR=FFFFE000DE\r\nALTCOLOR=FFFFC400C2\r\nGROUPCOLOR=FF99000098\r\n");

    int asked = 0;
    const auto report = migrateSettings(registry, files.settings, DocumentSettings{}, [&asked] {
        ++asked;
        return true;
    });
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(report.registryFound);
    EXPECT_TRUE(report.metric);
    EXPECT_EQ(report.steps, (Steps{"FONT", "FONTSIZE", kDialog, "OZ", "USERCOLS", "COLWIDTHS"}));

    const auto s = readBack(files.settings);
    EXPECT_EQ(s.userColumns, 0);
    EXPECT_EQ(s.columnWidths, DocumentSettings::defaultColumnWidths());
    EXPECT_EQ(s.font, LogFont::defaultPrintingFont());
    EXPECT_TRUE(s.metric); // the choice survives the settings read that follows
    EXPECT_EQ(s.fixedColumns[2].heading, "Weight (gm)");
}

TEST(StartupFiles, TheLastDocumentNamesTheSettingsFileAndColoursComeFromIt) {
    test::SettingsTempFolder dir;
    fs::create_directory(dir / "trips");
    const std::string stored =
        "[COLORS]\r\nBACKCOLOR=0000000000\r\nALTCOLOR=563412009C\r\n; mine\r\n";
    test::writeBytes(dir / "trips" / "summer.ini", stored);
    test::writeBytes(dir / "Varnel.ini", "[LastFile]\r\nfile = trips/summer.gpx\r\n");
    MemoryRegistry registry;
    registry.key(kSettingsRegistryKey).set("BackColor", 0x111111u);

    const auto files = chooseStartupFiles(dir.path(), registry);
    EXPECT_EQ(files.settingsFile, dir / "trips" / "summer.ini");
    EXPECT_EQ(files.documentFile, dir / "trips" / "summer.dat");
    EXPECT_TRUE(files.settingsExisted);
    EXPECT_EQ(files.backColor, kDefaultBackColor); // black counts as missing
    EXPECT_EQ(files.altColor, 0x123456u);
    EXPECT_EQ(files.groupColor, kDefaultGroupColor);
    EXPECT_EQ(registry.openCount(), 0);
    EXPECT_EQ(test::readBytes(dir / "trips" / "summer.ini"), stored);

    test::writeBytes(dir / "Varnel.ini", "[LASTFILE]\r\nFILE=\r\n");
    EXPECT_EQ(chooseStartupFiles(dir.path(), registry).settingsFile, dir / "GearData.ini");
}

TEST(StartupFiles, RegistryColoursAreWrittenToTheNewSettingsFileAtOnce) {
    test::SettingsTempFolder dir;
    MemoryRegistry registry;
    auto& key = registry.key(kSettingsRegistryKey);
    key.set("BackColor", 0x111111u);
    key.set("GroupColor", 0u);
    test::writeBytes(dir / "Varnel.ini", "[LASTFILE]\r\nFILE=" + (dir / "a.dat").string() + "\r\n");

    const auto files = chooseStartupFiles(dir.path(), registry);
    EXPECT_EQ(files.settingsFile, dir / "a.ini");
    EXPECT_FALSE(files.settingsExisted);
    EXPECT_EQ(files.backColor, 0x111111u);
    EXPECT_EQ(files.altColor, kDefaultAltColor);
    EXPECT_EQ(files.groupColor, kDefaultGroupColor);
    IniFile onDisk;
    ASSERT_FALSE(onDisk.load(dir / "a.ini"));
    EXPECT_EQ(onDisk.readInt32("COLORS", "BACKCOLOR"), 0x111111);
    EXPECT_EQ(onDisk.readInt32("COLORS", "GROUPCOLOR"), 0x0099FF);
}

TEST(SettingsMigration, EveryRegistryValueIsCopiedInOrder) {
    MemoryRegistry registry;
    auto& key = registry.key("SOFTWARE\\ostrand\\VARNEL");
    key.set("Coords", int32Bytes({1, 2, 300, 400}));
    key.set("Cols", int32Bytes({10, 20, 30, 40, 50}));
    key.set("ColOrder", int32Bytes({4, 3, 2, 1, 0}));
    key.set("Oz", 7u);
    key.set("UserColumns", 1u);
    std::vector<std::uint8_t> column(ColumnRecord::kSize);
    ColumnRecord{"Brand", ColumnRecord::kAlignRight, 4}.encode(column.data());
    key.set("ColData", column);
    key.set("TotalCategories", 0u);
    key.set("TotalAll", 0u);
    key.set("PrintNotes", 0u);
    key.set("TextFile", std::string("t.txt"));
    key.set("CommaFile", std::string("c.csv"));
    key.set("HTMLFile", std::string("h.htm"));
    key.set("XMLFile", std::string("x.xml"));
    key.set("ExportNotes", 1u);
    key.set("FontSize", 12u);
    LogFont font;
    font.lfFaceName = "Lucida Console";
    font.lfHeight = -16;
    const auto fontBytes = font.encode();
    key.set("Font", std::vector<std::uint8_t>(fontBytes.begin(), fontBytes.end()));

    DocumentSettings current;
    current.exportColumns = 1;
    current.title = "Summer";
    IniFile ini;
    bool asked = false;
    const auto report = migrateSettings(registry, ini, current, [&asked] { return asked = true; });
    EXPECT_FALSE(asked);
    EXPECT_TRUE(report.registryFound);
    EXPECT_EQ(report.steps,
              (Steps{"COORDS", "COLWIDTHS", "COLORDER", "OZ", "USERCOLS", "COLDATA", "TOTALCATS",
                     "TOTALAll", "PRINTNOTES", "TEXTFILE", "COMMAFILE", "HTMLFILE", "XMLFILE",
                     "EXPORTNOTES", "EXPORTCOLUMNS", "TITLE", "FONTSIZE", "FONT"}));

    const auto s = readBack(ini);
    EXPECT_EQ(s.coords, (std::array<std::int32_t, 4>{1, 2, 300, 400}));
    EXPECT_EQ(std::vector<std::int32_t>(s.columnWidths.begin(), s.columnWidths.begin() + 6),
              (std::vector<std::int32_t>{10, 20, 30, 40, 50, 0}));
    EXPECT_EQ(s.columnOrder, (std::vector<std::int32_t>{4, 3, 2, 1, 0}));
    EXPECT_TRUE(s.metric);
    ASSERT_EQ(s.userColumns, 1);
    EXPECT_EQ(s.userColumnRecords[0], (ColumnRecord{"Brand", ColumnRecord::kAlignRight, 4}));
    EXPECT_EQ(s.totalCats + s.totalAll + s.printNotes, 0);
    EXPECT_EQ(s.textFile + s.commaFile + s.htmlFile + s.xmlFile, "t.txtc.csvh.htmx.xml");
    EXPECT_EQ(s.exportNotes, 1);
    EXPECT_EQ(s.exportColumns, 1);
    EXPECT_EQ(s.title, "Summer");
    EXPECT_EQ(s.fontSize, 12);
    EXPECT_EQ(s.font, font);
}

TEST(SettingsMigration, AKeyWithoutUsableValuesWritesDefaultsAndAsksTheUnit) {
    MemoryRegistry empty;
    empty.key(kSettingsRegistryKey);
    MemoryRegistry damaged;
    auto& key = damaged.key(kSettingsRegistryKey);
    key.set("Coords", int32Bytes({1, 2, 3}));
    key.set("Cols", std::vector<std::uint8_t>(5, 1));
    key.set("ColOrder", std::vector<std::uint8_t>(2000, 0));
    key.set("Oz", std::string("1")); // of another type: missing
    key.set("UserColumns", 1000000u);
    key.set("Font", std::vector<std::uint8_t>(59, 1));

    for (const MemoryRegistry* registry : {&empty, &damaged}) {
        DocumentSettings current;
        current.totalCats = 0;
        current.textFile = "kept.txt";
        IniFile ini;
        int asked = 0;
        const auto report = migrateSettings(*registry, ini, current, [&asked] {
            ++asked;
            return false;
        });
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(report.steps,
                  (Steps{"COLWIDTHS", kDialog, "OZ", "USERCOLS", "TOTALCATS", "TOTALAll",
                         "PRINTNOTES", "TEXTFILE", "COMMAFILE", "HTMLFILE", "XMLFILE",
                         "EXPORTNOTES", "EXPORTCOLUMNS", "TITLE", "FONTSIZE", "FONT", "FONTSIZE"}));
        auto s = readBack(ini);
        EXPECT_FALSE(s.metric);
        EXPECT_EQ(s.userColumns, 0);
        EXPECT_EQ(s.columnWidths, DocumentSettings::defaultColumnWidths());
        EXPECT_FALSE(s.coords);
        EXPECT_EQ(s.totalCats, 0);
        EXPECT_EQ(s.textFile, "kept.txt");
        EXPECT_EQ(s.font, LogFont::defaultPrintingFont());
        EXPECT_EQ(s.fontSize, 10);
    }
}

TEST(AppSettings, RecentFilesKeepFourMostRecentFirst) {
    test::SettingsTempFolder dir;
    test::writeBytes(dir / "Varnel.ini", "; hand-edited\r\n[MRU]\r\nFile1=x\r\nOther=keep\r\n");
    AppSettings app(dir.path());
    ASSERT_FALSE(app.load());
    EXPECT_EQ(app.recentFiles(), (std::vector<std::string>{"x"}));
    for (const char* name : {"a", "b", "c", "d", "b", "e"}) {
        app.addRecentFile(name);
    }
    EXPECT_EQ(app.recentFiles(), (std::vector<std::string>{"e", "b", "d", "c"}));
    const std::string longName = "/" + std::string(400, 'n') + ".dat";
    app.setLastFile(longName);
    ASSERT_FALSE(app.save());

    AppSettings again(dir.path());
    ASSERT_FALSE(again.load());
    EXPECT_EQ(again.lastFile(), longName);
    EXPECT_EQ(again.recentFiles(), app.recentFiles());
    const std::string text = test::readBytes(dir / "Varnel.ini");
    EXPECT_NE(text.find("; hand-edited\r\n[MRU]\r\nFile1=e\r\nOther=keep\r\nFile2=b\r\n"),
              std::string::npos);

    again.removeRecentFile("d");
    again.removeRecentFile("c");
    ASSERT_FALSE(again.save());
    AppSettings third(dir.path());
    third.load();
    EXPECT_EQ(third.recentFiles(), (std::vector<std::string>{"e", "b"}));
}

TEST(AppSettings, AMissingFileIsEmpty) {
    test::SettingsTempFolder dir;
    AppSettings app(dir.path());
    EXPECT_FALSE(app.fileExists());
    EXPECT_FALSE(app.load());
    EXPECT_TRUE(app.lastFile().empty());
    EXPECT_TRUE(app.recentFiles().empty());
}

} // namespace
} // namespace varnel
