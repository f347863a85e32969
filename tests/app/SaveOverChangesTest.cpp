// Saving from the window keeps the list it replaces, and the save at exit never replaces a file
// another program wrote without asking.
#include "../model/TestRecords.h"
#include "MainWindowDriving.h"
#include "app/CommandIds.h"
#include "model/AtomicFile.h"
#include "model/GearDataWriter.h"

namespace varnel {
namespace {

class SaveOverChanges : public test::DrivenMainWindow {
protected:
    // Another program (a second copy of Varnel, a sync tool) writes the file the window has open.
    std::string writeFromElsewhere(const char* name) {
        GearDocument other;
        other.insertRecord(test::item("Water", "Filter", "3.00", true));
        const std::string bytes = serializeGearData(other);
        EXPECT_FALSE(replaceFileAtomically(folder_ / name, bytes));
        return bytes;
    }

    ShownPrompt changedQuestion(const char* name, int items,
                                const char* no = "quit and leave the file as it is",
                                PromptButtons buttons = PromptButtons::YesNoCancel) const {
        return ShownPrompt::message(
            documentName(name) +
                QStringLiteral(" has changed on disk since Varnel read or saved it: another "
                               "program or another copy of Varnel has written it.\n\nSave the %1 "
                               "items shown over it? What it holds now is kept in %2. Choose No "
                               "to %3.")
                    .arg(items)
                    .arg(documentName(name) + QStringLiteral(".bak"), QString::fromLatin1(no)),
            "Varnel", MessageIcon::Question, buttons);
    }

    std::filesystem::path sample() const { return folder_ / "GearData.dat"; }
};

TEST_F(SaveOverChanges, SavesKeepTheVersionBeforeAndTheExitSaveDoesNotWipeIt) {
    copySample();
    const std::string original = readFile(sample());
    start();
    showWindow();

    // The first save keeps what was there (a reload has turned the groups' members round, so
    // the bytes differ); saving the same list again keeps that backup.
    EXPECT_TRUE(clickMenu(cmd::Save));
    const std::string first = readFile(sample());
    ASSERT_FALSE(first == original);
    EXPECT_TRUE(readFile(folder_ / "GearData.dat.bak") == original);
    EXPECT_TRUE(clickMenu(cmd::Save));
    EXPECT_TRUE(readFile(sample()) == first);
    EXPECT_TRUE(readFile(folder_ / "GearData.dat.bak") == original);

    clickCell(rowNamed("Map"), 1);
    keyOnList(Qt::Key_Space);
    EXPECT_TRUE(clickMenu(cmd::Save));
    const std::string saved = readFile(sample());
    EXPECT_FALSE(saved == first);
    EXPECT_TRUE(readFile(folder_ / "GearData.dat.bak") == first);

    // Its own writes are not another program's: the exit asks nothing, and writing the same list
    // again leaves the version before it in the backup.
    EXPECT_TRUE(clickMenu(cmd::Exit));
    EXPECT_FALSE(frame_->isVisible());
    EXPECT_TRUE(prompts_->shown().empty());
    EXPECT_TRUE(readFile(sample()) == saved);
    EXPECT_TRUE(readFile(folder_ / "GearData.dat.bak") == first);
}

TEST_F(SaveOverChanges, SaveOpenAndExitAskBeforeReplacingAFileWrittenElsewhere) {
    copySample();
    start();
    showWindow();
    const int items = 44; // in 38 rows: groups count by their members
    const std::string theirs = writeFromElsewhere("GearData.dat");

    // No to Save leaves their file; Cancel to the save before Open stays.
    prompts_->answer(PromptAnswer::No);
    EXPECT_TRUE(clickMenu(cmd::Save));
    prompts_->answerOpenFile(documentName("GearData.dat"))
        .answer(PromptAnswer::Yes)
        .answer(PromptAnswer::Cancel);
    EXPECT_TRUE(clickMenu(cmd::Open));
    ASSERT_EQ(prompts_->shown().size(), 4U);
    EXPECT_EQ(
        prompts_->shown()[0],
        changedQuestion("GearData.dat", items, "leave the file as it is", PromptButtons::YesNo));
    EXPECT_EQ(prompts_->shown()[3], changedQuestion("GearData.dat", items,
                                                    "leave the file as it is and open the "
                                                    "other one"));
    EXPECT_TRUE(readFile(sample()) == theirs);
    prompts_->clearShown();

    // Cancel stays in the window; No quits and leaves their file, with no backup made.
    prompts_->answer(PromptAnswer::Cancel);
    EXPECT_TRUE(clickMenu(cmd::Exit));
    EXPECT_TRUE(frame_->isVisible());
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(prompts_->shown().front(), changedQuestion("GearData.dat", items));

    prompts_->answer(PromptAnswer::No);
    EXPECT_TRUE(clickMenu(cmd::Exit));
    EXPECT_FALSE(frame_->isVisible());
    EXPECT_TRUE(readFile(sample()) == theirs);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "GearData.dat.bak"));
}

TEST_F(SaveOverChanges, YesSavesTheWindowsListAndKeepsTheirsAsTheBackup) {
    copySample();
    start();
    showWindow();
    const std::string ours = serializeGearData(doc());
    const std::string theirs = writeFromElsewhere("GearData.dat");

    prompts_->answer(PromptAnswer::Yes);
    EXPECT_TRUE(clickMenu(cmd::Exit));
    EXPECT_FALSE(frame_->isVisible());
    EXPECT_TRUE(readFile(sample()) == ours);
    EXPECT_TRUE(readFile(folder_ / "GearData.dat.bak") == theirs);
}

TEST_F(SaveOverChanges, ADocumentOpenedLaterIsWatchedToo) {
    copySample();
    writeFromElsewhere("trip.dat");
    start();
    showWindow();
    prompts_->answerOpenFile(documentName("trip.dat")).answer(PromptAnswer::No);
    EXPECT_TRUE(clickMenu(cmd::Open));
    ASSERT_EQ(doc().rowCount(), 1);

    // The sample it left is no longer the window's: writing it is no change to the open file.
    writeFromElsewhere("GearData.dat");
    prompts_->clearShown();
    EXPECT_TRUE(clickMenu(cmd::Exit));
    EXPECT_TRUE(prompts_->shown().empty());

    // Reopened, then changed under it.
    frame_.reset();
    start();
    showWindow();
    ASSERT_EQ(client().caption(), QStringLiteral("Varnel - ") + documentName("trip.dat"));
    GearDocument changed;
    changed.insertRecord(test::item("Food", "Oats", "5.00", true));
    changed.insertRecord(test::item("Food", "Tea", "1.00", true));
    ASSERT_FALSE(replaceFileAtomically(folder_ / "trip.dat", serializeGearData(changed)));
    prompts_->answer(PromptAnswer::No);
    EXPECT_TRUE(clickMenu(cmd::Exit));
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(prompts_->shown().front(), changedQuestion("trip.dat", 1));
    EXPECT_TRUE(readFile(folder_ / "trip.dat") == serializeGearData(changed));
}

TEST_F(SaveOverChanges, ABackupThatCannotBeMadeStopsTheSaveAndSaysWhere) {
    copySample();
    const std::string original = readFile(sample());
    std::filesystem::create_directory(folder_ / "GearData.dat.bak");
    start();
    showWindow();
    clickCell(rowNamed("Map"), 1);
    keyOnList(Qt::Key_Space);
    prompts_->answer(PromptAnswer::Ok);
    EXPECT_TRUE(clickMenu(cmd::Save));
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(
        prompts_->shown().front(),
        ShownPrompt::message(documentName("GearData.dat.bak") + QStringLiteral(": ") +
                                 QString::fromStdString(std::system_category().message(EISDIR)),
                             "Error", MessageIcon::Exclamation));
    EXPECT_TRUE(readFile(sample()) == original);
    EXPECT_TRUE(std::filesystem::is_directory(folder_ / "GearData.dat.bak"));

    // The exit save fails the same way; No goes back to the window with the list intact.
    prompts_->answer(PromptAnswer::No);
    EXPECT_TRUE(clickMenu(cmd::Exit));
    EXPECT_TRUE(frame_->isVisible());
    EXPECT_EQ(prompts_->shown().back().caption, QStringLiteral("Error"));
    std::filesystem::remove(folder_ / "GearData.dat.bak");
    EXPECT_TRUE(clickMenu(cmd::Exit));
    EXPECT_TRUE(readFile(folder_ / "GearData.dat.bak") == original);
}

} // namespace
} // namespace varnel
