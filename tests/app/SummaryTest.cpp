// Marking items worn from the list with the mouse, and the summary line and Totals that follow.
#include "MainWindowDriving.h"
#include "app/CommandIds.h"
#include "app/SummaryCommands.h"
#include "app/TTotalsDlg.h"
#include "output/GearSummary.h"

#include <QListWidget>
#include <QStyle>
#include <QStyleOptionViewItem>

namespace varnel {
namespace {

class Summary : public test::DrivenMainWindow {
protected:
    // A click on the check box of a cell, where the item delegate draws it.
    void clickCheckBox(int row, int column) {
        GearListView* list = client().listView();
        const QModelIndex index = client().model().index(row, column);
        list->scrollTo(index);
        QStyleOptionViewItem option;
        option.initFrom(list->viewport());
        option.rect = list->visualRect(index);
        option.features =
            QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        option.text = index.data().toString();
        const QRect box =
            list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
        QApplication::processEvents();
    }

    QString expectedText() {
        const MarkColumns marks = client().model().markColumns();
        return QString::fromLatin1(summaryText(gearSummary(categoryTotals(doc(), marks)), false));
    }
};

TEST_F(Summary, MarksFromTheListAndAGoalShowInTheWindowAndTheTotals) {
    QStringList totalsLines;
    copySample();
    start([&](QDialog& dialog) {
        if (auto* list = dialog.findChild<QListWidget*>(QLatin1String(TTotalsDlg::kLinesId))) {
            for (int i = 0; i < list->count(); ++i) {
                totalsLines << list->item(i)->text();
            }
        }
        return static_cast<int>(QDialog::Accepted);
    });
    showWindow();
    SummaryLine* line = client().summaryLine();
    EXPECT_FALSE(line->isVisible()) << "no marks and no goal";
    std::vector<int> items;
    for (int r = 0; r < doc().rowCount(); ++r) {
        if (!doc().row(r).isGroupRow() && doc().row(r).checked()) {
            items.push_back(r);
        }
    }
    ASSERT_GE(items.size(), 2U);

    clickCell(items[0], 1);
    prompts_->answer(PromptAnswer::Yes);
    ASSERT_TRUE(clickMenu(cmd::MarkWorn));
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(prompts_->shown()[0].text,
              QStringLiteral("This list has no \"Worn\" column. Add a user column headed "
                             "\"Worn\" to keep the marks in?"));
    const int worn = client().model().columnCount() - 1;
    EXPECT_EQ(client().model().heading(worn), QStringLiteral("Worn"));
    EXPECT_TRUE(line->isVisible());
    const QString oneMark = line->text();
    EXPECT_EQ(oneMark, expectedText());

    clickCheckBox(items[1], worn);
    EXPECT_EQ(doc().row(items[1]).record->columnText(worn - 3), "Worn");
    EXPECT_NE(line->text(), oneMark);
    EXPECT_EQ(line->text(), expectedText());

    prompts_->answerText(QStringLiteral("lots")).answer(PromptAnswer::Ok);
    ASSERT_TRUE(clickMenu(cmd::BaseGoal));
    EXPECT_EQ(client().settings().baseGoal, "");
    prompts_->answerText(QStringLiteral("10"));
    ASSERT_TRUE(clickMenu(cmd::BaseGoal));
    EXPECT_EQ(client().settings().baseGoal, "10.00");
    EXPECT_TRUE(line->overGoal());
    EXPECT_TRUE(line->goalText().startsWith(QStringLiteral("Goal 10.00 oz.: ")));

    clickButton(ctl::Totals);
    ASSERT_GE(totalsLines.size(), 9);
    const QString grand = totalsLines[totalsLines.size() - 9];
    EXPECT_TRUE(grand.startsWith(QStringLiteral("Grand Total")));
    EXPECT_EQ(totalsLines[totalsLines.size() - 3].mid(21), grand.mid(21)) << "Skin-out";
    EXPECT_TRUE(totalsLines.back().startsWith(QStringLiteral("Over the goal by")));
}

} // namespace
} // namespace varnel
