// Copy, Cut and Paste between two windows through the real keys; Find through Ctrl+F.
#include "MainWindowDriving.h"
#include "app/CommandIds.h"
#include "app/FindBar.h"

#include <QClipboard>
#include <QLineEdit>

namespace varnel {
namespace {

class ClipboardAndFind : public test::DrivenMainWindow {
protected:
    void SetUp() override {
        DrivenMainWindow::SetUp();
        copySample();
        start();
        showWindow();
    }
    // A second window on an empty list in grams, in a folder of its own.
    TMiravo99DlgClient& startOther() {
        std::filesystem::create_directory(folder_ / "other");
        ClientEnvironment env;
        env.prompts = prompts_.get();
        env.settingsRegistry = &registry_;
        env.hotSyncRegistry = &hotSyncRegistry_;
        env.currentFolder = folder_ / "other";
        env.runDialog = [](QDialog&) { return static_cast<int>(QDialog::Accepted); };
        auto* client = new TMiravo99DlgClient(env);
        other_ = std::make_unique<TSDIDecFrame>(client);
        client->setupWindow();
        client->document().metric = true;
        other_->show();
        activate(other_.get());
        return *client;
    }
    void TearDown() override {
        other_.reset();
        DrivenMainWindow::TearDown();
    }
    static void activate(QWidget* window) {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    }
    std::unique_ptr<TSDIDecFrame> other_;
};

TEST_F(ClipboardAndFind, CopyPastesIntoAGramListAndCutTakesTheRowsWithoutAsking) {
    const int fleece = rowNamed("Fleece");
    doc().record(fleece).columnTexts = std::make_unique<CMMIList<std::string>>();
    doc().record(fleece).columnTexts->add(std::make_unique<std::string>("Big Sky"));
    clickCell(fleece, 1);
    keyOnList(Qt::Key_C, Qt::ControlModifier);
    const QString text = QApplication::clipboard()->text();
    EXPECT_TRUE(text.startsWith("Category\tItem\tWeight\tMultiply by\tNotes\tBrand\r\n"
                                "Clothing\tFleece\t8.50\t1\t\tBig Sky\r\n"))
        << text.toStdString();

    TMiravo99DlgClient& other = startOther();
    prompts_->answer(PromptAnswer::Yes); // the Brand column is offered once
    other.listView()->setFocus();
    QTest::keyClick(other.listView(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(other.document().rowCount(), 1);
    EXPECT_EQ(other.document().displayText(0, 2), "240.97"); // 8.5 x 28.349523125
    EXPECT_EQ(other.model().heading(4), QStringLiteral("Brand"));
    EXPECT_EQ(other.document().displayText(0, 4), "Big Sky");
    EXPECT_TRUE(other.listView()->selectionModel()->isRowSelected(0));
    // The paste, its new column included, is one step.
    QTest::keyClick(other.listView(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(other.document().rowCount(), 0);
    EXPECT_EQ(other.model().columnCount(), 4);
    QTest::keyClick(other.listView(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(other.document().displayText(0, 4), "Big Sky");

    activate(frame_.get());
    const int rows = doc().rowCount();
    clickCell(rowNamed("Fleece"), 1);
    keyOnList(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(doc().rowCount(), rows - 1);
    EXPECT_EQ(rowNamed("Fleece"), -1);
    EXPECT_EQ(client().action(cmd::Undo)->text(), QStringLiteral("&Undo Cut"));
    keyOnList(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc().rowCount(), rows);
    EXPECT_EQ(doc().displayText(rowNamed("Fleece"), 4), "Big Sky");

    // A spreadsheet's cells: the bad row is listed, the good one pasted.
    QApplication::clipboard()->setText("Item\tWeight\r\nCup\t2\r\nBowl\tabc\r\n");
    prompts_->answer(PromptAnswer::Ok);
    keyOnList(Qt::Key_V, Qt::ControlModifier);
    EXPECT_NE(rowNamed("Cup"), -1);
    EXPECT_EQ(prompts_->shown().back().text.toStdString(),
              "1 of 2 rows pasted.\n\nNot pasted:\n  line 3: the weight \"abc\" is not a number");

    clickHideBox();
    prompts_->answer(PromptAnswer::Ok);
    keyOnList(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(prompts_->shown().back().text,
              QStringLiteral("Please uncheck the \"Hide Non-Selected "
                             "Items\" checkbox before pasting"));
}

TEST_F(ClipboardAndFind, FindSelectsTheNextMatchAndGoesRound) {
    keyOnList(Qt::Key_F, Qt::ControlModifier);
    FindBar* bar = client().findBar();
    ASSERT_TRUE(bar->isVisible());
    QTest::keyClicks(bar->edit(), "FLEE");
    EXPECT_EQ(client().listView()->currentIndex().row(), rowNamed("Fleece"));
    QTest::keyClick(bar->edit(), Qt::Key_Return);
    EXPECT_EQ(client().listView()->currentIndex().row(), rowNamed("Fleece"));
    EXPECT_FALSE(bar->note().isEmpty()); // went round to the only match
    QTest::keyClick(bar->edit(), Qt::Key_Escape);
    EXPECT_FALSE(bar->isVisible());
}

} // namespace
} // namespace varnel
