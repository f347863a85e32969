// A handheld list goes back to the HotSync folder: at exit, after Yes to the save before Open,
// and through its own menu entry; the folder is asked for once and registered.
#include "../model/GearDataBytes.h"
#include "../model/TestRecords.h"
#include "MainWindowDriving.h"
#include "app/CommandIds.h"
#include "model/FixedText.h"
#include "model/GearDataReader.h"
#include "model/GroupEditing.h"
#include "output/HandheldFile.h"
#include "output/HotSyncFolder.h"

namespace varnel {
namespace {

using namespace testbytes;

const std::string kHeader = "Varnel data file. Version 6.0\r\n";
const std::string kBlock("ab\0", 3);

// As the handheld wrote it: "Unfiled" second, stale category positions, Oats checked.
std::string handheldSource() {
    std::string s = kHeader + int32(3) + kBlock + int32(2);
    s += categoryRecord("Food", 128) + categoryRecord("Unfiled", 0);
    s += handheldRecord({.category = "Food",
                         .item = "Stove",
                         .unitWeight = "2.00",
                         .weight = "2.00",
                         .recordId = 9,
                         .categoryIndex = 0});
    s += handheldRecord({.category = "Food",
                         .item = "Oats",
                         .unitWeight = "3.50",
                         .weight = "7.00",
                         .notes = "breakfast",
                         .selected = 1,
                         .multiplier = "2",
                         .recordId = 7,
                         .categoryIndex = 0});
    s += handheldRecord({.category = "unfiled",
                         .item = "Tape",
                         .unitWeight = "0.50",
                         .weight = "0.50",
                         .recordId = 8,
                         .categoryIndex = 1});
    return s;
}

class HandheldSave : public test::DrivenMainWindow {
protected:
    void writeSource(const std::filesystem::path& path, const std::string& bytes) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    // The handheld list as GearData.dat, the window shown.
    void startHandheld() {
        writeSource(folder_ / "GearData.dat", handheldSource());
        start();
        showWindow();
        ASSERT_TRUE(doc().handheldDocument);
    }

    std::filesystem::path hotSyncFolder() { return folder_ / "Palm" / "Me"; }

    void registerFolder(const std::string& folder) {
        hotSyncRegistry_.key(kHotSyncRegistryKey).set(kHotSyncPathValue, folder);
    }

    [[nodiscard]] std::optional<std::string> registeredFolder() const {
        const auto key = hotSyncRegistry_.open(kHotSyncRegistryKey);
        return key ? key->string(kHotSyncPathValue) : std::nullopt;
    }

    [[nodiscard]] static ShownPrompt folderPrompt() {
        return ShownPrompt::textInput(
            QStringLiteral("Enter HotSync Path for Varnel"),
            QStringLiteral("HotSync Path (i.e., C:\\Palm\\MyUserName\\Varnel)"), QString(), 0);
    }

    [[nodiscard]] const ShownPrompt& lastShown() const { return prompts_->shown().back(); }

    // The question after the list could not be written at exit.
    [[nodiscard]] bool askedToQuitAnyway() const {
        const ShownPrompt& p = lastShown();
        return p.text.startsWith(QStringLiteral("The gear list was not saved to the HotSync")) &&
               p.buttons == PromptButtons::YesNo && p.icon == MessageIcon::Exclamation;
    }
};

TEST_F(HandheldSave, ExitAsksForTheFolderOnceAndWritesTheListBackByteForByte) {
    startHandheld();
    ASSERT_EQ(rowNamed("Stove"), 1);
    clickCell(1, 1);
    prompts_->answer(PromptAnswer::Yes);
    clickButton(ctl::Delete);
    clickButton(ctl::ClearSelected);

    std::filesystem::create_directories(hotSyncFolder());
    const QString typed = QString::fromStdString(hotSyncFolder().string());
    prompts_->answerText(typed);
    prompts_->clearShown();
    ASSERT_TRUE(frame_->close());
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(prompts_->shown().front(), folderPrompt());
    EXPECT_EQ(registeredFolder(), typed.toStdString()) << "the folder exactly as typed";

    const std::filesystem::path file = hotSyncFolder() / "PalmData.dat";
    std::string expected = kHeader + int32(3) + kBlock + int32(2);
    expected += categoryRecord("Unfiled", 0) + categoryRecord("Food", 128);
    expected += handheldRecord({.category = "Food",
                                .item = "Oats",
                                .unitWeight = "3.50",
                                .weight = "7.00",
                                .notes = "breakfast",
                                .multiplier = "2",
                                .recordId = 7,
                                .categoryIndex = 1});
    expected += handheldRecord({.category = "unfiled",
                                .item = "Tape",
                                .unitWeight = "0.50",
                                .weight = "0.50",
                                .recordId = 8,
                                .categoryIndex = 0});
    expected += handheldRecord({.category = "Food",
                                .item = "Stove",
                                .unitWeight = "2.00",
                                .weight = "2.00",
                                .recordId = 9,
                                .deleted = 1});
    const std::string written = readFile(file);
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_EQ(written, expected);
    EXPECT_EQ(client().appSettings().recentFiles().front(), file.string());
    EXPECT_EQ(readFile(folder_ / "GearData.dat"), handheldSource())
        << "the opened file is not where the list goes";

    // Our reader gets the same rows back.
    GearDocument back;
    ASSERT_TRUE(readGearDataFile(file, back).ok());
    EXPECT_TRUE(back.handheldDocument);
    EXPECT_EQ(back.handheldBlock, std::vector<unsigned char>(kBlock.begin(), kBlock.end()));
    ASSERT_EQ(back.rowCount(), doc().rowCount());
    for (int r = 0; r < back.rowCount(); ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(back.displayText(r, c), doc().displayText(r, c)) << r << "," << c;
        }
        EXPECT_EQ(back.row(r).checked(), doc().row(r).checked());
        EXPECT_EQ(back.record(r).recordId, doc().record(r).recordId);
    }
    ASSERT_EQ(back.deletedRecords.size(), 1U);
    EXPECT_EQ(back.deletedRecords[0].recordId, 9);

    // The next exit asks nothing: any prompt would fail the test.
    frame_.reset();
    start();
    prompts_->clearShown();
    ASSERT_TRUE(frame_->close());
    EXPECT_TRUE(prompts_->shown().empty());
    EXPECT_EQ(readFile(file).size(), handheldSource().size()) << "the three rows read again";
}

TEST_F(HandheldSave, AListOpenedFromTheHotSyncFolderGoesBackUnchanged) {
    // Already in the order the writer gives: nothing to change, so the same bytes.
    std::string bytes = kHeader + int32(0) + int32(1) + categoryRecord("Unfiled", 0);
    bytes += handheldRecord({.category = "Unfiled",
                             .item = "Tape",
                             .unitWeight = "0.50",
                             .weight = "0.50",
                             .selected = 1,
                             .recordId = 8});
    const std::filesystem::path file = hotSyncFolder() / "PalmData.dat";
    writeSource(file, bytes);
    registerFolder(hotSyncFolder().string());
    start();
    client().openChosenDocument(file);
    ASSERT_TRUE(doc().handheldDocument);
    ASSERT_TRUE(frame_->close());
    EXPECT_EQ(readFile(file), bytes);
}

TEST_F(HandheldSave, ARelativeFolderIsTakenFromTheCurrentFolderAndStoredAsTyped) {
    startHandheld();
    std::filesystem::create_directories(folder_ / "Palm");
    prompts_->answerText(QStringLiteral("Palm"));
    ASSERT_TRUE(frame_->close());
    EXPECT_EQ(registeredFolder(), "Palm");
    EXPECT_TRUE(std::filesystem::exists(folder_ / "Palm" / "PalmData.dat"));
}

TEST_F(HandheldSave, AFolderThatIsNotThereIsRefusedAndNotRegistered) {
    startHandheld();
    prompts_->answerText(QString::fromStdString((folder_ / "nowhere" / "Palm").string()))
        .answer(PromptAnswer::Ok)
        .answer(PromptAnswer::Yes);
    prompts_->clearShown();
    ASSERT_TRUE(frame_->close()) << "Yes quits without the list";
    ASSERT_EQ(prompts_->shown().size(), 3U);
    EXPECT_EQ(
        prompts_->shown()[1],
        ShownPrompt::message(QStringLiteral("Possibly invalid path.\nPlease make sure path is "
                                            "correct and that specified folder exists"),
                             QStringLiteral("Varnel"), MessageIcon::Stop));
    EXPECT_TRUE(askedToQuitAnyway());
    EXPECT_EQ(registeredFolder(), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "nowhere"));
    EXPECT_EQ(readFile(folder_ / "GearData.dat"), handheldSource());
}

TEST_F(HandheldSave, CancelledPromptOrMissingPathLetTheUserStayAndSaveLater) {
    startHandheld();
    // Cancel: no message, the question; No stays.
    prompts_->answerText(std::nullopt).answer(PromptAnswer::No);
    prompts_->clearShown();
    EXPECT_FALSE(frame_->close());
    ASSERT_EQ(prompts_->shown().size(), 2U);
    EXPECT_TRUE(askedToQuitAnyway());

    // A key without its "Path": said, then the folder is asked for.
    hotSyncRegistry_.key(kHotSyncRegistryKey).set("Other", std::string("x"));
    prompts_->answer(PromptAnswer::Ok).answerText(std::nullopt).answer(PromptAnswer::No);
    prompts_->clearShown();
    EXPECT_FALSE(frame_->close());
    ASSERT_EQ(prompts_->shown().size(), 3U);
    EXPECT_EQ(prompts_->shown()[0],
              ShownPrompt::message(QStringLiteral("Could not locate Palm Desktop folder path"),
                                   QStringLiteral("Varnel"), MessageIcon::Stop));
    EXPECT_EQ(prompts_->shown()[1], folderPrompt());

    // The save from the menu asks the same way and registers the folder; exit writes again.
    std::filesystem::create_directories(hotSyncFolder());
    prompts_->answer(PromptAnswer::Ok).answerText(QString::fromStdString(hotSyncFolder().string()));
    ASSERT_TRUE(clickMenu(cmd::SaveForHandheld));
    EXPECT_EQ(registeredFolder(), hotSyncFolder().string());
    const std::filesystem::path file = hotSyncFolder() / "PalmData.dat";
    EXPECT_EQ(readFile(file), serializeHandheldFile(doc()));
    std::filesystem::remove(file);
    EXPECT_TRUE(frame_->close());
    EXPECT_TRUE(std::filesystem::exists(file));
}

TEST_F(HandheldSave, AFileThatCannotBeMadeIsSaid) {
    startHandheld();
    std::ofstream(folder_ / "blocker") << "x";
    registerFolder((folder_ / "blocker").string());
    prompts_->answer(PromptAnswer::Ok).answerText(std::nullopt).answer(PromptAnswer::No);
    prompts_->clearShown();
    EXPECT_FALSE(frame_->close());
    ASSERT_EQ(prompts_->shown().size(), 3U);
    EXPECT_EQ(prompts_->shown()[0],
              ShownPrompt::message(QStringLiteral("Error Creating PalmData.dat file"),
                                   QStringLiteral("Varnel"), MessageIcon::Exclamation));
    EXPECT_EQ(prompts_->shown()[1], folderPrompt());
    EXPECT_TRUE(askedToQuitAnyway());
    EXPECT_EQ(readFile(folder_ / "blocker"), "x");

    // Another folder given at exit takes the list.
    std::filesystem::create_directories(hotSyncFolder());
    prompts_->answer(PromptAnswer::Ok).answerText(QString::fromStdString(hotSyncFolder().string()));
    EXPECT_TRUE(frame_->close());
    EXPECT_TRUE(std::filesystem::exists(hotSyncFolder() / "PalmData.dat"));
    EXPECT_EQ(registeredFolder(), hotSyncFolder().string());
}

TEST_F(HandheldSave, AFileCutShortInTheHotSyncFolderIsNotReplacedUnasked) {
    std::string bytes = handheldSource();
    bytes.resize(kHeader.size() + 4 + 3 + 4 + 36 + 10); // inside the second category
    const std::filesystem::path file = hotSyncFolder() / "PalmData.dat";
    writeSource(file, bytes);
    registerFolder(hotSyncFolder().string());
    prompts_->setAcknowledgeOkMessages(true);
    start();
    client().openChosenDocument(file);
    ASSERT_TRUE(doc().handheldDocument);

    prompts_->clearShown();
    prompts_->answer(PromptAnswer::Cancel);
    EXPECT_FALSE(frame_->close());
    EXPECT_EQ(lastShown().buttons, PromptButtons::YesNoCancel);
    EXPECT_TRUE(lastShown().text.startsWith(QString::fromStdString(file.string())));
    prompts_->answer(PromptAnswer::No);
    EXPECT_TRUE(frame_->close());
    EXPECT_EQ(readFile(file), bytes);
}

TEST_F(HandheldSave, YesToSavingBeforeOpenWritesTheHotSyncFile) {
    startHandheld();
    std::filesystem::create_directories(hotSyncFolder());
    registerFolder(hotSyncFolder().string());
    std::filesystem::copy_file(std::filesystem::path(VARNEL_SOURCE_DIR) /
                                   "resources/sample/GearData.dat",
                               folder_ / "trip.dat");
    prompts_->answerOpenFile(documentName("trip.dat")).answer(PromptAnswer::Yes);
    ASSERT_TRUE(clickMenu(cmd::Open));
    EXPECT_TRUE(std::filesystem::exists(hotSyncFolder() / "PalmData.dat"));
    EXPECT_FALSE(doc().handheldDocument);
}

TEST_F(HandheldSave, TheMenuEntryIsForHandheldListsOnly) {
    copySample();
    start();
    showWindow();
    EXPECT_FALSE(clickMenu(cmd::SaveForHandheld));
    EXPECT_EQ(client().action(cmd::SaveForHandheld)->text(),
              QStringLiteral("Save the file for syncing with Palm device"));
    EXPECT_EQ(menuWith(client().action(cmd::SaveForHandheld)),
              menuWith(client().action(cmd::SaveAs)));

    frame_.reset();
    std::filesystem::remove(folder_ / "GearData.ini");
    std::filesystem::remove(folder_ / "GearData.dat");
    startHandheld();
    openAndCloseMenus();
    EXPECT_TRUE(client().action(cmd::SaveForHandheld)->isEnabled());
    ASSERT_TRUE(clickMenu(cmd::New));
    EXPECT_FALSE(clickMenu(cmd::SaveForHandheld)) << "New leaves handheld mode";
}

TEST_F(HandheldSave, TheMenuSaveRefusesWhatTheHandheldCannotKeep) {
    startHandheld();
    std::filesystem::create_directories(hotSyncFolder());
    registerFolder(hotSyncFolder().string());
    const std::filesystem::path file = hotSyncFolder() / "PalmData.dat";
    const auto refused = [&](const char* text) {
        prompts_->answer(PromptAnswer::Ok);
        prompts_->clearShown();
        EXPECT_TRUE(clickMenu(cmd::SaveForHandheld));
        ASSERT_EQ(prompts_->shown().size(), 1U) << text;
        EXPECT_EQ(prompts_->shown()[0],
                  ShownPrompt::message(QString::fromLatin1(text),
                                       QStringLiteral("Cannot Save PalmData.dat"),
                                       MessageIcon::Stop));
        EXPECT_FALSE(std::filesystem::exists(file)) << text;
    };

    // The rows on show are not the whole list.
    clickHideBox();
    prompts_->answer(PromptAnswer::Ok);
    prompts_->clearShown();
    EXPECT_TRUE(clickMenu(cmd::SaveForHandheld));
    EXPECT_EQ(lastShown(),
              ShownPrompt::message(QStringLiteral("Please uncheck the \"Hide Non-Selected Items\" "
                                                  "checkbox before saving"),
                                   QStringLiteral("Important!"), MessageIcon::Exclamation));
    EXPECT_FALSE(std::filesystem::exists(file));
    clickHideBox();

    const int stove = rowNamed("Stove");
    const int oats = rowNamed("Oats");
    ASSERT_GE(createGroup(doc(), stove, oats, "Cook kit", ""), 0);
    refused("Groups not allowed");

    doc().insertRecord(test::item("Seventeen chars!!", "Map"));
    refused("Categories may be no longer than 16 characters");

    for (int i = 0; i < 14; ++i) {
        doc().insertRecord(test::item("Extra " + std::to_string(i), "Thing"));
    }
    refused("No more than 15 categories allowed");
}

TEST_F(HandheldSave, TheMenuSaveAsksAboutCustomColumns) {
    startHandheld();
    std::filesystem::create_directories(hotSyncFolder());
    registerFolder(hotSyncFolder().string());
    const std::filesystem::path file = hotSyncFolder() / "PalmData.dat";
    doc().userColumnCount = 1;

    prompts_->answer(PromptAnswer::No);
    prompts_->clearShown();
    ASSERT_TRUE(clickMenu(cmd::SaveForHandheld));
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(prompts_->shown()[0],
              ShownPrompt::message(
                  QStringLiteral("Custom columns are not saved to PalmData.dat\nContinue anyway?"),
                  QStringLiteral("Varnel"), MessageIcon::Question, PromptButtons::YesNo));
    EXPECT_FALSE(std::filesystem::exists(file)) << "No stops";

    prompts_->answer(PromptAnswer::Yes);
    ASSERT_TRUE(clickMenu(cmd::SaveForHandheld));
    EXPECT_EQ(readFile(file), serializeHandheldFile(doc()));
    EXPECT_EQ(client().appSettings().recentFiles().front(), file.string());
    EXPECT_NE(readFile(folder_ / "Varnel.ini").find("FILE=" + documentPath("GearData.dat")),
              std::string::npos)
        << "the document's own settings and last file as any save writes them";
}

} // namespace
} // namespace varnel
