#include "model/DocumentFiles.h"
#include "model/AppSettings.h"
#include "model/FileError.h"

#include "Fifo.h"
#include "SampleGearList.h"
#include "SettingsTempFolder.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

// Bigger than any settings file may be, yet holding what the user set.
std::string oversizedSettings() {
    return "[MISC]\r\nOZ=0101\r\n" + std::string(IniFile::kMaxFileSize, ';') + "\r\n";
}

TEST(DocumentFiles, ASettingsFileThatCannotBeReadIsNamedAndNeverWrittenOver) {
    test::SettingsTempFolder dir;
    {
        GearDocument doc;
        sample::buildSampleDocument(doc);
        AppSettings app(dir.path());
        ASSERT_TRUE(writeDocumentFiles(dir / "trip.dat", dir / "trip.dat", doc, DocumentSettings{},
                                       app, dir.path())
                        .ok());
    }
    const std::string big = oversizedSettings();
    test::writeBytes(dir / "trip.ini", big);

    GearDocument doc;
    DocumentSettings settings;
    settings.title = "as before";
    const FileOutcome read = readDocumentWithSettings(dir / "trip.dat", dir.path(), doc, settings);
    EXPECT_TRUE(read.ok()) << "the gear list itself is read";
    EXPECT_GT(doc.rowCount(), 0);
    EXPECT_EQ(settings.title, "as before");
    const std::string said = "Cannot read the settings file " + (dir / "trip.ini").string() +
                             ": Too large for a settings file (more than 1 MiB). It is left as "
                             "it is, and the settings will not be saved into it.";
    EXPECT_EQ(read.settingsMessage(), (UserMessage{said, "Varnel", MessageIcon::Exclamation}));

    // Writing (as at exit) keeps the file as it is, says so, and still writes the list.
    std::filesystem::remove(dir / "trip.dat");
    AppSettings app(dir.path());
    const FileOutcome written =
        writeDocumentFiles(dir / "trip.dat", dir / "trip.dat", doc, settings, app, dir.path());
    EXPECT_EQ(written.reason, said);
    EXPECT_TRUE(test::readBytes(dir / "trip.ini") == big) << "the settings file was replaced";
    EXPECT_TRUE(std::filesystem::exists(dir / "trip.dat"));

    // A readable settings file reports nothing.
    std::filesystem::remove(dir / "trip.ini");
    GearDocument again;
    EXPECT_FALSE(
        readDocumentWithSettings(dir / "trip.dat", dir.path(), again, settings).settingsMessage());
}

TEST(DocumentFiles, FifosInPlaceOfTheFilesAreRefusedWithoutBlocking) {
    test::SettingsTempFolder dir;
    test::makeFifo(dir / "trip.ini");
    test::makeFifo(dir / "trip.dat");
    GearDocument doc;
    DocumentSettings settings;
    FileOutcome read;
    EXPECT_TRUE(test::returnsWithoutBlocking({dir / "trip.ini", dir / "trip.dat"}, [&] {
        read = readDocumentWithSettings(dir / "trip.dat", dir.path(), doc, settings);
    }));
    EXPECT_EQ(read.status, FileOutcome::Status::Refused);
    EXPECT_EQ(read.file, dir / "trip.dat");
    EXPECT_EQ(read.settingsFile, dir / "trip.ini");
    EXPECT_EQ(read.settingsReason, "Not a regular file");

    AppSettings app(dir.path());
    FileOutcome written;
    EXPECT_TRUE(test::returnsWithoutBlocking({dir / "trip.ini", dir / "trip.dat"}, [&] {
        written =
            writeDocumentFiles(dir / "trip.dat", dir / "trip.dat", doc, settings, app, dir.path());
    }));
    EXPECT_FALSE(written.ok());
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "trip.ini"));
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "trip.dat"));
}

TEST(AppSettings, AFileThatCannotBeReadIsNotWrittenOver) {
    test::SettingsTempFolder dir;
    const std::string big = "[MRU]\r\nFile1=/kept.dat\r\n" + oversizedSettings();
    test::writeBytes(dir / "Varnel.ini", big);
    AppSettings app(dir.path());
    EXPECT_EQ(app.load(), FileError::TooLarge);
    app.setLastFile("/new.dat");
    EXPECT_EQ(app.save(), FileError::TooLarge);
    EXPECT_TRUE(test::readBytes(dir / "Varnel.ini") == big) << "Varnel.ini was replaced";
}

} // namespace
} // namespace varnel
