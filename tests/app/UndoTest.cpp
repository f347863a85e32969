// A hiker takes a delete and a new group back with Ctrl+Z and makes them again with
// Ctrl+Shift+Z and Ctrl+Y, through the window's keys, menus and drop handler.
#include "../model/TestRecords.h"
#include "DialogDriving.h"
#include "MainWindowDriving.h"
#include "app/CommandIds.h"
#include "app/TCreateGroupDialog.h"
#include "model/GearDataWriter.h"
#include "ui/DialogButtons.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

namespace varnel {
namespace {

class Undo : public test::DrivenMainWindow {
protected:
    void SetUp() override {
        DrivenMainWindow::SetUp();
        GearDocument kit;
        kit.insertRecord(test::item("Cooking", "Pot", "8", true));
        kit.insertRecord(test::item("Shelter", "Tarp", "10", true));
        kit.insertRecord(test::item("Shelter", "Stakes", "2"));
        ASSERT_TRUE(writeGearDataFile(folder_ / "GearData.dat", kit).ok());
        start([](QDialog& d) {
            // The Create Group dialog names the group; others are accepted.
            if (d.findChild<QLineEdit*>(QLatin1String(TCreateGroupDialog::kNameId))) {
                test::setText(d, TCreateGroupDialog::kNameId, QStringLiteral("Camp"));
                test::press(d, kOkId);
                return d.result();
            }
            return int(QDialog::Accepted);
        });
        showWindow();
        client().cmSave();
        opened_ = readFile(folder_ / "GearData.dat");
    }

    void keys(QKeySequence sequence) {
        QTest::keySequence(frame_.get(), sequence);
        QApplication::processEvents();
    }

    // The two entries as the Entry menu shows them.
    std::pair<QString, QString> entries() {
        openAndCloseMenus();
        const auto shown = [this](int id) {
            QAction* a = client().action(id);
            return a->isEnabled() ? a->text() : QStringLiteral("(off) ") + a->text();
        };
        return {shown(cmd::Undo), shown(cmd::Redo)};
    }

    std::string saved() {
        client().cmSave();
        return readFile(folder_ / "GearData.dat");
    }

    std::string opened_;
};

TEST_F(Undo, DeleteTakenBackWithCtrlZAndMadeAgain) {
    using E = std::pair<QString, QString>;
    EXPECT_EQ(entries(), E("(off) &Undo", "(off) &Redo"));
    clickCell(rowNamed("Stakes"), 1);
    prompts_->answer(PromptAnswer::Yes);
    keyOnList(Qt::Key_Delete);
    ASSERT_EQ(rowNamed("Stakes"), -1);
    const std::string deleted = saved();
    EXPECT_EQ(entries(), E("&Undo Delete", "(off) &Redo"));

    keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
    ASSERT_NE(rowNamed("Stakes"), -1);
    EXPECT_EQ(client().listView()->currentIndex().row(), rowNamed("Stakes")); // shown again
    EXPECT_EQ(entries(), E("(off) &Undo", "&Redo Delete"));
    EXPECT_EQ(saved(), opened_);

    keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_EQ(rowNamed("Stakes"), -1);
    EXPECT_EQ(saved(), deleted);
    ASSERT_TRUE(clickMenu(cmd::Undo));
    EXPECT_EQ(saved(), opened_);
    // Saving kept the history; another document does not.
    ASSERT_TRUE(clickMenu(cmd::New));
    EXPECT_EQ(entries(), E("(off) &Undo", "(off) &Redo"));
}

TEST_F(Undo, NewGroupTakenBackAndMadeAgain) {
    client().dropRow(rowNamed("Pot"), rowNamed("Tarp"));
    ASSERT_NE(rowNamed("+ Camp"), -1);
    const std::string grouped = saved();
    EXPECT_EQ(client().action(cmd::Undo)->text(), QStringLiteral("&Undo Create Group"));

    keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(rowNamed("+ Camp"), -1);
    EXPECT_EQ(doc().groupNames.count(), 0);
    EXPECT_EQ(client().totalText(), QStringLiteral("18.00 oz. (1.12 lbs)"));
    EXPECT_EQ(saved(), opened_);

    keys(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_NE(rowNamed("+ Camp"), -1);
    EXPECT_EQ(saved(), grouped);
}

// A check mark is a step; in a hide view nothing is taken back, and after a sort the step before
// it is refused with the reason.
TEST_F(Undo, RefusedInAHideViewAndAfterASort) {
    prompts_->setAcknowledgeOkMessages(true);
    clickCell(rowNamed("Stakes"), 1);
    keyOnList(Qt::Key_Space);
    ASSERT_EQ(client().action(cmd::Undo)->text(), QStringLiteral("&Undo Check"));
    clickHideBox();
    prompts_->clearShown();
    keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(
        prompts_->shown().back().text,
        QStringLiteral("Please uncheck the \"Hide Non-Selected Items\" checkbox before undoing"));
    clickHideBox();

    clickHeading(2);
    prompts_->clearShown();
    keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(prompts_->shown().back().caption, QStringLiteral("Undo"));
    EXPECT_TRUE(doc().row(rowNamed("Stakes")).checked());
}

} // namespace
} // namespace varnel
