#include "app/ColumnCommands.h"
#include "app/GearListModel.h"
#include "app/GearListView.h"
#include "config/TAddNewColumnDlg.h"
#include "config/TDeleteColumnsDlg.h"
#include "config/TModifyColumnDlg.h"
#include "model/DocumentSettings.h"
#include "ui/ScriptedPrompts.h"

#include "../model/TestRecords.h"
#include "DialogDriving.h"
#include "QtTestApp.h"
#include "ui/DialogButtons.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace varnel {
namespace {

using test::control;

QStringList labels(QDialog& d) {
    QStringList out;
    for (const QLabel* l : d.findChildren<QLabel*>()) {
        out << l->text();
    }
    return out;
}

QStringList entries(const QListWidget& list) {
    QStringList out;
    for (int i = 0; i < list.count(); ++i) {
        out << list.item(i)->text();
    }
    return out;
}

QList<int> selectedRows(const QListWidget& list) {
    QList<int> out;
    for (int i = 0; i < list.count(); ++i) {
        if (list.item(i)->isSelected()) {
            out << i;
        }
    }
    return out;
}

void clickEntry(QListWidget& list, int row) {
    const QRect r = list.visualItemRect(list.item(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, r.center());
}

void press(QDialog& d, const char* id) {
    control<QAbstractButton>(d, id)->click();
}

// Saved as a PNG when VARNEL_GRAB_DIR names a folder, to look at by eye.
void grab(QDialog& d, const QString& name) {
    const char* dir = std::getenv("VARNEL_GRAB_DIR");
    if (dir && *dir) {
        QApplication::processEvents();
        EXPECT_TRUE(d.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(name + ".png")));
    }
}

void expectOkCancel(QDialog& d) {
    auto* ok = control<QPushButton>(d, kOkId);
    auto* cancel = control<QPushButton>(d, kCancelId);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(ok->icon().isNull());
    EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));
    EXPECT_FALSE(cancel->icon().isNull());
}

class ColumnCommandsTest : public ::testing::Test {
protected:
    // Before the fixture's widgets are made.
    static void SetUpTestSuite() { test::qtTestApp(); }

    void SetUp() override {
        view.setModel(&model);
        view.resize(812, 300);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    // Shows each dialog as the user would see it, then lets `script` work it.
    DialogRunner runner(std::function<void(QDialog&)> script) {
        return [this, script = std::move(script)](QDialog& d) {
            ++opened;
            d.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
            script(d);
            d.hide();
            return d.result();
        };
    }

    // User columns "U1".."Un"; every item has a text in each, "<item>-<column>".
    void addUserColumns(int n) {
        for (int k = 1; k <= n; ++k) {
            model.appendUserColumn(QStringLiteral("U%1").arg(k), Qt::AlignLeft);
            view.header()->resizeSection(3 + k, 50 + k);
        }
    }

    QStringList headings() const {
        QStringList out;
        for (int c = 0; c < model.columnCount(); ++c) {
            out << model.heading(c);
        }
        return out;
    }

    GearDocument doc;
    GearListModel model{doc};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    GearListView view;
    ScriptedPrompts prompts{[](const QString& what) { ADD_FAILURE() << what.toStdString(); }};
    int opened = 0;
};

TEST_F(ColumnCommandsTest, AddedCenteredColumnGoesLastAtAQuarterOfTheListWidth) {
    // The user has moved a column; the new one still goes at the right-hand end.
    view.header()->moveSection(0, 3);
    TAddNewColumnDlgXfer xfer;
    setField(xfer.heading, "left over");
    xfer.right = 1;
    EXPECT_FALSE(deleteColumnEnabled(doc));

    const bool added = addNewColumn(
        xfer, model, view, runner([](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Add New Column"));
            EXPECT_TRUE(labels(d).contains(QStringLiteral("Heading: ")));
            EXPECT_TRUE(labels(d).contains(QStringLiteral("Alignment:")));
            auto* heading = control<QLineEdit>(d, TAddNewColumnDlg::kHeadingId);
            EXPECT_EQ(heading->text(), QString());
            EXPECT_EQ(heading->maxLength(), 40);
            EXPECT_TRUE(control<QRadioButton>(d, TAddNewColumnDlg::kLeftId)->isChecked());
            EXPECT_EQ(control<QRadioButton>(d, TAddNewColumnDlg::kLeftId)->text(),
                      QStringLiteral("Left"));
            EXPECT_EQ(control<QRadioButton>(d, TAddNewColumnDlg::kCenterId)->text(),
                      QStringLiteral("Center"));
            EXPECT_EQ(control<QRadioButton>(d, TAddNewColumnDlg::kRightId)->text(),
                      QStringLiteral("Right"));
            expectOkCancel(d);
            QTest::keyClicks(heading, QStringLiteral("Stuff sack"));
            press(d, TAddNewColumnDlg::kCenterId);
            grab(d, QStringLiteral("add-new-column"));
            press(d, kOkId);
        }));
    ASSERT_TRUE(added);
    ASSERT_EQ(model.columnCount(), 5);
    EXPECT_EQ(model.heading(4), QStringLiteral("Stuff sack"));
    EXPECT_EQ(model.alignment(4), Qt::AlignHCenter);
    EXPECT_EQ(doc.userColumnCount, 1);
    EXPECT_EQ(view.header()->sectionSize(4), view.viewport()->width() / 4);
    EXPECT_EQ(view.header()->visualIndex(4), 4);
    EXPECT_EQ(view.header()->logicalIndex(3), 0);
    EXPECT_TRUE(deleteColumnEnabled(doc));

    // Each opening starts afresh; Cancel adds nothing and leaves the record as reset.
    EXPECT_FALSE(addNewColumn(
        xfer, model, view, runner([](QDialog& d) {
            EXPECT_EQ(control<QLineEdit>(d, TAddNewColumnDlg::kHeadingId)->text(), QString());
            EXPECT_TRUE(control<QRadioButton>(d, TAddNewColumnDlg::kLeftId)->isChecked());
            control<QLineEdit>(d, TAddNewColumnDlg::kHeadingId)->setText(QStringLiteral("never"));
            press(d, TAddNewColumnDlg::kRightId);
            press(d, kCancelId);
        })));
    EXPECT_EQ(model.columnCount(), 5);
    EXPECT_EQ(fieldText(xfer.heading), "");
    EXPECT_EQ(xfer.left, 1);
    EXPECT_EQ(xfer.right, 0);
}

TEST_F(ColumnCommandsTest, HeadingsCrossAsWindows1252AndRightIsTheFallback) {
    TAddNewColumnDlgXfer xfer;
    ASSERT_TRUE(addNewColumn(
        xfer, model, view, runner([](QDialog& d) {
            auto* heading = control<QLineEdit>(d, TAddNewColumnDlg::kHeadingId);
            heading->setText(QStringLiteral("Caf\u00e9 \u2713 ") + QString(50, QLatin1Char('x')));
            EXPECT_EQ(heading->text().size(), 40);
            press(d, TAddNewColumnDlg::kRightId);
            press(d, kOkId);
        })));
    EXPECT_EQ(fieldText(xfer.heading), "Caf\xe9 ? " + std::string(33, 'x'));
    EXPECT_EQ(model.heading(4), QStringLiteral("Caf\u00e9 ? ") + QString(33, QLatin1Char('x')));
    EXPECT_EQ(model.alignment(4), Qt::AlignRight);

    // An empty heading is a heading; and the dialog shows record bytes as Windows-1252.
    setField(xfer.heading, "\x80 5");
    xfer.left = 0;
    xfer.center = 1;
    TAddNewColumnDlg dialog(xfer);
    EXPECT_EQ(control<QLineEdit>(dialog, TAddNewColumnDlg::kHeadingId)->text(),
              QStringLiteral("\u20ac 5"));
    EXPECT_TRUE(control<QRadioButton>(dialog, TAddNewColumnDlg::kCenterId)->isChecked());
}

TEST_F(ColumnCommandsTest, DeletingColumnsOneAndThreeMovesTheViewAndTheTextsAlike) {
    addUserColumns(4);
    auto full = test::item("Kit", "Full");
    test::addTexts(*full, {"a1", "a2", "a3", "a4"});
    doc.insertRecord(std::move(full));
    auto partial = test::item("Kit", "Partial");
    test::addTexts(*partial, {"b1", "b2"});
    doc.insertRecord(std::move(partial));

    TDeleteColumnsDlgXfer xfer;
    xfer.strings << QStringLiteral("stale");
    xfer.selection << 0;
    const std::vector<int> removed = deleteColumns(
        xfer, model, prompts, runner([](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Delete User Columns"));
            EXPECT_TRUE(labels(d).contains(QStringLiteral("Select Column(s) to delete.")));
            expectOkCancel(d);
            auto* list = control<QListWidget>(d, TDeleteColumnsDlg::kColumnsId);
            EXPECT_EQ(entries(*list), (QStringList{"U1", "U2", "U3", "U4"}));
            EXPECT_EQ(list->selectionMode(), QAbstractItemView::MultiSelection);
            EXPECT_FALSE(list->isSortingEnabled());
            EXPECT_TRUE(selectedRows(*list).isEmpty());
            // Each click toggles its own entry and leaves the others.
            clickEntry(*list, 2);
            clickEntry(*list, 1);
            clickEntry(*list, 0);
            clickEntry(*list, 1);
            EXPECT_EQ(selectedRows(*list), (QList<int>{0, 2}));
            grab(d, QStringLiteral("delete-user-columns"));
            press(d, kOkId);
        }));
    EXPECT_EQ(removed, (std::vector<int>{1, 2}));
    EXPECT_EQ(xfer.selection, (QList<int>{0, 2}));
    EXPECT_EQ(headings(), (QStringList{"Category", "Item", "Weight (oz)", "Notes", "U2", "U4"}));
    EXPECT_EQ(doc.userColumnCount, 2);
    // Widths stay with their columns.
    EXPECT_EQ(view.header()->sectionSize(4), 52);
    EXPECT_EQ(view.header()->sectionSize(5), 54);
    EXPECT_EQ(model.index(0, 4).data().toString(), QStringLiteral("a2"));
    EXPECT_EQ(model.index(0, 5).data().toString(), QStringLiteral("a4"));
    EXPECT_EQ(model.index(1, 4).data().toString(), QStringLiteral("b2"));
    EXPECT_EQ(model.index(1, 5).data().toString(), QString());
    EXPECT_EQ(prompts.waitCount(), 1);
    EXPECT_EQ(prompts.waitDepth(), 0);
}

TEST_F(ColumnCommandsTest, DeleteDoesNothingWithoutColumnsSelectionOrOk) {
    TDeleteColumnsDlgXfer xfer;
    EXPECT_TRUE(deleteColumns(xfer, model, prompts, runner([](QDialog&) {})).empty());
    EXPECT_EQ(opened, 0);

    addUserColumns(2);
    EXPECT_TRUE(
        deleteColumns(xfer, model, prompts, runner([](QDialog& d) { press(d, kOkId); })).empty());
    EXPECT_TRUE(
        deleteColumns(
            xfer, model, prompts, runner([](QDialog& d) {
                control<QListWidget>(d, TDeleteColumnsDlg::kColumnsId)->item(0)->setSelected(true);
                press(d, kCancelId);
            }))
            .empty());
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(model.columnCount(), 6);
    EXPECT_EQ(doc.userColumnCount, 2);
    EXPECT_EQ(prompts.waitCount(), 0);

    // The rows a hide view holds aside would keep the texts of a deleted column.
    doc.insertRecord(test::item("Kit", "x", "1.00", true));
    doc.enterHideView(false);
    EXPECT_FALSE(deleteColumnEnabled(doc));
    EXPECT_TRUE(deleteColumns(xfer, model, prompts, runner([](QDialog&) {})).empty());
    EXPECT_EQ(opened, 2);
    doc.leaveHideView();
}

TEST_F(ColumnCommandsTest, ModifyListsEveryColumnOnceAndStartsFromTheFirst) {
    addUserColumns(1);
    QStringList all{"Category", "Item", "Weight (oz)", "Notes", "U1"};
    TModifyColumnDlgXfer xfer;
    const auto opening = [&](int pick, const QString& heading, const char* radio) {
        return runner([=](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Modify Column"));
            EXPECT_TRUE(labels(d).contains(QStringLiteral("Choose Column")));
            EXPECT_TRUE(labels(d).contains(QStringLiteral("Heading:")));
            EXPECT_TRUE(labels(d).contains(QStringLiteral("Alignment:")));
            expectOkCancel(d);
            auto* list = control<QListWidget>(d, TModifyColumnDlg::kColumnsId);
            EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
            EXPECT_EQ(entries(*list), all);
            EXPECT_EQ(selectedRows(*list), QList<int>{0});
            auto* edit = control<QLineEdit>(d, TModifyColumnDlg::kHeadingId);
            EXPECT_EQ(edit->maxLength(), 40);
            EXPECT_EQ(edit->text(), QStringLiteral("Category"));
            EXPECT_TRUE(control<QRadioButton>(d, TModifyColumnDlg::kLeftId)->isChecked());
            EXPECT_EQ(control<QRadioButton>(d, TModifyColumnDlg::kLeftId)->text(),
                      QStringLiteral("Left"));
            // Picking a column leaves the fields as they are.
            clickEntry(*list, pick);
            EXPECT_EQ(edit->text(), QStringLiteral("Category"));
            EXPECT_TRUE(control<QRadioButton>(d, TModifyColumnDlg::kLeftId)->isChecked());
            edit->setText(heading);
            press(d, radio);
            grab(d, QStringLiteral("modify-column"));
            press(d, kOkId);
        });
    };

    ASSERT_TRUE(
        modifyColumn(xfer, model, opening(1, QStringLiteral("Gear"), TModifyColumnDlg::kRightId)));
    EXPECT_EQ(model.heading(1), QStringLiteral("Gear"));
    EXPECT_EQ(model.alignment(1), Qt::AlignRight);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Gear"));

    all[1] = QStringLiteral("Gear");
    ASSERT_TRUE(modifyColumn(xfer, model, opening(4, QString(), TModifyColumnDlg::kCenterId)));
    EXPECT_EQ(model.heading(4), QString());
    EXPECT_EQ(model.alignment(4), Qt::AlignHCenter);
    EXPECT_EQ(model.heading(0), QStringLiteral("Category"));
    EXPECT_EQ(opened, 2);
}

TEST_F(ColumnCommandsTest, ModifyPresetsTheFirstColumnsAlignmentAndCancelChangesNothing) {
    for (const auto& [alignment, radio] : {std::pair{Qt::AlignHCenter, TModifyColumnDlg::kCenterId},
                                           std::pair{Qt::AlignRight, TModifyColumnDlg::kRightId},
                                           std::pair{Qt::AlignLeft, TModifyColumnDlg::kLeftId}}) {
        SCOPED_TRACE(radio);
        model.setAlignment(0, alignment);
        TModifyColumnDlgXfer xfer;
        EXPECT_FALSE(modifyColumn(xfer, model, runner([radio](QDialog& d) {
                                      EXPECT_TRUE(control<QRadioButton>(d, radio)->isChecked());
                                      control<QLineEdit>(d, TModifyColumnDlg::kHeadingId)
                                          ->setText(QStringLiteral("changed"));
                                      press(d, TModifyColumnDlg::kLeftId);
                                      press(d, kCancelId);
                                  })));
        EXPECT_EQ(model.heading(0), QStringLiteral("Category"));
        EXPECT_EQ(model.alignment(0), alignment);
    }
}

TEST_F(ColumnCommandsTest, EnablersFollowTheHandheldModeAndTheColumnCount) {
    EXPECT_TRUE(addNewColumnEnabled(doc));
    EXPECT_FALSE(deleteColumnEnabled(doc));
    EXPECT_TRUE(modifyColumnEnabled(doc));
    doc.userColumnCount = 1;
    EXPECT_TRUE(deleteColumnEnabled(doc));
    doc.handheldDocument = true;
    EXPECT_FALSE(addNewColumnEnabled(doc));
    EXPECT_FALSE(deleteColumnEnabled(doc));
    EXPECT_TRUE(modifyColumnEnabled(doc));
    TAddNewColumnDlgXfer xfer;
    EXPECT_FALSE(addNewColumn(xfer, model, view, runner([](QDialog&) {})));
    EXPECT_EQ(opened, 0);

    // The settings have room for this many user columns; one more would be lost on saving.
    doc.handheldDocument = false;
    doc.userColumnCount = kMaxUserColumns;
    EXPECT_FALSE(addNewColumnEnabled(doc));
    doc.userColumnCount = kMaxUserColumns - 1;
    EXPECT_TRUE(addNewColumnEnabled(doc));
    doc.userColumnCount = 0;
}

} // namespace
} // namespace varnel
