// Recovery copies: what they hold, what they are named, and every way one is found again.

#include "model/GearDataReader.h"
#include "model/GearDataWriter.h"
#include "model/RecoveryWriter.h"

#include "SampleGearList.h"
#include "SettingsTempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace varnel {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

class Recovery : public ::testing::Test {
protected:
    void SetUp() override {
        sample::buildSampleDocument(doc_);
        settings_.userColumns = 1;
        settings_.userColumnRecords = {{"Brand", ColumnRecord::kAlignLeft, 4}};
        settings_.title = "Summer";
        settings_.backColor = 0x123456;
    }
    fs::path document() const { return dir_ / "trip.dat"; }
    RecoveryFile copy() const { return RecoveryFile::of(document(), doc_, settings_); }

    test::SettingsTempFolder dir_;
    RecoveryStore store_{dir_ / "state"};
    GearDocument doc_;
    DocumentSettings settings_;
};

TEST_F(Recovery, ACopyGivesBackTheListAndItsSettings) {
    std::string why;
    const auto read = RecoveryFile::parse(copy().serialize(), why);
    ASSERT_TRUE(read) << why;
    EXPECT_EQ(read->document, document());
    GearDocument restored;
    DocumentSettings settings;
    EXPECT_TRUE(read->restoreInto(restored, settings).ok());
    // As a save and a read would give it.
    GearDocument reread;
    reread.userColumnCount = 1;
    const std::string saved = serializeGearData(doc_);
    parseGearData({reinterpret_cast<const unsigned char*>(saved.data()), saved.size()}, reread);
    EXPECT_EQ(serializeGearData(restored), serializeGearData(reread));
    EXPECT_EQ(settings.title, "Summer");
    EXPECT_EQ(settings.backColor, 0x123456U);
    EXPECT_EQ(restored.userColumnCount, 1);
}

TEST_F(Recovery, RowsTakenInSlicesGiveTheWholeFile) {
    doc_.expandAll(); // member rows add nothing of their own
    for (const int slice : {1, 3, 1000}) {
        std::string bytes;
        appendGearDataHead(doc_, bytes);
        for (int row = 0; row < doc_.rowCount();) {
            row = appendGearDataRows(doc_, row, slice, bytes);
        }
        EXPECT_EQ(bytes, serializeGearData(doc_)) << slice;
    }
}

TEST_F(Recovery, EveryCopyCutShortIsRefused) {
    const std::string bytes = copy().serialize();
    for (std::size_t n = 0; n < bytes.size(); n += (n < 200 || n + 200 > bytes.size()) ? 1 : 97) {
        std::string why;
        EXPECT_FALSE(RecoveryFile::parse(std::string_view(bytes).substr(0, n), why)) << n;
        EXPECT_FALSE(why.empty());
    }
}

TEST_F(Recovery, TwoDocumentsNeverShareACopy) {
    const fs::path other = dir_ / "sub" / "trip.dat";
    EXPECT_NE(store_.fileFor(document()), store_.fileFor(other));
    EXPECT_EQ(store_.fileFor(document()).parent_path(), dir_ / "state");
    EXPECT_EQ(recoveryDocumentPath("trip.dat", dir_.path()),
              recoveryDocumentPath(dir_ / "." / "trip.dat", "/elsewhere"));
}

TEST(RecoveryFolder, FollowsTheDesktopsStateFolder) {
    EXPECT_EQ(recoveryFolder("/st", "/home/u"), fs::path("/st/varnel"));
    EXPECT_EQ(recoveryFolder("", "/home/u"), fs::path("/home/u/.local/state/varnel"));
    EXPECT_EQ(recoveryFolder("relative", "/home/u"), fs::path("/home/u/.local/state/varnel"));
    EXPECT_EQ(recoveryFolder(nullptr, nullptr), fs::path());
}

TEST_F(Recovery, AFoundCopyIsOfferedAndKeptAsideWithItsTime) {
    EXPECT_EQ(store_.find(document()).status, RecoveryFound::Status::None);
    RecoveryFile taken = copy();
    taken.savedNs = 1'700'000'000'000'000'000;
    ASSERT_FALSE(store_.write(taken));
    EXPECT_EQ(fs::status(store_.folder()).permissions() & fs::perms::all, fs::perms::owner_all);
    const RecoveryFound found = store_.find(document());
    ASSERT_EQ(found.status, RecoveryFound::Status::Readable);
    EXPECT_EQ(found.copy, taken);
    EXPECT_EQ(found.keepAt.parent_path(), store_.folder());
    EXPECT_TRUE(found.keepAt.filename().string().starts_with(
        store_.fileFor(document()).stem().string() + "-2023"));
    EXPECT_EQ(found.question(),
              (UserMessage{"Varnel has a recovery copy of " + document().string() + " from " +
                               localTimeText(taken.savedNs) +
                               ", with changes that were not saved when Varnel last ended.\n\n"
                               "Restore the recovery copy? The file itself stays as it is until "
                               "you save. Choose No to open the file as it was saved; the copy "
                               "is then kept as " +
                               found.keepAt.string() + ".",
                           "Varnel", MessageIcon::Question}));
    writeBytes(document(), "saved later");
    EXPECT_TRUE(store_.find(document()).documentChanged);
    EXPECT_NE(store_.find(document()).question().text.find("saved since that copy"),
              std::string::npos);
    ASSERT_FALSE(store_.keepAside(found));
    EXPECT_EQ(readBytes(found.keepAt), taken.serialize());
    EXPECT_EQ(store_.find(document()).status, RecoveryFound::Status::None);
}

TEST_F(Recovery, ACopyCutShortIsReportedAndKeptAside) {
    ASSERT_FALSE(store_.write(copy()));
    const fs::path file = store_.fileFor(document());
    const std::string bytes = readBytes(file);
    writeBytes(file, bytes.substr(0, bytes.size() / 2));
    const RecoveryFound found = store_.find(document());
    ASSERT_EQ(found.status, RecoveryFound::Status::Unreadable);
    EXPECT_EQ(found.unreadableMessage(),
              (UserMessage{"The recovery copy " + file.string() +
                               " cannot be read: The recovery copy is cut short or damaged. It "
                               "is kept as " +
                               found.keepAt.string() + ".",
                           "Varnel", MessageIcon::Exclamation}));
    ASSERT_FALSE(store_.keepAside(found));
    EXPECT_TRUE(fs::exists(found.keepAt));
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(Recovery, TheWriterWritesTheNewestCopyAndDiscardRemovesIt) {
    RecoveryWriter writer(store_);
    RecoveryFile first = copy();
    settings_.title = "Winter";
    writer.submit(first);
    writer.submit(copy());
    EXPECT_FALSE(writer.flush());
    const RecoveryFound found = store_.find(document());
    ASSERT_EQ(found.status, RecoveryFound::Status::Readable);
    EXPECT_NE(found.copy.settingsBytes.find("Winter"), std::string::npos);
    writer.submit(first);
    writer.discard(document());
    EXPECT_FALSE(writer.flush());
    EXPECT_FALSE(fs::exists(store_.fileFor(document())));
}

} // namespace
} // namespace varnel
