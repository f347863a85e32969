#include "app/GearListModel.h"

#include "../model/TestRecords.h"
#include "QtTestApp.h"

#include <QAbstractItemModelTester>
#include <QPalette>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <vector>

namespace varnel {
namespace {

class GearListModelTest : public ::testing::Test {
protected:
    void SetUp() override { test::qtTestApp(); }

    QStringList column(int c) const {
        QStringList out;
        for (int r = 0; r < model.rowCount(); ++r) {
            out << model.index(r, c).data().toString();
        }
        return out;
    }
    QColor background(int r, int c) const {
        return model.index(r, c).data(Qt::BackgroundRole).value<QColor>();
    }
    int checkState(int r) const { return model.index(r, 0).data(Qt::CheckStateRole).toInt(); }

    GearDocument doc;
    GearListModel model{doc};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(GearListModelTest, FollowsEveryKindOfChangeTheDocumentMakes) {
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    doc.insertRecord(test::item("Shelter", "Tent", "40.00"));
    doc.insertRecord(test::item("Clothing", "Jacket", "12.50", true));
    doc.insertRecord(test::group("Kitchen", "Cook set", {"3.00", "4.50"}, true));
    doc.insertRecord(test::item("clothing", "Gloves", "2.00"));
    EXPECT_EQ(inserted.count(), 4);
    EXPECT_EQ(column(1), (QStringList{"Gloves", "Jacket", "+ Cook set", "Tent"}));
    EXPECT_EQ(column(0), (QStringList{"clothing", "", "Kitchen", "Shelter"}));

    // Expanding inserts the member rows under the group row, collapsing removes them again.
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    EXPECT_EQ(doc.toggleGroup(2), 2);
    EXPECT_EQ(model.rowCount(), 6);
    EXPECT_EQ(model.index(2, 1).data().toString(), QStringLiteral("- Cook set"));
    EXPECT_EQ(model.index(2, 2).data().toString(), QStringLiteral("7.50"));
    doc.expandAll();
    doc.collapseAll();
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(model.rowCount(), 4);

    doc.toggleGroup(2);
    EXPECT_TRUE(doc.sortByColumn(2)); // collapses, then one reset
    EXPECT_EQ(column(1), (QStringList{"Gloves", "+ Cook set", "Jacket", "Tent"}));
    EXPECT_EQ(column(0), (QStringList{"clothing", "Kitchen", "Clothing", "Shelter"}));
    EXPECT_FALSE(doc.sortByColumn(1));
    doc.sortByColumn(0);

    doc.enterHideView(false); // keeps the checked rows
    EXPECT_EQ(column(1), (QStringList{"Jacket", "+ Cook set"}));
    doc.leaveHideView();
    EXPECT_EQ(model.rowCount(), 4);

    doc.convertUnits();
    EXPECT_EQ(model.index(1, 2).data().toString(), QStringLiteral("354.69"));

    doc.clearForReload();
    EXPECT_EQ(model.rowCount(), 0);
    doc.convertUnits(); // an empty list changes no row
    std::vector<std::unique_ptr<sPubInfo>> records;
    records.push_back(test::item("B", "y"));
    records.push_back(test::item("A", "x"));
    doc.loadRecords(std::move(records));
    EXPECT_EQ(column(1), (QStringList{"x", "y"}));
}

TEST_F(GearListModelTest, TextCrossesAsWindows1252) {
    doc.insertRecord(test::item("Caf\xe9", "Stove \x80 \x99", "1.00"));
    EXPECT_EQ(model.index(0, 0).data().toString(), QString::fromUtf8("Café"));
    EXPECT_EQ(model.index(0, 1).data().toString(), QString::fromUtf8("Stove € ™"));
}

TEST_F(GearListModelTest, CheckMarksComeFromTheRowsAndMembersAreAlwaysChecked) {
    doc.insertRecord(test::item("A", "light", "12.50"));
    doc.insertRecord(test::group("B", "set", {"1.00", "2.00"}));
    EXPECT_EQ(checkState(0), Qt::Unchecked);
    EXPECT_FALSE(model.index(0, 1).data(Qt::CheckStateRole).isValid());

    QSignalSpy total(&model, &GearListModel::selectedTotalChanged);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    EXPECT_TRUE(model.setData(model.index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(checkState(0), Qt::Checked);
    EXPECT_EQ(doc.row(0).stateImage, 2);
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 12.5F);
    EXPECT_EQ(total.count(), 1);
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(QString::fromStdString(doc.totalText()), QStringLiteral("12.50 oz. (0.78 lbs)"));

    doc.toggleGroup(1);
    doc.clearSelected();
    EXPECT_EQ(checkState(0), Qt::Unchecked);
    EXPECT_EQ(checkState(1), Qt::Unchecked);
    EXPECT_EQ(checkState(2), Qt::Checked);
    EXPECT_EQ(checkState(3), Qt::Checked);
    EXPECT_FALSE(model.setData(model.index(2, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(checkState(2), Qt::Checked);
    EXPECT_FLOAT_EQ(doc.selectedTotal(), 0.0F);

    EXPECT_FALSE(model.setData(model.index(0, 1), Qt::Checked, Qt::CheckStateRole));
    EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("x"), Qt::EditRole));
    EXPECT_EQ(model.flags(model.index(0, 0)) & (Qt::ItemIsUserCheckable | Qt::ItemIsEditable),
              Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(0, 1)) & (Qt::ItemIsUserCheckable | Qt::ItemIsEditable));
    EXPECT_TRUE(model.flags(model.index(0, 1)) & Qt::ItemIsSelectable);
}

TEST_F(GearListModelTest, RowsAlternateAndGroupItemsStandOut) {
    doc.insertRecord(test::item("A", "a"));
    doc.insertRecord(test::group("A", "b", {"1.00"}));
    doc.insertRecord(test::item("A", "c"));
    doc.toggleGroup(1);
    ASSERT_EQ(model.rowCount(), 4);
    const QColor alternate(255, 255, 196);
    const QColor back(255, 255, 224);
    const QColor group(255, 153, 0);
    EXPECT_EQ(background(0, 0), alternate);
    EXPECT_EQ(background(0, 1), alternate);
    EXPECT_EQ(background(1, 0), back);
    EXPECT_EQ(background(1, 1), group); // group row
    EXPECT_EQ(background(2, 1), group); // its member
    EXPECT_EQ(background(2, 2), alternate);
    EXPECT_EQ(background(3, 1), back);

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setColors(0x00000000, 0x00FFFFFF, 0x000000FF);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][2].value<QList<int>>(), QList<int>{Qt::BackgroundRole});
    EXPECT_EQ(background(1, 0), QColor(Qt::black));
    EXPECT_EQ(background(0, 0), QColor(Qt::white));
    EXPECT_EQ(background(1, 1), QColor(Qt::red));
    EXPECT_EQ(model.groupColor(), 0x000000FFU);
    // A system colour (the window background) is the palette's, and is kept as stored.
    model.setColors(0x80000005, 0x00FFFFFF, 0x000000FF);
    EXPECT_EQ(background(1, 0), QGuiApplication::palette().color(QPalette::Active, QPalette::Base));
    EXPECT_EQ(model.backgroundColor(), 0x80000005U);
}

TEST_F(GearListModelTest, HeadingsAlignmentsAndUserColumns) {
    EXPECT_EQ(model.columnCount(), 4);
    QStringList headings;
    QList<int> alignments;
    for (int c = 0; c < 4; ++c) {
        headings << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        alignments << (model.headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt() &
                       Qt::AlignHorizontal_Mask);
    }
    EXPECT_EQ(headings, (QStringList{"Category", "Item", "Weight (oz)", "Notes"}));
    EXPECT_EQ(alignments,
              (QList<int>{Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignLeft}));

    auto record = test::item("A", "a");
    test::addTexts(*record, {"first", "second"});
    doc.insertRecord(std::move(record));
    model.appendUserColumn(QStringLiteral("Brand"), Qt::AlignRight);
    model.appendUserColumn(QStringLiteral("Where"), Qt::AlignLeft);
    EXPECT_EQ(doc.userColumnCount, 2);
    EXPECT_EQ(model.columnCount(), 6);
    EXPECT_EQ(model.index(0, 4).data().toString(), QStringLiteral("first"));
    EXPECT_EQ(model.index(0, 5).data().toString(), QStringLiteral("second"));
    EXPECT_EQ(model.index(0, 4).data(Qt::TextAlignmentRole).toInt(),
              static_cast<int>(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(model.heading(5), QStringLiteral("Where"));

    model.removeUserColumn(4);
    model.removeUserColumn(3); // a fixed column stays
    EXPECT_EQ(model.columnCount(), 5);
    EXPECT_EQ(model.heading(4), QStringLiteral("Where"));

    // A reload brings its own column count; missing headings are empty.
    doc.userColumnCount = 3;
    doc.clearForReload();
    EXPECT_EQ(model.columnCount(), 7);
    EXPECT_EQ(model.heading(6), QString());
    doc.userColumnCount = 0;
    model.syncColumnCount();
    EXPECT_EQ(model.columnCount(), 4);

    model.setHeading(2, GearListModel::weightHeading(true));
    EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Weight (gm)"));
    model.setAlignments({Qt::AlignRight});
    EXPECT_EQ(model.alignment(0), Qt::AlignRight);
    EXPECT_EQ(model.alignment(1), Qt::AlignLeft);

    EXPECT_EQ(GearListModel::alignmentFromFormat(2), Qt::AlignHCenter);
    EXPECT_EQ(GearListModel::alignmentFromFormat(1), Qt::AlignRight);
    EXPECT_EQ(GearListModel::alignmentFromFormat(-7), Qt::AlignRight);
    EXPECT_EQ(GearListModel::formatFromAlignment(Qt::AlignHCenter | Qt::AlignVCenter), 2);
    EXPECT_EQ(GearListModel::formatFromAlignment(Qt::AlignLeft), 0);
}

TEST(GearListModel, TakesOverADocumentThatAlreadyHasRows) {
    test::qtTestApp();
    GearDocument doc;
    doc.metric = true;
    doc.userColumnCount = 1;
    doc.insertRecord(test::item("A", "a", "1500.00", true));
    {
        GearListModel model(doc);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        EXPECT_EQ(model.rowCount(), 1);
        EXPECT_EQ(model.columnCount(), 5);
        EXPECT_EQ(model.heading(2), QStringLiteral("Weight (gm)"));
        EXPECT_EQ(model.index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    }
    // The model is gone: the document must not call it any more.
    doc.insertRecord(test::item("B", "b"));
    EXPECT_EQ(doc.rowCount(), 2);
}

} // namespace
} // namespace varnel
