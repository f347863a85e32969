#include "model/IniFile.h"
#include "Fifo.h"
#include "FileSizeLimit.h"
#include "SettingsTempFolder.h"
#include "model/FileError.h"
#include "model/ProfileStruct.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace varnel {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Bytes = std::vector<std::uint8_t>;

IniFile parsed(std::string_view text) {
    IniFile ini;
    ini.parse(text);
    return ini;
}

TEST(ProfileStruct, EncodesUpperCaseHexThenTheByteSum) {
    // The default list colours as little-endian int32s.
    EXPECT_EQ(encodeProfileStruct(Bytes{0xFF, 0xFF, 0xE0, 0x00}), "FFFFE000DE");
    EXPECT_EQ(encodeProfileStruct(Bytes{0xFF, 0xFF, 0xC4, 0x00}), "FFFFC400C2");
    EXPECT_EQ(encodeProfileStruct(Bytes{0xFF, 0x99, 0x00, 0x00}), "FF99000098");
    EXPECT_EQ(encodeProfileStruct(Bytes{0xFF, 0xFF, 0xFF, 0xFF}), "FFFFFFFFFC");
    EXPECT_EQ(encodeProfileStruct(Bytes{0x01}), "0101");
    EXPECT_EQ(encodeProfileStruct(Bytes{}), "00");
}

TEST(ProfileStruct, DecodesOnlyTheExactSizeWithAMatchingChecksum) {
    EXPECT_EQ(decodeProfileStruct("FFFFE000DE", 4), (Bytes{0xFF, 0xFF, 0xE0, 0x00}));
    EXPECT_EQ(decodeProfileStruct("ffffe000de", 4), (Bytes{0xFF, 0xFF, 0xE0, 0x00}));
    EXPECT_EQ(decodeProfileStruct("00", 0), Bytes{});
    for (std::string_view bad :
         {"FFFFE000DF", "FFFFE000D", "FFFFE000DE0", "FFFFG000DE", "FF FE000DE", "", "FFFFE000"}) {
        EXPECT_FALSE(decodeProfileStruct(bad, 4)) << bad;
    }
    EXPECT_FALSE(decodeProfileStruct("FFFFE000DE", 3));
    EXPECT_FALSE(decodeProfileStruct("FFFFE000DE", 5));
    EXPECT_FALSE(decodeProfileStruct("FFFFE000DE", SIZE_MAX));
}

TEST(IniFile, ParseThenSerializeGivesBackEveryByte) {
    const std::string odd = "\xEF\xBB\xBF[A]\r\nk=1\nno equals\r\n; note\r\n[unbalanced\n"
                            "x\0y=z\r\r\n]]\n  \t\n=v\nlast line"s;
    EXPECT_EQ(parsed(odd).serialize(), odd);
    EXPECT_EQ(parsed("").serialize(), "");
    EXPECT_TRUE(parsed("").empty());
    EXPECT_EQ(parsed(odd).readString("a", "K"), "1");
}

TEST(IniFile, ReadingIgnoresCaseAndTrimsBlanksAndOnePairOfQuotes) {
    const auto ini = parsed("[ Misc ]\r\n  Title =  \"  Hello \"  \r\nA='x'\r\nB=\"x'\r\n"
                            "C=\"\r\nD=\"\"x\"\"\r\nE\r\nF=a=b\r\n");
    EXPECT_TRUE(ini.hasSection("MISC"));
    EXPECT_EQ(ini.readString("misc", "TITLE"), "  Hello ");
    EXPECT_EQ(ini.readString("MISC", "a"), "x");
    EXPECT_EQ(ini.readString("MISC", "b"), "\"x'");
    EXPECT_EQ(ini.readString("MISC", "c"), "\"");
    EXPECT_EQ(ini.readString("MISC", "d"), "\"x\"");
    EXPECT_EQ(ini.readString("MISC", "e"), "");
    EXPECT_EQ(ini.readString("MISC", "f"), "a=b");
    EXPECT_FALSE(ini.readString("MISC", "G"));
    EXPECT_FALSE(ini.readString("OTHER", "A"));
}

TEST(IniFile, TheFirstOfDuplicateSectionsAndKeysWins) {
    auto ini = parsed("k=0\n[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n");
    EXPECT_EQ(ini.readString("A", "K"), "1");
    EXPECT_FALSE(ini.readString("A", "J"));
    ASSERT_TRUE(ini.writeString("A", "K", "9"));
    ASSERT_TRUE(ini.writeString("A", "J", "5"));
    EXPECT_EQ(ini.serialize(), "k=0\n[A]\nk=9\nk=2\nJ=5\n[a]\nk=3\nj=4\n");
}

TEST(IniFile, WritingReplacesTheValueInPlaceAndKeepsEverythingElse) {
    const std::string before = "; settings\r\n[COLUMNS]\r\nUNKNOWN=keep me\r\n  usercols = 0000"
                               "  \r\nodd line\n[MISC]\r\nOZ=0000\r\n";
    auto ini = parsed(before);
    ASSERT_TRUE(ini.writeInt32("Columns", "USERCOLS", 2));
    EXPECT_EQ(ini.serialize(), "; settings\r\n[COLUMNS]\r\nUNKNOWN=keep me\r\n  usercols ="
                               "0200000002\r\nodd line\n[MISC]\r\nOZ=0000\r\n");
    EXPECT_EQ(ini.readInt32("COLUMNS", "USERCOLS"), 2);
}

TEST(IniFile, NewKeysGoAtTheEndOfTheirSectionAndNewSectionsAtTheEnd) {
    auto ini = parsed("[A]\r\nx=1\r\n; last of A\r\n\r\n[B]\r\ny=2");
    ini.writeString("A", "NEW", "n");
    ini.writeString("B", "Z", "3");
    ini.writeString("C", "W", "4");
    EXPECT_EQ(ini.serialize(), "[A]\r\nx=1\r\n; last of A\r\nNEW=n\r\n\r\n[B]\r\ny=2\r\nZ=3\r\n"
                               "\r\n[C]\r\nW=4\r\n");

    auto unix = parsed("[A]\nx=1\n");
    unix.writeString("B", "y", "2");
    EXPECT_EQ(unix.serialize(), "[A]\nx=1\n\n[B]\ny=2\n");

    IniFile fresh;
    fresh.writeString("LASTFILE", "FILE", "a.dat");
    EXPECT_EQ(fresh.serialize(), "[LASTFILE]\r\nFILE=a.dat\r\n");
}

TEST(IniFile, WrittenValuesReadBackAsWrittenUpToALineBreak) {
    IniFile ini;
    for (std::string_view value : {"  padded  ", "\"quoted\"", "'", "''", "a\"b", "", "\t"}) {
        ASSERT_TRUE(ini.writeString("S", "K", value));
        EXPECT_EQ(ini.readString("S", "K"), value) << ini.serialize();
    }
    // A line break must not plant a key of its own.
    ini.writeString("S", "K", "name\r\n[S]\r\nOTHER=1");
    EXPECT_EQ(ini.readString("S", "K"), "name");
    EXPECT_FALSE(ini.readString("S", "OTHER"));
    ini.writeString("S", "K", "a\0b"s);
    EXPECT_EQ(ini.readString("S", "K"), "a");

    const std::string before = ini.serialize();
    EXPECT_FALSE(ini.writeString("", "K", "v"));
    EXPECT_FALSE(ini.writeString("S", "K=1", "v"));
    EXPECT_FALSE(ini.writeString("S", "[K]", "v"));
    EXPECT_FALSE(ini.writeString("S", ";K", "v"));
    EXPECT_FALSE(ini.writeString("S\n", "K", "v"));
    EXPECT_EQ(ini.serialize(), before);

    EXPECT_TRUE(ini.removeKey("s", "k"));
    EXPECT_FALSE(ini.readString("S", "K"));
    EXPECT_FALSE(ini.removeKey("S", "K"));
}

TEST(IniFile, StructReadsFailOnAnyDamage) {
    const auto ini = parsed("[M]\nOK=  FFFFE000DE \nSUM=FFFFE000DF\nODD=FFFFE000D\nLOW=0a0a\n"
                            "QUOTED=\"0101\"\nEMPTY=\n");
    EXPECT_EQ(ini.readStruct("M", "OK", 4), (Bytes{0xFF, 0xFF, 0xE0, 0x00}));
    EXPECT_EQ(ini.readInt32("M", "OK"), 0xE0FFFF);
    EXPECT_FALSE(ini.readStruct("M", "OK", 2));
    EXPECT_FALSE(ini.readStruct("M", "SUM", 4));
    EXPECT_FALSE(ini.readStruct("M", "ODD", 4));
    EXPECT_EQ(ini.readStruct("M", "LOW", 1), Bytes{0x0A});
    EXPECT_FALSE(ini.readStruct("M", "QUOTED", 1));
    EXPECT_FALSE(ini.readStruct("M", "EMPTY", 0));
    EXPECT_FALSE(ini.readStruct("M", "MISSING", 0));
}

TEST(IniFile, HostileInputIsReadWithoutHarm) {
    std::string hostile = "[A\0]\n[ ]\n[[[\n]]]\n=\n\r\r\r\n[A]\nk="s;
    hostile += std::string(1 << 20, 'x');
    hostile += "\0\0\n[A"s;
    auto ini = parsed(hostile);
    EXPECT_EQ(ini.serialize(), hostile);
    EXPECT_EQ(ini.readString("A", "k")->size(), std::size_t{1} << 20);
    EXPECT_FALSE(ini.readStruct("A", "k", SIZE_MAX / 2));
    ini.writeString("A", "k", "short");
    ini.writeString("[[", "k", "v");
    EXPECT_EQ(parsed(ini.serialize()).readString("A", "k"), "short");
    EXPECT_EQ(parsed(ini.serialize()).readString("[[", "k"), "v");
}

TEST(IniFileOnDisk, AMissingFileIsEmptyAndSavingRoundTrips) {
    test::SettingsTempFolder dir;
    IniFile ini;
    ini.parse("junk");
    EXPECT_FALSE(ini.load(dir / "missing.ini"));
    EXPECT_TRUE(ini.empty());
    EXPECT_FALSE(IniFile::exists(dir / "missing.ini"));

    ini.writeString("S", "K", "v");
    ASSERT_FALSE(ini.save(dir / "a.ini"));
    EXPECT_EQ(test::readBytes(dir / "a.ini"), "[S]\r\nK=v\r\n");
    IniFile again;
    EXPECT_FALSE(again.load(dir / "a.ini"));
    EXPECT_EQ(again.readString("S", "K"), "v");

    test::writeBytes(dir / "big.ini", std::string(IniFile::kMaxFileSize + 1, '\n'));
    EXPECT_EQ(again.load(dir / "big.ini"), FileError::TooLarge);
    EXPECT_TRUE(again.empty());

    fs::create_directory(dir / "sub.ini");
    const auto ec = again.load(dir / "sub.ini");
    EXPECT_EQ(ec.value(), EISDIR);
    EXPECT_TRUE(again.empty());
}

TEST(IniFileOnDisk, AFifoIsRefusedWithoutWaitingForAWriterAndNotReplaced) {
    test::SettingsTempFolder dir;
    test::makeFifo(dir / "GearData.ini");
    fs::create_symlink("GearData.ini", dir / "link.ini");
    for (const char* name : {"GearData.ini", "link.ini"}) {
        SCOPED_TRACE(name);
        IniFile ini;
        ini.parse("junk");
        std::error_code ec;
        EXPECT_TRUE(test::returnsWithoutBlocking({dir / "GearData.ini"},
                                                 [&] { ec = ini.load(dir / name); }));
        EXPECT_EQ(ec, FileError::NotRegular);
        EXPECT_EQ(ec.message(), "Not a regular file");
        EXPECT_TRUE(ini.empty());
    }
    EXPECT_EQ(parsed("[S]\r\nK=v\r\n").save(dir / "GearData.ini"), FileError::NotRegular);
    EXPECT_TRUE(fs::is_fifo(dir / "GearData.ini"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(IniFileOnDisk, SavingKeepsPermissionsAndReplacesTheLinkTarget) {
    test::SettingsTempFolder dir;
    test::writeBytes(dir / "real.ini", "old");
    fs::permissions(dir / "real.ini",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.ini", dir / "link.ini");

    ASSERT_FALSE(parsed("new").save(dir / "link.ini"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
    EXPECT_EQ(test::readBytes(dir / "real.ini"), "new");
    EXPECT_EQ(fs::status(dir / "real.ini").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(IniFileOnDisk, AFailedSaveReportsTheSystemTextAndLeavesTheOldFile) {
    test::SettingsTempFolder dir;
    const auto missing = parsed("x").save(dir / "no" / "such" / "a.ini");
    EXPECT_EQ(missing, std::error_code(ENOENT, std::system_category()));
    EXPECT_EQ(missing.message(), std::system_category().message(ENOENT));

    // A write that fails part way (the disk filling up) must not touch the previous file.
    test::writeBytes(dir / "a.ini", "previous");
    const auto full = test::underFileSizeLimit(
        64, [&] { return parsed(std::string(1000, 'x')).save(dir / "a.ini"); });
    EXPECT_EQ(full.value(), EFBIG);
    EXPECT_EQ(test::readBytes(dir / "a.ini"), "previous");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(IniFileOnDisk, AReadOnlyFolderTakesTheFileInPlaceAsTheShellWould) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "folder permissions do not bind root";
    }
    test::SettingsTempFolder dir;
    test::writeBytes(dir / "a.ini", "previous");
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const auto outcome = parsed("new").save(dir / "a.ini");
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_FALSE(outcome);
    EXPECT_EQ(test::readBytes(dir / "a.ini"), parsed("new").serialize());
}

} // namespace
} // namespace varnel
