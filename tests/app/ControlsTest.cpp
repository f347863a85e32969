// Every enabled control does its work, whatever the menus were doing before; keys, mouse and
// shortcuts on the real widgets.
#include "DialogDriving.h"
#include "MainWindowDriving.h"
#include "app/CommandIds.h"
#include "app/TPubInfo.h"
#include "config/AboutDialog.h"
#include "ui/DialogButtons.h"
#include "ui/QtPrompts.h"
#include "ui/WindowTitle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>

namespace varnel {
namespace {

class Controls : public test::DrivenMainWindow {
protected:
    int checkedRows() {
        int n = 0;
        for (int r = 0; r < doc().rowCount(); ++r) {
            n += doc().row(r).checked() ? 1 : 0;
        }
        return n;
    }
};

// The menus' enablers turn entries off in one state; the twin buttons must still work after.
TEST_F(Controls, ButtonsWorkWhateverTheMenusLastSaw) {
    copySample();
    int dialogs = 0;
    start([&](QDialog& d) {
        ++dialogs;
        if (qobject_cast<TPubInfo*>(&d) != nullptr) {
            auto* box = d.findChild<QComboBox*>(QLatin1String(TPubInfo::kCategoryId));
            box->setCurrentIndex(box->findText(QStringLiteral("Water")));
            test::setText(d, TPubInfo::kItemId, QStringLiteral("Flask"));
            test::setText(d, TPubInfo::kWeightId, QStringLiteral("4"));
            d.accept();
            return d.result();
        }
        return int(QDialog::Accepted);
    });
    showWindow();

    // Menus seen with nothing highlighted: Delete and Modify entries are off.
    openAndCloseMenus();
    EXPECT_FALSE(client().action(cmd::Delete)->isEnabled());
    clickCell(rowNamed("Map"), 1);
    prompts_->answer(PromptAnswer::Yes);
    clickButton(ctl::Delete);
    EXPECT_EQ(rowNamed("Map"), -1);

    openAndCloseMenus();
    clickCell(rowNamed("Compass"), 1);
    const int before = dialogs;
    clickButton(ctl::Modify);
    EXPECT_EQ(dialogs, before + 1) << "Modify opened the item dialog";

    // Menus seen inside a hide view, where Add is off; out of the view the button adds.
    clickHideBox();
    openAndCloseMenus();
    EXPECT_FALSE(client().action(cmd::Add)->isEnabled());
    clickHideBox();
    clickButton(ctl::Add);
    EXPECT_GE(rowNamed("Flask"), 0);
    EXPECT_TRUE(client().listView()->viewport()->rect().intersects(
        client().listView()->visualRect(client().model().index(rowNamed("Flask"), 0))))
        << "the new item is scrolled into view";

    // Clear Selected after menus saw nothing checked, then something checked again.
    clickButton(ctl::ClearSelected);
    openAndCloseMenus();
    EXPECT_FALSE(client().action(cmd::ClearSelected)->isEnabled());
    ASSERT_TRUE(clickMenu(cmd::SelectAll));
    EXPECT_EQ(checkedRows(), doc().rowCount());
    clickButton(ctl::ClearSelected);
    EXPECT_EQ(checkedRows(), 0);

    clickButton(ctl::Totals);
    EXPECT_EQ(dialogsShown_.back(), QStringLiteral("Totals"));
    // And the shortcuts follow the state without a menu opening.
    EXPECT_TRUE(client().action(cmd::Save)->isEnabled());
}

TEST_F(Controls, MenuEntriesFollowTheirStateInEachView) {
    copySample();
    start();
    showWindow();
    clickHideBox();
    for (int id : {cmd::Add, cmd::Delete, cmd::Modify}) {
        EXPECT_FALSE(clickMenu(id)) << id;
    }
    EXPECT_TRUE(clickMenu(cmd::HideNonSelected)) << "the menu twin leaves the view";
    EXPECT_FALSE(doc().hideNonSelected);
    EXPECT_TRUE(clickMenu(cmd::ExpandAll));
    const int expanded = doc().rowCount();
    EXPECT_TRUE(clickMenu(cmd::CollapseAll));
    EXPECT_LT(doc().rowCount(), expanded);
}

TEST_F(Controls, SpaceChecksTheFocusedRowInAnyColumnAndDeleteDeletes) {
    copySample();
    start();
    showWindow();
    const int row = rowNamed("Map");
    ASSERT_TRUE(doc().row(row).checked());
    const QString total = client().totalText();
    for (int column : {1, 2, 3, 4}) {
        clickCell(row, column);
        keyOnList(Qt::Key_Space);
        EXPECT_FALSE(doc().row(row).checked()) << column;
        keyOnList(Qt::Key_Space);
        EXPECT_TRUE(doc().row(row).checked()) << column;
    }
    EXPECT_EQ(client().totalText(), total);

    clickCell(row, 2);
    prompts_->answer(PromptAnswer::Yes);
    keyOnList(Qt::Key_Delete);
    EXPECT_EQ(prompts_->shown().back().caption, QStringLiteral("Confirm Delete"));
    EXPECT_EQ(rowNamed("Map"), -1);
}

TEST_F(Controls, OnlyALeftClickOpensAGroup) {
    copySample();
    start();
    showWindow();
    const int group = rowNamed("+ Cook kit");
    ASSERT_GE(group, 0);
    QTest::mousePress(client().listView()->viewport(), Qt::RightButton, {}, cellCentre(group, 1));
    QTest::mouseRelease(client().listView()->viewport(), Qt::RightButton, {}, cellCentre(group, 1));
    QApplication::processEvents();
    EXPECT_EQ(doc().displayText(group, 1), "+ Cook kit");
    clickCell(group, 1);
    EXPECT_EQ(doc().displayText(group, 1), "- Cook kit");
}

TEST_F(Controls, StandardShortcutsTabOrderAndDistinctAltLetters) {
    copySample();
    start();
    showWindow();
    EXPECT_EQ(client().action(cmd::New)->shortcut(), QKeySequence(QKeySequence::New));
    EXPECT_EQ(client().action(cmd::Open)->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(client().action(cmd::Save)->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(client().action(cmd::SaveAs)->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    EXPECT_EQ(client().action(cmd::Exit)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));

    // Ctrl+S on the list saves through the shortcut.
    std::filesystem::remove(folder_ / "GearData.dat");
    keyOnList(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(std::filesystem::exists(folder_ / "GearData.dat"));

    // The list takes the focus first, then the buttons.
    client().listView()->clearFocus();
    frame_->activateWindow();
    client().setFocus();
    EXPECT_EQ(QApplication::focusWidget(), client().listView());
    QTest::keyClick(client().listView(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), client().button(ctl::Add));

    // No two Alt letters at the window's level.
    QStringList letters;
    const auto mnemonic = [&](const QString& text) {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("&([^&])")).match(text);
        if (m.hasMatch()) {
            letters << m.captured(1).toLower();
        }
    };
    for (QAction* top : frame_->menuBar()->actions()) {
        mnemonic(top->text());
    }
    for (QAbstractButton* b : client().findChildren<QAbstractButton*>()) {
        mnemonic(b->text());
    }
    QStringList unique = letters;
    unique.removeDuplicates();
    EXPECT_EQ(letters.size(), unique.size()) << letters.join(QLatin1Char(' ')).toStdString();
}

TEST_F(Controls, HeadingsSortIndicatorCategoryWidthAndStatusBar) {
    copySample();
    start();
    showWindow();
    GearListView* list = client().listView();
    EXPECT_FALSE(list->header()->highlightSections()) << "headings never turn bold";
    const int sixteen = list->fontMetrics().horizontalAdvance(QStringLiteral("Sleeping systems"));
    EXPECT_GE(list->header()->sectionSize(0), sixteen);

    clickHeading(2);
    EXPECT_TRUE(list->header()->isSortIndicatorShown());
    EXPECT_EQ(list->header()->sortIndicatorSection(), 2);
    EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    clickHeading(2);
    EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    clickHeading(0);
    EXPECT_EQ(list->header()->sortIndicatorSection(), 0);

    frame_->statusBar()->showMessage(QStringLiteral("Save the gear list"));
    frame_->statusBar()->clearMessage();
    EXPECT_EQ(frame_->statusBar()->currentMessage(), QStringLiteral("Ready"));
}

TEST(WindowTitles, DialogsAreWideEnoughForTheirTitleAndSaveDialogsAddTheExtension) {
    test::qtTestApp();
    QInputDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Enter a new category name for the list"));
    dialog.setMinimumWidth(10);
    fitWindowTitle(dialog);
    EXPECT_GE(dialog.minimumWidth(), titleWidth(dialog));
    EXPECT_GT(titleWidth(dialog),
              QFontMetrics(dialog.font()).horizontalAdvance(dialog.windowTitle()));

    EXPECT_EQ(QtPrompts::defaultSuffix(QStringLiteral("Gear Weight Files (*.dat)")),
              QStringLiteral("dat"));
    EXPECT_EQ(QtPrompts::defaultSuffix(QStringLiteral("Text Files (*.txt)")),
              QStringLiteral("txt"));
    EXPECT_EQ(QtPrompts::defaultSuffix(QStringLiteral("All (*)")), QString());
}

} // namespace
} // namespace varnel

namespace varnel {
namespace {

TEST_F(Controls, AboutShowsTheBoldVersionEachTimeAndEmailMeOpensTheMailLink) {
    int bold = 0;
    start([&](QDialog& d) {
        if (auto* about = qobject_cast<AboutDialog*>(&d)) {
            EXPECT_EQ(about->windowTitle(), QStringLiteral("About Varnel"));
            EXPECT_EQ(about->versionLine()->text(), QStringLiteral("Version 5.51"));
            bold += about->versionLine()->font().bold() ? 1 : 0;
            EXPECT_NE(about->findChild<QPushButton*>(QLatin1String(kOkId)), nullptr);
        }
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(clickMenu(cmd::About));
    ASSERT_TRUE(clickMenu(cmd::About));
    EXPECT_EQ(bold, 2);
    EXPECT_EQ(client().action(cmd::About)->statusTip(),
              QStringLiteral("About the Varnel application"));
    ASSERT_TRUE(clickMenu(cmd::EmailMe));
    ASSERT_EQ(openedUrls_.size(), 1);
    EXPECT_EQ(openedUrls_.front().toString(),
              QStringLiteral("mailto:help@varnel.app?subject=Varnel Help"));
}

} // namespace
} // namespace varnel
