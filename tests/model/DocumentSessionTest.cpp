#include "model/DocumentSession.h"
#include "model/GearDataWriter.h"
#include "model/IniFile.h"
#include "model/ItemEditing.h"
#include "model/MemoryRegistry.h"

#include "SampleGearList.h"
#include "SettingsTempFolder.h"

#include <gtest/gtest.h>

#include <deque>

namespace varnel {
namespace {

using Write = DocumentSession::HandheldWrite;
using enum PromptAnswer;

// Answers as scripted; handheld files handed out in turn, the first `failWrites` not written.
struct ScriptedHost : DocumentSession::Host {
    std::deque<PromptAnswer> answers;
    std::vector<UserQuestion> asked;
    std::vector<UserMessage> shown;
    std::deque<std::filesystem::path> handheldFiles;
    int failWrites = 0;

    PromptAnswer ask(const UserQuestion& q) override {
        asked.push_back(q);
        return take(answers);
    }
    void show(const UserMessage& m) override { shown.push_back(m); }
    std::filesystem::path handheldFile(bool& /*asked*/) override { return take(handheldFiles); }
    std::filesystem::path askHandheldFolder() override { return take(handheldFiles); }
    bool writeHandheld(const std::filesystem::path& file) override {
        test::writeBytes(file, "handheld");
        return failWrites-- <= 0;
    }
    template <class T> static T take(std::deque<T>& from) {
        T first = from.at(0);
        from.pop_front();
        return first;
    }
};

class DocumentSessionTest : public ::testing::Test {
protected:
    // The sample as `name`, 30 bytes short when `cut`, opened.
    void open(const char* name, bool cut = false) {
        GearDocument sample;
        sample::buildSampleDocument(sample);
        std::string bytes = serializeGearData(sample);
        bytes.resize(bytes.size() - (cut ? 30 : 0));
        test::writeBytes(dir / name, bytes);
        session.resetDocument();
        session.setDocumentName(dir / name);
        session.read();
    }

    test::SettingsTempFolder dir;
    GearDocument doc;
    DocumentSettings settings;
    FileLocations files = FileLocations::inCurrentFolder(dir.path());
    AppSettings app{files};
    ScriptedHost host;
    DocumentSession session{host, doc, settings, app, files, dir.path()};
};

TEST_F(DocumentSessionTest, TheExitWriteAsksBeforeReplacingACutShortOrChangedFile) {
    struct Case {
        bool cutShort;
        PromptAnswer answer;
        bool quits;
    };
    for (const Case c :
         {Case{true, Yes, true}, Case{true, No, true}, Case{true, Cancel, false},
          Case{false, Yes, true}, Case{false, No, true}, Case{false, Cancel, false}}) {
        SCOPED_TRACE(testing::Message() << c.cutShort << " " << static_cast<int>(c.answer));
        host.asked.clear();
        open("trip.dat", c.cutShort);
        if (!c.cutShort) {
            test::writeBytes(dir / "trip.dat", "theirs");
        }
        const std::string onDisk = test::readBytes(dir / "trip.dat");
        host.answers = {c.answer};
        EXPECT_EQ(session.writeOnExit(), c.quits);
        ASSERT_EQ(host.asked.size(), 1U);
        EXPECT_EQ(test::readBytes(dir / "trip.dat") != onDisk, c.answer == Yes);
        if (c.cutShort) {
            EXPECT_EQ(host.asked[0].message.text,
                      (dir / "trip.dat").string() +
                          " was cut short when it was opened: saving now replaces it with the " +
                          std::to_string(itemCount(doc)) + " items shown.\n\nSave over it?");
        }
    }
}

TEST_F(DocumentSessionTest, ASaveOverAChangedFileGoesOnOnlyWhereItShould) {
    struct Case {
        bool beforeOpen;
        std::deque<PromptAnswer> answers;
        bool goesOn;
    };
    for (const Case& c : {Case{false, {No}, false}, Case{false, {Yes}, true},
                          Case{true, {No}, true}, Case{true, {Yes, No}, true},
                          Case{true, {Yes, Cancel}, false}, Case{true, {Cancel}, false}}) {
        SCOPED_TRACE(c.answers.size());
        open("trip.dat");
        test::writeBytes(dir / "trip.dat", "theirs");
        host.answers = c.answers;
        EXPECT_EQ(c.beforeOpen ? session.saveBeforeOpening("other.dat") : session.save(), c.goesOn);
        const bool written = c.answers.front() == Yes && c.answers.back() == Yes;
        EXPECT_EQ(test::readBytes(dir / "trip.dat") != "theirs", written);
        EXPECT_EQ(host.asked.back().buttons,
                  c.beforeOpen ? PromptButtons::YesNoCancel : PromptButtons::YesNo);
    }
    EXPECT_EQ(host.asked[2].message.text,
              "Save " + (dir / "trip.dat").string() + " before opening other.dat ?");
}

TEST_F(DocumentSessionTest, AFailedExitWriteLetsTheUserStayAndAPartialOneQuits) {
    session.setDocumentName(dir / "gone" / "trip.dat");
    host.answers = {No, Yes};
    EXPECT_FALSE(session.writeOnExit());
    EXPECT_TRUE(session.writeOnExit());
    EXPECT_EQ(host.asked[0].message.text.rfind("The gear list could not be saved to " +
                                                   (dir / "gone" / "trip.dat").string() + ":\n",
                                               0),
              0U);

    open("trip.dat");
    test::writeBytes(dir / "trip.ini", std::string(IniFile::kMaxFileSize + 1, ';'));
    EXPECT_TRUE(session.writeOnExit());
    EXPECT_EQ(host.shown.size(), 1U);
}

TEST_F(DocumentSessionTest, TheHandheldWriteRetriesAndAsksOverACutShortFile) {
    struct Case {
        std::deque<std::filesystem::path> files;
        int failWrites;
        std::deque<PromptAnswer> answers;
        Write result;
    };
    const auto cut = dir / "hand.dat";
    for (const Case& c :
         {Case{{dir / "a.pdb"}, 0, {}, Write::Written},
          Case{{dir / "a.pdb", dir / "b.pdb"}, 1, {}, Write::Written},
          Case{{"", ""}, 0, {}, Write::NotWritten}, Case{{cut}, 0, {Yes}, Write::Written},
          Case{{cut}, 0, {No}, Write::Kept}, Case{{cut}, 0, {Cancel}, Write::Cancelled}}) {
        SCOPED_TRACE(c.files.size());
        open("hand.dat", true);
        doc.handheldDocument = true;
        host.handheldFiles = c.files;
        host.failWrites = c.failWrites;
        host.answers = c.answers;
        EXPECT_EQ(session.writeHandheld(), c.result);
        EXPECT_TRUE(host.handheldFiles.empty());
        if (c.result == Write::Written) {
            ASSERT_FALSE(app.recentFiles().empty());
            EXPECT_EQ(app.recentFiles().front(), c.files.back().string());
        }
    }
}

TEST_F(DocumentSessionTest, SavesKeepTheLastAndRecentFilesAndNewStartsUntitled) {
    open("trip.dat");
    EXPECT_TRUE(session.save());
    EXPECT_EQ(app.recentFiles(), std::vector<std::string>{(dir / "trip.dat").string()});

    EXPECT_FALSE(session.saveAs(dir / "gone" / "copy.dat"));
    EXPECT_EQ(session.documentName(), dir / "trip.dat");
    EXPECT_EQ(app.lastFile(), (dir / "trip.dat").string());
    EXPECT_TRUE(session.saveAs(dir / "copy.dat"));
    EXPECT_EQ(session.documentName(), dir / "copy.dat");
    EXPECT_EQ(app.lastFile(), (dir / "copy.dat").string());

    session.newDocument();
    EXPECT_EQ(doc.rowCount(), 0);
    EXPECT_EQ(session.documentName(), dir / "Untitled.dat");
    EXPECT_TRUE(host.asked.empty());
}

TEST_F(DocumentSessionTest, OnlyAFirstStartAsksForTheUnitAndMakesTheSettingsFile) {
    const MemoryRegistry registry;
    for (const bool earlierStart : {false, true}) {
        SCOPED_TRACE(earlierStart);
        std::filesystem::remove(files.documentFolder / "GearData.ini");
        if (earlierStart) {
            test::writeBytes(files.documentFolder / "GearData.ini", "[SETTINGS]\r\n");
        }
        session.chooseStartupDocument(registry);
        EXPECT_EQ(session.documentName(), files.documentFolder / "GearData.dat");
        int asked = 0;
        const auto askMetric = [&asked] { return ++asked > 0; };
        EXPECT_FALSE(session.migrateOnFirstStart(registry, askMetric));
        EXPECT_FALSE(session.migrateOnFirstStart(registry, askMetric));
        EXPECT_EQ(asked, earlierStart ? 0 : 1);
        EXPECT_TRUE(std::filesystem::exists(files.documentFolder / "GearData.ini"));
    }
}

} // namespace
} // namespace varnel
