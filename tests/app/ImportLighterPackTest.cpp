// File > Import LighterPack CSV... from the real menu.
#include "MainWindowDriving.h"
#include "app/CommandIds.h"
#include "model/FixedText.h"
#include "model/GearDataWriter.h"

#include <QAction>
#include <QHeaderView>

#include <string>

namespace varnel {
namespace {

QString lighterPackFile(const char* name) {
    return QString::fromStdString(std::string(VARNEL_TEST_DATA) + "/lighterpack/" + name);
}

class ImportLighterPack : public test::DrivenMainWindow {
protected:
    void SetUp() override {
        DrivenMainWindow::SetUp();
        copySample();
        start();
        showWindow();
        rowsBefore_ = doc().rowCount();
        columnsBefore_ = client().model().columnCount();
        bytesBefore_ = serializeGearData(doc());
        prompts_->clearShown();
    }

    // Nothing in the document differs from the sample as it was opened.
    void expectUnchanged() {
        EXPECT_EQ(doc().rowCount(), rowsBefore_);
        EXPECT_EQ(client().model().columnCount(), columnsBefore_);
        EXPECT_EQ(serializeGearData(doc()), bytesBefore_);
    }

    QStringList userHeadings() {
        QStringList out;
        for (int c = 4; c < client().model().columnCount(); ++c) {
            out << client().model().heading(c);
        }
        return out;
    }

    int rowsBefore_ = 0;
    int columnsBefore_ = 0;
    std::string bytesBefore_;
};

TEST_F(ImportLighterPack, AddsTheListWithItsColumnsAndReportsEveryRow) {
    const QStringList headingsBefore = userHeadings();
    const float totalBefore = doc().selectedTotal();
    prompts_->answerOpenFile(lighterPackFile("full.csv"))
        .answer(PromptAnswer::Yes)
        .answer(PromptAnswer::Ok);
    ASSERT_TRUE(clickMenu(cmd::ImportLighterPack));

    const auto& shown = prompts_->shown();
    ASSERT_EQ(shown.size(), 3U);
    EXPECT_EQ(shown[0].caption, QStringLiteral("Import LighterPack CSV"));
    EXPECT_EQ(shown[0].text,
              QStringLiteral("LighterPack CSV Files (*.csv)|*.csv|All Files (*.*)|*.*|"));
    EXPECT_EQ(shown[1].text,
              QStringLiteral("The list has values for url, price, worn, consumable, and this "
                             "document has no user columns of those names.\n\nAdd the columns? "
                             "Yes adds them; No imports the list without these values; Cancel "
                             "imports nothing."));
    EXPECT_EQ(shown[1].buttons, PromptButtons::YesNoCancel);
    EXPECT_EQ(shown[2].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(shown[2].text.startsWith(QStringLiteral("6 items imported and checked.")));
    EXPECT_TRUE(shown[2].text.contains(
        QStringLiteral("  line 8: Item Name: a character that cannot be stored became \"?\"")));
    EXPECT_TRUE(shown[2].text.contains(
        QStringLiteral("Skipped (not imported):\n  line 7: the weight \"heavy\" is not a number")));

    EXPECT_EQ(doc().rowCount(), rowsBefore_ + 6);
    EXPECT_EQ(userHeadings(), (headingsBefore + QStringList{"url", "price", "worn", "consumable"}));
    EXPECT_GT(client().listView()->header()->sectionSize(columnsBefore_), 0);
    EXPECT_NEAR(doc().selectedTotal(), totalBefore + 130.13F, 0.01);
    const int jetboil = rowNamed("Jetboil Flash \xBD L");
    ASSERT_GE(jetboil, 0);
    EXPECT_TRUE(doc().row(jetboil).checked());
    EXPECT_EQ(client().model().index(jetboil, 1).data().toString(),
              QStringLiteral("Jetboil Flash ½ L"));
    const int tent = rowNamed("Tent");
    ASSERT_GE(tent, 0);
    EXPECT_EQ(client().model().index(tent, columnsBefore_).data().toString(),
              QStringLiteral("https://example.com/tent"));
    const auto& choices = doc().categoryChoices;
    EXPECT_TRUE(std::any_of(choices.begin(), choices.end(),
                            [](const CategoryChoice& c) { return c.name == "Misc"; }));
}

TEST_F(ImportLighterPack, NoLeavesTheColumnsOutAndSaysSo) {
    prompts_->answerOpenFile(lighterPackFile("full.csv"))
        .answer(PromptAnswer::No)
        .answer(PromptAnswer::Ok);
    ASSERT_TRUE(clickMenu(cmd::ImportLighterPack));
    EXPECT_EQ(client().model().columnCount(), columnsBefore_);
    EXPECT_EQ(doc().rowCount(), rowsBefore_ + 6);
    ASSERT_EQ(prompts_->shown().size(), 3U);
    EXPECT_TRUE(prompts_->shown()[2].text.contains(
        QStringLiteral("Not imported, for want of user columns of these names: url price worn "
                       "consumable")));
}

TEST_F(ImportLighterPack, CancelAnywhereOrAnotherFileChangesNothing) {
    prompts_->answerOpenFile(std::nullopt);
    ASSERT_TRUE(clickMenu(cmd::ImportLighterPack));
    expectUnchanged();

    prompts_->answerOpenFile(lighterPackFile("full.csv")).answer(PromptAnswer::Cancel);
    ASSERT_TRUE(clickMenu(cmd::ImportLighterPack));
    expectUnchanged();

    prompts_->clearShown();
    prompts_->answerOpenFile(lighterPackFile("not-lighterpack.csv")).answer(PromptAnswer::Ok);
    ASSERT_TRUE(clickMenu(cmd::ImportLighterPack));
    expectUnchanged();
    ASSERT_EQ(prompts_->shown().size(), 2U);
    EXPECT_EQ(prompts_->shown()[1].text,
              QStringLiteral("Not a LighterPack CSV file: its first line is not \"Item "
                             "Name,Category,desc,qty,weight,unit...\". Nothing was imported."));
    EXPECT_EQ(prompts_->shown()[1].icon, MessageIcon::Exclamation);

    prompts_->clearShown();
    prompts_->answerOpenFile(lighterPackFile("missing.csv")).answer(PromptAnswer::Ok);
    ASSERT_TRUE(clickMenu(cmd::ImportLighterPack));
    expectUnchanged();
    ASSERT_EQ(prompts_->shown().size(), 2U);
    EXPECT_TRUE(prompts_->shown()[1].text.endsWith(QStringLiteral("No such file or directory.")));
}

TEST_F(ImportLighterPack, AnOlderListNeedsNoQuestionAndIsUnavailableWhileRowsAreHidden) {
    prompts_->answerOpenFile(lighterPackFile("older.csv")).answer(PromptAnswer::Ok);
    ASSERT_TRUE(clickMenu(cmd::ImportLighterPack));
    ASSERT_EQ(prompts_->shown().size(), 2U);
    EXPECT_EQ(prompts_->shown()[1].icon, MessageIcon::Information);
    EXPECT_TRUE(
        prompts_->shown()[1].text.startsWith(QStringLiteral("6 items imported and checked.")));
    EXPECT_EQ(doc().rowCount(), rowsBefore_ + 6);

    clickHideBox();
    ASSERT_TRUE(doc().hideViewActive());
    EXPECT_FALSE(clickMenu(cmd::ImportLighterPack));
}

TEST_F(ImportLighterPack, TheFileMenuReachesItByItsOwnLetter) {
    QMenu* file = menuWith(client().action(cmd::ImportLighterPack));
    ASSERT_NE(file, nullptr);
    prompts_->answerOpenFile(std::nullopt);
    file->popup(frame_->mapToGlobal(QPoint(10, 10)));
    QApplication::processEvents();
    QTest::keyClick(file, Qt::Key_I);
    QApplication::processEvents();
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(prompts_->shown()[0].caption, QStringLiteral("Import LighterPack CSV"));
    file->close();
}

} // namespace
} // namespace varnel
