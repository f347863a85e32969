#include "app/TTotalsDlg.h"
#include "app/TTotalsDlgXfer.h"
#include "output/CategoryTotals.h"

#include "QtTestApp.h"
#include "ui/DialogButtons.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace varnel {
namespace {

QStringList sampleLines(int categories, bool metric) {
    CategoryTotals totals;
    for (int i = 0; i < categories; ++i) {
        // 16 characters, the longest a category name can be, and the widest figures.
        totals.categories.push_back({"Category " + std::to_string(1000000 + i), 1500.0F});
        totals.grandTotal += 1500.0F;
    }
    TTotalsDlgXfer xfer;
    xfer.fill(totalsDialogLines(totals, metric));
    return xfer.strings;
}

QStringList shown(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts << list.item(i)->text();
    }
    return texts;
}

TEST(TotalsDialog, ShowsExactlyTheGivenLinesInOrder) {
    test::qtTestApp();
    // Out of alphabetical order and with a repeated category, as category runs can be.
    const QStringList lines = {
        QStringLiteral("Water                 :   7.00 oz. (  0.44 lb)"),
        QStringLiteral("Cooking               :  20.00 oz. (  1.25 lb)"),
        QStringLiteral("Water                 :   3.00 oz. (  0.19 lb)"),
        QString::fromLatin1(kTotalsRule),
        QStringLiteral("Grand Total           :  30.00 oz. (  1.88 lb)"),
    };
    TTotalsDlg dialog(lines);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Totals"));
    auto* list = dialog.findChild<QListWidget*>(QLatin1String(TTotalsDlg::kLinesId));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(shown(*list), lines);
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::NoSelection);
    bool captionFound = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        captionFound = captionFound || label->text() == QStringLiteral("Totals by Category");
    }
    EXPECT_TRUE(captionFound);

    TTotalsDlg empty(QStringList{});
    EXPECT_EQ(empty.findChild<QListWidget*>(QLatin1String(TTotalsDlg::kLinesId))->count(), 0);
}

// What the user sees: every character of the lines as wide as every other, so the figures line
// up, whatever fonts the machine has and whatever they say of themselves.
void expectEvenColumnsAtEightPoints(const QFont& font, const QStringList& lines) {
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(QLatin1Char('0'));
    EXPECT_GT(width, 0);
    for (const QString& line : lines) {
        for (const QChar c : line) {
            EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(c), width)
                << QString(c).toStdString() << " in " << QFontInfo(font).family().toStdString();
        }
        EXPECT_NEAR(metrics.horizontalAdvance(line), width * line.size(), 1.0);
    }
    EXPECT_NEAR(QFontInfo(font).pointSizeF(), 8.0, 0.5);
}

TEST(TotalsDialog, ListFontHasEvenColumnsAtEightPoints) {
    test::qtTestApp();
    const QStringList lines = sampleLines(2, false) + sampleLines(1, true) +
                              QStringList{QStringLiteral("Unfiled               :   0.00 oz. (  "
                                                         "0.00 lb)")};
    TTotalsDlg dialog(lines);
    const QFont font = dialog.findChild<QListWidget*>(QLatin1String(TTotalsDlg::kLinesId))->font();
    expectEvenColumnsAtEightPoints(font, lines);
    EXPECT_TRUE(TTotalsDlg::hasEvenColumns(font));

    // A family that is not installed must not be replaced by whatever the system substitutes.
    const QFont fallback = TTotalsDlg::listFont(QStringLiteral("No Such Typeface Varnel"));
    expectEvenColumnsAtEightPoints(fallback, lines);
    EXPECT_EQ(fallback.weight(), QFont::Normal);

    // And a proportional font is told apart.
    EXPECT_FALSE(TTotalsDlg::hasEvenColumns(QFont(QStringLiteral("DejaVu Sans"), 8)));
}

TEST(TotalsDialog, WidestLinesFitWithoutHorizontalScrolling) {
    test::qtTestApp();
    for (const int categories : {1, 30, 400}) {
        SCOPED_TRACE(categories);
        const QStringList lines = sampleLines(categories, true);
        ASSERT_EQ(lines.first().size(), 47);
        TTotalsDlg dialog(lines);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        auto* list = dialog.findChild<QListWidget*>(QLatin1String(TTotalsDlg::kLinesId));
        QApplication::processEvents();
        EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
        // Every line while the screen has room; past that the list opens on its Grand Total.
        const int screenHeight = dialog.screen()->availableGeometry().height();
        EXPECT_EQ(list->verticalScrollBar()->isVisible(), categories == 400);
        EXPECT_LE(dialog.height(), screenHeight);
        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        EXPECT_TRUE(list->viewport()->rect().contains(last)) << "the Grand Total shows";
        const QFontMetrics metrics(list->font());
        EXPECT_GE(list->viewport()->width(), metrics.horizontalAdvance(lines.first()));
    }
}

TEST(TotalsDialog, OkIsTheDefaultAndCloses) {
    test::qtTestApp();
    TTotalsDlg dialog(sampleLines(3, false));
    auto* ok = dialog.findChild<QPushButton*>(QLatin1String(kOkId));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(ok->icon().isNull());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    // Enter reaches the default button wherever the focus is.
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(dialog.findChild<QListWidget*>(QLatin1String(TTotalsDlg::kLinesId)),
                    Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(TotalsDialogXfer, FillDecodesRecordTextAndClearEmptiesAll) {
    TTotalsDlgXfer xfer;
    xfer.selection << 3;
    xfer.fill({"Caf\xe9 : 1.00", "x"});
    EXPECT_EQ(xfer.strings, (QStringList{QStringLiteral("Caf\u00e9 : 1.00"), QStringLiteral("x")}));
    EXPECT_TRUE(xfer.selection.isEmpty());
    xfer.selection << 0;
    xfer.clear();
    EXPECT_TRUE(xfer.strings.isEmpty());
    EXPECT_TRUE(xfer.selection.isEmpty());
}

} // namespace
} // namespace varnel
