// Each document command in each state the list can be in: a hide view, an expanded group, a
// renamed heading, a failed write, a file cut short.
#include "../model/TestRecords.h"
#include "DialogDriving.h"
#include "MainWindowDriving.h"
#include "app/CommandIds.h"
#include "app/TPubInfo.h"
#include "config/TConfigureCategoriesDlg.h"
#include "model/FixedText.h"
#include "model/GearDataReader.h"
#include "model/GearDataWriter.h"
#include "ui/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>

#include <set>

namespace varnel {
namespace {

class CommandStates : public test::DrivenMainWindow {
protected:
    // A small second document beside the sample: two items in a category of its own.
    void writeTrip() {
        GearDocument trip;
        trip.insertRecord(test::item("Water", "Filter", "3.00", true));
        trip.insertRecord(test::item("Water", "Bottle", "1.20"));
        ASSERT_TRUE(writeGearDataFile(folder_ / "trip.dat", trip).ok());
    }

    // What a file holds now, read by our own reader.
    std::vector<std::string> itemsOnDisk(const char* name) {
        GearDocument read;
        EXPECT_TRUE(readGearDataFile(folder_ / name, read).ok());
        std::vector<std::string> out;
        for (int r = 0; r < read.rowCount(); ++r) {
            out.emplace_back(fieldText(read.record(r).item));
        }
        return out;
    }

    // Makes the next write of `name` fail: a folder stands where the file was.
    void blockWritesTo(const char* name) {
        std::filesystem::remove(folder_ / name);
        std::filesystem::create_directory(folder_ / name);
    }
};

TEST_F(CommandStates, OpenRecentAndNewLeaveAHideViewBeforeSavingOrReplacing) {
    copySample();
    writeTrip();
    start();
    showWindow();
    const std::vector<std::string> whole = itemsOnDisk("GearData.dat");
    const int rows = doc().rowCount();

    // Open, answering Yes: the whole list is written, not the rows on show.
    clickHideBox();
    ASSERT_LT(doc().rowCount(), rows);
    prompts_->answerOpenFile(documentName("trip.dat")).answer(PromptAnswer::Yes);
    ASSERT_TRUE(clickMenu(cmd::Open));
    EXPECT_EQ(itemsOnDisk("GearData.dat").size(), whole.size());
    EXPECT_EQ(client().documentName(), folder_ / "trip.dat");
    EXPECT_FALSE(doc().hideViewActive());
    EXPECT_FALSE(
        client().findChild<QCheckBox*>(QString::number(ctl::HideNonSelected))->isChecked());
    EXPECT_EQ(client().action(cmd::HideNonSelected)->text(), QStringLiteral("Hide &Non-Selected"));

    // A recent-file pick from the Hide Selected view, answering No: nothing of the view's rows
    // comes back into the next document, and exit writes only that one.
    ASSERT_TRUE(clickMenu(cmd::HideSelected));
    ASSERT_TRUE(doc().hideSelected);
    prompts_->answer(PromptAnswer::No);
    client().openRecentFile(documentName("GearData.dat"));
    EXPECT_FALSE(doc().hideViewActive());
    EXPECT_EQ(client().action(cmd::HideSelected)->text(), QStringLiteral("&Hide Selected"));
    EXPECT_EQ(doc().rowCount(), rows);
    EXPECT_EQ(itemsOnDisk("trip.dat"), (std::vector<std::string>{"Bottle", "Filter"}));

    // New from a hide view: an empty document, and the old rows never return.
    clickHideBox();
    ASSERT_TRUE(clickMenu(cmd::New));
    EXPECT_EQ(doc().rowCount(), 0);
    EXPECT_FALSE(doc().hideViewActive());
    EXPECT_TRUE(frame_->close());
    EXPECT_TRUE(itemsOnDisk("Untitled.dat").empty());
    EXPECT_EQ(itemsOnDisk("GearData.dat").size(), whole.size());
}

TEST_F(CommandStates, AddingWhileAGroupIsExpandedNeverSplitsTheGroup) {
    copySample();
    start([](QDialog& d) {
        auto* dialog = qobject_cast<TPubInfo*>(&d);
        if (!dialog) {
            return int(QDialog::Rejected);
        }
        auto* box = d.findChild<QComboBox*>(QLatin1String(TPubInfo::kCategoryId));
        box->setCurrentIndex(box->findText(QStringLiteral("Kitchen")));
        test::setText(d, TPubInfo::kItemId, QStringLiteral("Cup"));
        test::setText(d, TPubInfo::kWeightId, QStringLiteral("2"));
        d.accept();
        return d.result();
    });
    showWindow();
    const int group = rowNamed("+ Cook kit");
    ASSERT_GE(group, 0);
    clickCell(group, 1);
    ASSERT_EQ(doc().displayText(group, 1), "- Cook kit");
    clickButton(ctl::Add);
    // The new row is after the four members, which stay right under their group.
    EXPECT_EQ(rowNamed("Cup"), group + 5);
    for (int r = group + 1; r <= group + 4; ++r) {
        EXPECT_TRUE(doc().row(r).isMemberRow()) << r;
    }
    clickCell(group, 1);
    for (int r = 0; r < doc().rowCount(); ++r) {
        EXPECT_FALSE(doc().row(r).isMemberRow()) << "a member copy was left at " << r;
    }
    EXPECT_GE(rowNamed("Cup"), 0);
    ASSERT_TRUE(frame_->close());
    const auto items = itemsOnDisk("GearData.dat");
    EXPECT_EQ(std::count(items.begin(), items.end(), "Cup"), 1);
    EXPECT_EQ(std::count(items.begin(), items.end(), "Long spoon"), 0) << "members stay members";
}

TEST_F(CommandStates, ModifyFindsItsItemAgainAfterARenameResortedTheList) {
    for (const std::string item : {"Fleece", "Long spoon"}) { // an item; a member of Cook kit
        frame_.reset();
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        copySample();
        prompts_->answer(PromptAnswer::Yes).answerText(QStringLiteral("Aardvark"));
        start([&](QDialog& d) {
            auto* box = d.findChild<QComboBox*>(QStringLiteral("101"));
            if (qobject_cast<TPubInfo*>(&d)) {
                const QString category = box->currentText();
                test::press(d, TPubInfo::kConfigureId);
                box->setCurrentIndex(box->findText(category));
                test::setText(d, TPubInfo::kItemId, QString::fromStdString(item + " 2"));
            } else { // Configure Categories: Water goes to the top of the list
                box->setCurrentIndex(box->findText(QStringLiteral("Water")));
                test::press(d, TConfigureCategoriesDlg::kRenameId);
            }
            test::press(d, kOkId);
            return d.result();
        });
        showWindow();
        const auto items = [this] {
            client().cmExpandAll();
            std::multiset<std::string> out;
            for (int r = 0; r < doc().rowCount(); ++r) {
                out.insert(doc().displayText(r, 1));
            }
            return out;
        };
        auto expected = items();
        expected.erase(expected.find(item));
        expected.insert(item + " 2");
        clickCell(rowNamed(item), 1);
        clickButton(ctl::Modify);
        EXPECT_EQ(items(), expected) << item;
    }
}

TEST_F(CommandStates, AFailedSaveAsChangesNothing) {
    copySample();
    start();
    showWindow();
    const int rows = doc().rowCount();
    const std::string varnelIni = readFile(folder_ / "Varnel.ini");
    const QString title = frame_->windowTitle();
    // A name inside a file, which no folder can be.
    std::ofstream(folder_ / "notes.txt") << "x";
    prompts_->answerSaveFile(documentName("notes.txt") + QStringLiteral("/trip.dat"))
        .answer(PromptAnswer::Ok);
    ASSERT_TRUE(clickMenu(cmd::SaveAs));
    ASSERT_FALSE(prompts_->shown().empty());
    EXPECT_EQ(prompts_->shown().back().caption, QStringLiteral("Error"));
    EXPECT_EQ(doc().rowCount(), rows);
    EXPECT_EQ(client().documentName(), folder_ / "GearData.dat");
    EXPECT_EQ(frame_->windowTitle(), title);
    EXPECT_EQ(readFile(folder_ / "Varnel.ini"), varnelIni) << "LASTFILE and the recent files";
}

TEST_F(CommandStates, OpenAfterAFailedSaveFirstKeepsTheDocumentOpen) {
    copySample();
    writeTrip();
    start();
    showWindow();
    const int rows = doc().rowCount();
    blockWritesTo("GearData.dat");
    prompts_->answerOpenFile(documentName("trip.dat"))
        .answer(PromptAnswer::Yes)
        .answer(PromptAnswer::Ok);
    ASSERT_TRUE(clickMenu(cmd::Open));
    EXPECT_EQ(prompts_->shown().back().caption, QStringLiteral("Error"));
    EXPECT_EQ(client().documentName(), folder_ / "GearData.dat");
    EXPECT_EQ(doc().rowCount(), rows);

    prompts_->answer(PromptAnswer::Yes).answer(PromptAnswer::Ok);
    client().openRecentFile(documentName("trip.dat"));
    EXPECT_EQ(client().documentName(), folder_ / "GearData.dat");
    EXPECT_EQ(doc().rowCount(), rows);
    prompts_->answer(PromptAnswer::Yes);
    EXPECT_TRUE(frame_->close());
}

TEST_F(CommandStates, ConvertFollowsTheUnitFlagWhateverTheHeadingSays) {
    copySample();
    start();
    showWindow();
    const int row = rowNamed("Map");
    ASSERT_GE(row, 0);
    ASSERT_EQ(doc().displayText(row, 2), "1.50");
    // Modify Column may rename the weight heading.
    client().model().setHeading(2, QStringLiteral("Gewicht"));
    clickButton(ctl::Convert);
    EXPECT_EQ(doc().displayText(row, 2), "42.56");
    EXPECT_EQ(client().model().heading(2), QStringLiteral("Weight (gm)"));
    EXPECT_TRUE(doc().metric);
    clickButton(ctl::Convert);
    EXPECT_EQ(doc().displayText(row, 2), "1.50");
    EXPECT_EQ(client().model().heading(2), QStringLiteral("Weight (oz)"));
}

TEST_F(CommandStates, ConvertWithNothingCheckedShowsTheConvertedZero) {
    copySample();
    start();
    showWindow();
    clickButton(ctl::ClearSelected);
    clickButton(ctl::Convert);
    EXPECT_EQ(client().totalText(), QStringLiteral("0.00 gm. (0.00 kgs)"));
    clickButton(ctl::Convert);
    EXPECT_EQ(client().totalText(), QStringLiteral("0.00 oz. (0.00 lbs)"));
}

TEST_F(CommandStates, AFailedWriteAtExitLetsTheUserGoBack) {
    copySample();
    start();
    showWindow();
    const std::string varnelIni = readFile(folder_ / "Varnel.ini");
    blockWritesTo("GearData.dat");
    prompts_->answer(PromptAnswer::No);
    EXPECT_FALSE(frame_->close()) << "No goes back to the window";
    ASSERT_EQ(prompts_->shown().size(), 1U);
    const ShownPrompt& asked = prompts_->shown().front();
    EXPECT_TRUE(asked.text.startsWith(QStringLiteral("The gear list could not be saved to ") +
                                      documentName("GearData.dat") + QStringLiteral(":\n")));
    EXPECT_TRUE(asked.text.contains(QStringLiteral("It is not saved.")));
    EXPECT_EQ(asked.caption, QStringLiteral("Error"));
    EXPECT_EQ(asked.buttons, PromptButtons::YesNo);
    EXPECT_EQ(readFile(folder_ / "Varnel.ini"), varnelIni) << "no LASTFILE for an unwritten list";

    // Then Save As elsewhere works, and exit writes there.
    prompts_->answerSaveFile(documentName("rescued.dat"));
    ASSERT_TRUE(clickMenu(cmd::SaveAs));
    EXPECT_TRUE(frame_->close());
    EXPECT_FALSE(itemsOnDisk("rescued.dat").empty());

    // Quitting anyway ends the program with the failure said.
    frame_.reset();
    std::filesystem::remove(folder_ / "rescued.dat");
    blockWritesTo("rescued.dat");
    prompts_->answer(PromptAnswer::Ok); // "Cannot read ...: Is a directory."
    start();
    prompts_->answer(PromptAnswer::Yes).answer(PromptAnswer::Yes);
    EXPECT_TRUE(frame_->close());
    EXPECT_EQ(prompts_->shown().back().caption, QStringLiteral("Error"));
}

TEST_F(CommandStates, AFileCutShortIsToldOnceAndNotOverwrittenUnasked) {
    copySample();
    std::string bytes = readFile(folder_ / "GearData.dat");
    bytes.resize(bytes.size() - 30);
    std::ofstream(folder_ / "GearData.dat", std::ios::binary) << bytes;
    prompts_->answer(PromptAnswer::Ok);
    start();
    ASSERT_EQ(prompts_->shown().size(), 1U);
    const int rows = doc().rowCount();
    EXPECT_EQ(prompts_->shown().front(),
              ShownPrompt::message(documentName("GearData.dat") +
                                       QStringLiteral(" ends in the middle of an item: only the "
                                                      "first %1 items could be read.\n\nVarnel "
                                                      "will ask before it saves over this file.")
                                           .arg(rows),
                                   "Varnel", MessageIcon::Exclamation));

    // Cancel stays; No quits and leaves the file as it was.
    prompts_->answer(PromptAnswer::Cancel);
    EXPECT_FALSE(frame_->close());
    prompts_->answer(PromptAnswer::No);
    EXPECT_TRUE(frame_->close());
    EXPECT_EQ(readFile(folder_ / "GearData.dat"), bytes);
    EXPECT_EQ(prompts_->shown().back().buttons, PromptButtons::YesNoCancel);

    // Yes writes what is shown, and the next start says nothing.
    frame_.reset();
    prompts_->answer(PromptAnswer::Ok).answer(PromptAnswer::Yes);
    start();
    EXPECT_TRUE(frame_->close());
    frame_.reset();
    prompts_->clearShown();
    start();
    EXPECT_TRUE(prompts_->shown().empty());
    EXPECT_EQ(doc().rowCount(), rows);
}

TEST_F(CommandStates, SettingsWithoutColumnRecordsShowNoColumnsOfTheLastDocument) {
    copySample();
    writeTrip();
    std::ofstream(folder_ / "trip.ini") << "[COLUMNS]\r\nUSERCOLS=0100000001\r\n";
    start();
    ASSERT_EQ(client().model().columnCount(), 5) << "the sample has a Brand column";
    prompts_->answerOpenFile(documentName("trip.dat")).answer(PromptAnswer::No);
    client().cmOpen();
    EXPECT_EQ(client().model().columnCount(), 4);
    ASSERT_TRUE(frame_->close());
    EXPECT_NE(readFile(folder_ / "trip.ini").find("USERCOLS=0000000000"), std::string::npos);
}

TEST_F(CommandStates, HideViewsRefreshTheButtonsAndRestoreTheSortState) {
    copySample();
    start();
    showWindow();
    clickHideBox();
    for (int id : {ctl::Add, ctl::Delete, ctl::Modify}) {
        EXPECT_FALSE(client().button(id)->isEnabled()) << id;
    }
    for (int id : {ctl::Totals, ctl::Convert}) {
        EXPECT_TRUE(client().button(id)->isEnabled()) << id;
    }
    // A weight sort inside the view ends with the view.
    clickHeading(2);
    EXPECT_TRUE(doc().sortedView);
    clickHideBox();
    EXPECT_FALSE(doc().sortedView);
    EXPECT_EQ(doc().displayText(0, 0), "Clothing");
    for (int id : {ctl::Add, ctl::Delete, ctl::Modify}) {
        EXPECT_TRUE(client().button(id)->isEnabled()) << id;
    }

    // Sorted by weight, Add and Modify stay off after a Delete, a drop, Remove from Group and a
    // hide view.
    const auto editingOff = [this] {
        return !client().button(ctl::Add)->isEnabled() &&
               !client().button(ctl::Modify)->isEnabled();
    };
    clickHeading(2);
    clickCell(0, 1);
    prompts_->answer(PromptAnswer::Yes);
    clickButton(ctl::Delete);
    EXPECT_TRUE(editingOff());
    client().dropRow(rowNamed("Beanie"), rowNamed("+ Cook kit"));
    EXPECT_TRUE(editingOff());
    clickCell(rowNamed("+ Cook kit"), 1);
    clickCell(rowNamed("Beanie"), 1);
    client().action(cmd::RemoveFromGroup)->trigger();
    EXPECT_TRUE(editingOff());
    clickHideBox();
    clickHideBox();
    EXPECT_TRUE(editingOff());
}

} // namespace
} // namespace varnel

namespace varnel {
namespace {

TEST_F(CommandStates, AFileThatIsNoGearListIsNotReplacedAtExitUnasked) {
    copySample();
    std::ofstream(folder_ / "packing.txt") << "tent\r\nstove\r\n";
    start();
    prompts_->answerOpenFile(documentName("packing.txt"))
        .answer(PromptAnswer::No)
        .answer(PromptAnswer::Ok);
    ASSERT_TRUE(clickMenu(cmd::Open));
    EXPECT_EQ(prompts_->shown().back().text, QStringLiteral("Not a Varnel data file"));
    prompts_->answer(PromptAnswer::No);
    EXPECT_TRUE(frame_->close());
    EXPECT_TRUE(prompts_->shown().back().text.startsWith(
        documentName("packing.txt") + QStringLiteral(" could not be read as a gear list")));
    EXPECT_EQ(readFile(folder_ / "packing.txt"), "tent\r\nstove\r\n");
}

} // namespace
} // namespace varnel
