// A hiker folds a cook kit into one row by dragging its items onto each other, sees its weight,
// opens and closes it, and takes items out again: all through the window's own mouse events,
// menus and dialogs.
#include "../model/TestRecords.h"
#include "DialogDriving.h"
#include "MainWindowFixture.h"
#include "app/CommandIds.h"
#include "app/DropHighlightDelegate.h"
#include "app/GearRowDrag.h"
#include "app/TCreateGroupDialog.h"
#include "app/TTotalsDlg.h"
#include "model/FixedText.h"
#include "model/GearDataWriter.h"
#include "output/CategoryTotals.h"
#include "ui/DialogButtons.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>

namespace varnel {
namespace {

using test::press;
using test::setText;

class Groups : public test::MainWindowFixture {
protected:
    // Pot 8 and Tarp 10 checked, Bivy 6, Stakes 2, Bottle 1 checked: 19 oz checked.
    void startWithKit() {
        GearDocument kit;
        kit.insertRecord(test::item("Cooking", "Pot", "8", true));
        kit.insertRecord(test::item("Shelter", "Tarp", "10", true));
        kit.insertRecord(test::item("Shelter", "Bivy", "6"));
        kit.insertRecord(test::item("Shelter", "Stakes", "2"));
        kit.insertRecord(test::item("Water", "Bottle", "1", true));
        ASSERT_TRUE(writeGearDataFile(folder_ / "GearData.dat", kit).ok());
        startShown();
    }

    void startShown() {
        start([this](QDialog& d) { return next_ ? next_(d) : int(QDialog::Accepted); });
        frame_->resize(900, 600);
        frame_->show();
        QApplication::processEvents();
        dialogsShown_.clear(); // the display unit, asked once in a new folder
    }

    QWidget* viewport() { return client().listView()->viewport(); }
    GearRowDrag& drag() { return *client().rowDrag(); }

    QPoint cell(int row, int column = 1) {
        GearListModel& m = client().model();
        return client().listView()->visualRect(m.index(row, column)).center();
    }

    int rowNamed(std::string_view item) {
        for (int r = 0; r < doc().rowCount(); ++r) {
            if (fieldText(doc().record(r).item) == item) {
                return r;
            }
        }
        return -1;
    }

    QStringList items() {
        QStringList out;
        GearListModel& m = client().model();
        for (int r = 0; r < doc().rowCount(); ++r) {
            out << m.data(m.index(r, 1)).toString();
        }
        return out;
    }

    // Press on `from`, move past the drag distance, over `over`, and release there.
    void dragRow(int from, int to) {
        const QPoint start = cell(from);
        QTest::mousePress(viewport(), Qt::LeftButton, {}, start);
        QTest::mouseMove(viewport(), start + QPoint(0, QApplication::startDragDistance() + 1));
        QTest::mouseMove(viewport(), cell(to));
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, cell(to));
    }

    // The Create Group dialog of the next drop answers with this name and notes.
    void answerCreateGroup(const QString& name, const QString& notes) {
        next_ = [this, name, notes](QDialog& d) {
            auto* dialog = qobject_cast<TCreateGroupDialog*>(&d);
            EXPECT_NE(dialog, nullptr);
            lastPrompt_ = dialog ? dialog->promptText() : QString();
            lastNotes_ =
                d.findChild<QLineEdit*>(QLatin1String(TCreateGroupDialog::kNotesId))->text();
            EXPECT_TRUE(d.findChild<QLineEdit*>(QLatin1String(TCreateGroupDialog::kNameId))
                            ->text()
                            .isEmpty());
            setText(d, TCreateGroupDialog::kNameId, name);
            setText(d, TCreateGroupDialog::kNotesId, notes);
            press(d, kOkId);
            return d.result();
        };
    }

    // The totals text, the Totals dialog's grand total and the tooltip all say `total`.
    void expectTotals(const QString& text, const QString& grandTotal) {
        EXPECT_EQ(client().totalText(), text);
        QStringList lines;
        next_ = [&lines](QDialog& d) {
            auto* list = d.findChild<QListWidget*>();
            for (int i = 0; list && i < list->count(); ++i) {
                lines << list->item(i)->text();
            }
            return int(QDialog::Accepted);
        };
        client().cmTotals();
        next_ = {};
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.back(), QStringLiteral("Grand Total           : ") + grandTotal);
        // The tooltip's category lines add up to the same.
        float sum = 0.0F;
        for (const CategoryTotal& c : categoryTotals(doc()).categories) {
            sum += c.total;
        }
        EXPECT_EQ(QString::fromStdString(GearDocument::totalText(sum, false)), text);
        EXPECT_EQ(QString::fromStdString(doc().totalText()), text);
    }

    // Saved, the window restarted twice: each reading turns a group's members round, so the
    // second saving gives the first one's bytes again.
    void expectSurvivesReopening() {
        client().cmSave();
        const std::string saved = readFile(folder_ / "GearData.dat");
        for (int i = 0; i < 2; ++i) {
            frame_->close();
            frame_.reset();
            startShown();
        }
        client().cmSave();
        EXPECT_EQ(readFile(folder_ / "GearData.dat"), saved);
    }

    void rightClickAndChoose(int row, const QString& entry) {
        bool chosen = false;
        QTimer soon;
        soon.setSingleShot(true);
        QObject::connect(&soon, &QTimer::timeout, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            const QList<QAction*> actions = menu->actions();
            ASSERT_FALSE(actions.empty()); // the clipboard commands follow
            EXPECT_EQ(actions.front()->text(), entry);
            EXPECT_TRUE(actions.front()->isEnabled());
            chosen = true;
            QTest::mouseClick(menu, Qt::LeftButton, {},
                              menu->actionGeometry(actions.front()).center());
        });
        soon.start(0);
        const QPoint at = cell(row);
        QTest::mouseClick(viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport()->mapToGlobal(at));
        QApplication::sendEvent(viewport(), &event);
        EXPECT_TRUE(chosen);
    }

    std::function<int(QDialog&)> next_;
    QString lastPrompt_;
    QString lastNotes_;
};

TEST_F(Groups, DraggingOneItemOntoAnotherMakesAGroupWithTheirWeight) {
    startWithKit();
    ASSERT_EQ(items(), (QStringList{"Pot", "Bivy", "Stakes", "Tarp", "Bottle"}));
    EXPECT_EQ(client().totalText(), QStringLiteral("19.00 oz. (1.19 lbs)"));

    // The press alone starts nothing; past the drag distance the row's image follows.
    const QPoint start = cell(0);
    QTest::mousePress(viewport(), Qt::LeftButton, {}, start);
    EXPECT_FALSE(drag().dragging());
    QTest::mouseMove(viewport(), start + QPoint(3, QApplication::startDragDistance() + 1));
    ASSERT_TRUE(drag().dragging());
    ASSERT_NE(drag().dragImage(), nullptr);
    EXPECT_TRUE(drag().dragImage()->isVisible());
    const QPoint global = viewport()->mapToGlobal(cell(3));
    QTest::mouseMove(viewport(), cell(3));
    EXPECT_EQ(drag().dragImage()->pos(), global - drag().hotSpot());
    auto* highlight = qobject_cast<DropHighlightDelegate*>(client().listView()->itemDelegate());
    ASSERT_NE(highlight, nullptr);
    EXPECT_EQ(drag().dropTarget(), 3);
    EXPECT_EQ(highlight->row(), 3);
    // The highlight moves with the cursor, and leaves with it.
    QTest::mouseMove(viewport(), cell(1));
    EXPECT_EQ(highlight->row(), 1);
    QTest::mouseMove(viewport(), QPoint(viewport()->width() + 20, cell(1).y()));
    EXPECT_EQ(highlight->row(), -1);
    QTest::mouseMove(viewport(), cell(3));
    EXPECT_EQ(highlight->row(), 3);

    answerCreateGroup(QStringLiteral("Kitchen"), QStringLiteral("pots and pans"));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, cell(3));
    EXPECT_FALSE(drag().dragging());
    EXPECT_EQ(drag().dragImage(), nullptr);
    EXPECT_EQ(highlight->row(), -1);
    EXPECT_EQ(dialogsShown_, QStringList{QStringLiteral("Create Group")});
    EXPECT_EQ(lastPrompt_, QStringLiteral("If you would like to add \"Pot\" and \"Tarp\" to a "
                                          "group, enter a group name below, and click OK"));

    // One collapsed row in the Shelter block, unchecked: the checked Pot and Tarp went into it.
    EXPECT_EQ(items(), (QStringList{"Bivy", "+ Kitchen", "Stakes", "Bottle"}));
    GearListModel& m = client().model();
    EXPECT_EQ(m.data(m.index(1, 2)).toString(), QStringLiteral("18.00"));
    EXPECT_EQ(m.data(m.index(1, 3)).toString(), QStringLiteral("pots and pans"));
    expectTotals(QStringLiteral("1.00 oz. (0.06 lbs)"), QStringLiteral("  1.00 oz. (  0.06 lb)"));
    m.setData(m.index(1, 0), Qt::Checked, Qt::CheckStateRole);
    expectTotals(QStringLiteral("19.00 oz. (1.19 lbs)"), QStringLiteral(" 19.00 oz. (  1.19 lb)"));

    // A click on the Item cell opens it: the target first, the dragged item second.
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cell(1));
    EXPECT_EQ(items(), (QStringList{"Bivy", "- Kitchen", "Tarp", "Pot", "Stakes", "Bottle"}));
    EXPECT_EQ(m.data(m.index(2, 0), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(m.data(m.index(3, 0), Qt::CheckStateRole).toInt(), Qt::Checked);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cell(1));
    EXPECT_EQ(items(), (QStringList{"Bivy", "+ Kitchen", "Stakes", "Bottle"}));

    expectSurvivesReopening();
    EXPECT_EQ(items(), (QStringList{"Bivy", "+ Kitchen", "Stakes", "Bottle"}));
    expectTotals(QStringLiteral("19.00 oz. (1.19 lbs)"), QStringLiteral(" 19.00 oz. (  1.19 lb)"));
}

TEST_F(Groups, ItemsJoinByDroppingOnTheGroupOrOnAMemberRow) {
    startWithKit();
    answerCreateGroup(QStringLiteral("Kitchen"), QString());
    dragRow(rowNamed("Pot"), rowNamed("Tarp"));
    client().model().setData(client().model().index(rowNamed("Kitchen"), 0), Qt::Checked,
                             Qt::CheckStateRole);
    dialogsShown_.clear();

    // Collapsed: Stakes dropped on the group row; no dialog.
    next_ = {};
    dragRow(rowNamed("Stakes"), rowNamed("Kitchen"));
    EXPECT_TRUE(dialogsShown_.isEmpty());
    EXPECT_EQ(items(), (QStringList{"Bivy", "+ Kitchen", "Bottle"}));
    expectTotals(QStringLiteral("21.00 oz. (1.31 lbs)"), QStringLiteral(" 21.00 oz. (  1.31 lb)"));
    expectSurvivesReopening();

    // Expanded: Bottle dropped on a member row joins at the front and shows at once.
    client().action(cmd::ExpandAll)->trigger();
    ASSERT_EQ(items(), (QStringList{"Bivy", "- Kitchen", "Stakes", "Tarp", "Pot", "Bottle"}));
    dragRow(rowNamed("Bottle"), rowNamed("Pot"));
    EXPECT_TRUE(dialogsShown_.isEmpty());
    EXPECT_EQ(items(), (QStringList{"Bivy", "- Kitchen", "Bottle", "Stakes", "Tarp", "Pot"}));
    EXPECT_EQ(client().model().data(client().model().index(1, 2)).toString(),
              QStringLiteral("21.00"));
    // The checked Bottle now counts in the checked group's weight.
    expectTotals(QStringLiteral("21.00 oz. (1.31 lbs)"), QStringLiteral(" 21.00 oz. (  1.31 lb)"));
    expectSurvivesReopening();
}

TEST_F(Groups, NoDragFromGroupOrMemberRowsAndEscapeCancels) {
    startWithKit();
    answerCreateGroup(QStringLiteral("Kitchen"), QString());
    dragRow(rowNamed("Pot"), rowNamed("Tarp"));
    client().cmExpandAll();
    const QStringList before = items();
    dialogsShown_.clear();

    // The group row (on its Notes cell, which does not toggle it) and a member row.
    for (int row : {rowNamed("Kitchen"), rowNamed("Kitchen") + 1}) {
        const QPoint start = cell(row, 3);
        QTest::mousePress(viewport(), Qt::LeftButton, {}, start);
        QTest::mouseMove(viewport(), start + QPoint(0, 30));
        EXPECT_FALSE(drag().dragging()) << row;
        QTest::mouseMove(viewport(), cell(rowNamed("Bottle")));
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, cell(rowNamed("Bottle")));
    }
    EXPECT_EQ(items(), before);

    // Escape during a drag: nothing changes, and the release afterwards drops nothing.
    const QPoint start = cell(rowNamed("Bivy"));
    QTest::mousePress(viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(viewport(), cell(rowNamed("Stakes")));
    ASSERT_TRUE(drag().dragging());
    QTest::keyClick(client().listView(), Qt::Key_Escape);
    EXPECT_FALSE(drag().dragging());
    EXPECT_EQ(drag().dragImage(), nullptr);
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, cell(rowNamed("Stakes")));
    // Onto itself: nothing either.
    dragRow(rowNamed("Bivy"), rowNamed("Bivy"));
    EXPECT_EQ(items(), before);
    EXPECT_TRUE(dialogsShown_.isEmpty());

    // A cancelled dialog leaves both rows as they were.
    next_ = [](QDialog& d) {
        setText(d, TCreateGroupDialog::kNameId, QStringLiteral("Sleep"));
        d.reject();
        return d.result();
    };
    dragRow(rowNamed("Bivy"), rowNamed("Stakes"));
    EXPECT_EQ(dialogsShown_, QStringList{QStringLiteral("Create Group")});
    EXPECT_EQ(items(), before);
    EXPECT_EQ(doc().groupNames.find("Sleep"), nullptr);

    // While a hide view shows part of the list nothing is dragged: it would be lost on leaving.
    client().cmHideSelected();
    ASSERT_TRUE(doc().hideSelected);
    const QStringList hidden = items();
    QTest::mousePress(viewport(), Qt::LeftButton, {}, cell(0));
    QTest::mouseMove(viewport(), cell(1));
    EXPECT_FALSE(drag().dragging());
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, cell(1));
    EXPECT_EQ(items(), hidden);
    client().cmHideSelected();
}

TEST_F(Groups, CreateGroupDialogRefusesEmptyAndTakenNamesAndKeepsTheNotes) {
    startWithKit();
    doc().groupNames.add(std::make_unique<std::string>("Kitchen"));
    prompts_->answer(PromptAnswer::Ok).answer(PromptAnswer::Ok);
    next_ = [](QDialog& d) {
        auto* name = d.findChild<QLineEdit*>(QLatin1String(TCreateGroupDialog::kNameId));
        auto* notes = d.findChild<QLineEdit*>(QLatin1String(TCreateGroupDialog::kNotesId));
        EXPECT_EQ(name->maxLength(), 40);
        EXPECT_EQ(notes->maxLength(), 50);
        notes->setText(QStringLiteral("<b>stove</b> & pot"));
        notes->setFocus();
        press(d, kOkId);
        EXPECT_NE(d.result(), int(QDialog::Accepted));
        EXPECT_EQ(d.focusWidget(), name) << "back to the name";
        setText(d, TCreateGroupDialog::kNameId, QStringLiteral("Kitchen"));
        press(d, kOkId);
        EXPECT_NE(d.result(), int(QDialog::Accepted));
        setText(d, TCreateGroupDialog::kNameId, QStringLiteral("kitchen"));
        press(d, kOkId);
        return d.result();
    };
    dragRow(rowNamed("Pot"), rowNamed("Tarp"));
    EXPECT_EQ(prompts_->shown(),
              (std::vector<ShownPrompt>{
                  ShownPrompt::message(QStringLiteral("Group Name required."),
                                       QStringLiteral("Varnel"), MessageIcon::Stop),
                  ShownPrompt::message(QStringLiteral("Group of same name already exists.  "
                                                      "Please choose a different name"),
                                       QStringLiteral("Varnel"), MessageIcon::None)}));
    EXPECT_EQ(items(), (QStringList{"Bivy", "+ kitchen", "Stakes", "Bottle"}));
    EXPECT_EQ(fieldText(doc().record(1).notes), "<b>stove</b> & pot");

    // The next run starts with an empty name and the notes of the last OK; the item names are
    // shown as they are, never as markup.
    setField(doc().record(rowNamed("Bivy")).item, "<i>Bivy</i>");
    answerCreateGroup(QStringLiteral("Sleep"), QStringLiteral("warm"));
    dragRow(rowNamed("<i>Bivy</i>"), rowNamed("Stakes"));
    EXPECT_EQ(lastNotes_, QStringLiteral("<b>stove</b> & pot"));
    EXPECT_TRUE(lastPrompt_.startsWith(QStringLiteral("If you would like to add \"<i>Bivy</i>\"")));
    TCreateGroupDialogXfer xfer{};
    TCreateGroupDialog dialog(xfer, doc(), 0, 1, *prompts_);
    EXPECT_EQ(dialog.findChild<QLabel*>(QLatin1String(TCreateGroupDialog::kPromptId))->textFormat(),
              Qt::PlainText);
}

TEST_F(Groups, RemoveFromGroupThroughTheRightClickMenuDownToTheLastMember) {
    startWithKit();
    answerCreateGroup(QStringLiteral("Kitchen"), QString());
    dragRow(rowNamed("Pot"), rowNamed("Tarp"));
    dragRow(rowNamed("Stakes"), rowNamed("Kitchen"));
    ASSERT_EQ(items(), (QStringList{"Bivy", "+ Kitchen", "Bottle"}));
    GearListModel& m = client().model();
    m.setData(m.index(rowNamed("Kitchen"), 0), Qt::Checked, Qt::CheckStateRole);
    expectTotals(QStringLiteral("21.00 oz. (1.31 lbs)"), QStringLiteral(" 21.00 oz. (  1.31 lb)"));
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cell(rowNamed("Kitchen")));
    ASSERT_EQ(items(), (QStringList{"Bivy", "- Kitchen", "Stakes", "Tarp", "Pot", "Bottle"}));

    // With another member selected too, the command takes the row that was clicked.
    client().listView()->selectAll();
    rightClickAndChoose(rowNamed("Tarp"), QStringLiteral("&Remove from Group"));
    EXPECT_EQ(items(), (QStringList{"Bivy", "- Kitchen", "Stakes", "Pot", "Tarp", "Bottle"}));
    EXPECT_EQ(m.data(m.index(1, 2)).toString(), QStringLiteral("10.00"));
    // Tarp went in checked and comes out checked: the total stays the checked rows' sum.
    EXPECT_TRUE(doc().row(rowNamed("Tarp")).checked());

    expectTotals(QStringLiteral("21.00 oz. (1.31 lbs)"), QStringLiteral(" 21.00 oz. (  1.31 lb)"));
    expectSurvivesReopening();

    // Right click on an ordinary row offers the clipboard commands only.
    bool popped = false;
    QTimer soon;
    soon.setSingleShot(true);
    QObject::connect(&soon, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            popped = menu->actions().contains(client().action(cmd::RemoveFromGroup));
            menu->close();
        }
    });
    soon.start(0);
    QContextMenuEvent onItem(QContextMenuEvent::Mouse, cell(0), viewport()->mapToGlobal(cell(0)));
    QApplication::sendEvent(viewport(), &onItem);
    QApplication::processEvents();
    EXPECT_FALSE(popped);

    // Stakes, which went in unchecked, comes out unchecked.
    client().cmExpandAll();
    ASSERT_EQ(items(), (QStringList{"Bivy", "- Kitchen", "Stakes", "Pot", "Tarp", "Bottle"}));
    rightClickAndChoose(rowNamed("Kitchen") + 1, QStringLiteral("&Remove from Group"));
    EXPECT_EQ(items(), (QStringList{"Bivy", "- Kitchen", "Pot", "Stakes", "Tarp", "Bottle"}));
    EXPECT_FALSE(doc().row(rowNamed("Stakes")).checked());
    expectTotals(QStringLiteral("19.00 oz. (1.19 lbs)"), QStringLiteral(" 19.00 oz. (  1.19 lb)"));

    // The last member: the group row goes and both items are ordinary rows again.
    rightClickAndChoose(rowNamed("Kitchen") + 1, QStringLiteral("&Remove from Group"));
    EXPECT_EQ(items(), (QStringList{"Pot", "Bivy", "Stakes", "Tarp", "Bottle"}));
    EXPECT_FALSE(doc().hasGroupRow());
    EXPECT_EQ(doc().groupNames.find("Kitchen"), nullptr);
    // Pot went in checked: all as at the start.
    expectTotals(QStringLiteral("19.00 oz. (1.19 lbs)"), QStringLiteral(" 19.00 oz. (  1.19 lb)"));
    expectSurvivesReopening();

    // The name is free again.
    answerCreateGroup(QStringLiteral("Kitchen"), QString());
    dragRow(rowNamed("Pot"), rowNamed("Tarp"));
    EXPECT_EQ(items(), (QStringList{"Bivy", "+ Kitchen", "Stakes", "Bottle"}));
}

TEST_F(Groups, HoldingTheRowBelowTheListScrollsItALineEvery200ms) {
    copySample();
    startShown();
    frame_->resize(700, 400);
    QApplication::processEvents();
    QScrollBar* bar = client().listView()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 3);
    int item = 0;
    while (doc().row(item).isGroupRow()) {
        ++item;
    }
    const auto firstShown = [this] { return client().listView()->indexAt(QPoint(1, 1)).row(); };
    ASSERT_EQ(firstShown(), 0);

    const QPoint start = cell(item);
    QTest::mousePress(viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(viewport(), start + QPoint(0, 20));
    ASSERT_TRUE(drag().dragging());
    QTimer* down = drag().scrollDownTimer();
    EXPECT_EQ(down->interval(), 200);
    EXPECT_FALSE(down->isActive());

    const QPoint below(start.x(), viewport()->height() + 15);
    QTest::mouseMove(viewport(), below);
    EXPECT_EQ(firstShown(), 1) << "a line at once";
    EXPECT_TRUE(down->isActive());
    EXPECT_EQ(drag().dropTarget(), -1);
    QTest::mouseMove(viewport(), below + QPoint(0, 5));
    EXPECT_EQ(firstShown(), 1) << "further moves wait for the timer";
    for (int tick = 0; tick < 2; ++tick) {
        QTimerEvent timeout(down->timerId());
        QCoreApplication::sendEvent(down, &timeout);
    }
    EXPECT_EQ(firstShown(), 3);

    // Back inside the bottom edge: the timer stops; above the top edge the other one runs.
    QTest::mouseMove(viewport(), cell(firstShown() + 1));
    EXPECT_FALSE(down->isActive());
    QTest::mouseMove(viewport(), QPoint(start.x(), -5));
    EXPECT_EQ(firstShown(), 2);
    EXPECT_TRUE(drag().scrollUpTimer()->isActive());
    QTest::mouseMove(viewport(), cell(firstShown() + 1));
    EXPECT_FALSE(drag().scrollUpTimer()->isActive());

    QTest::mouseMove(viewport(), below);
    ASSERT_TRUE(down->isActive());
    QTest::keyClick(client().listView(), Qt::Key_Escape);
    EXPECT_FALSE(down->isActive());
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, below);
}

TEST_F(Groups, Pictures) {
    startWithKit();
    // Mid-drag: the row under the cursor is highlighted, the image of Pot beside it.
    QTest::mousePress(viewport(), Qt::LeftButton, {}, cell(0));
    QTest::mouseMove(viewport(), cell(3) + QPoint(4, 2));
    ASSERT_TRUE(drag().dragging());
    const QPixmap dragging = frame_->grab();
    const QPixmap image = drag().dragImage()->grab();
    QTest::keyClick(client().listView(), Qt::Key_Escape);
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, cell(3));

    answerCreateGroup(QStringLiteral("Kitchen"), QStringLiteral("pots and pans"));
    dragRow(rowNamed("Pot"), rowNamed("Tarp"));
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cell(rowNamed("Kitchen")));
    QApplication::processEvents();
    const QString out = qEnvironmentVariable("VARNEL_GRAB");
    const QPixmap window = frame_->grab();
    EXPECT_FALSE(window.isNull());
    TCreateGroupDialogXfer xfer{};
    setField(xfer.notes, "pots and pans");
    TCreateGroupDialog dialog(xfer, doc(), rowNamed("Bivy"), rowNamed("Stakes"), *prompts_);
    dialog.show();
    QApplication::processEvents();
    const QPixmap picture = dialog.grab();
    EXPECT_FALSE(picture.isNull());
    if (!out.isEmpty()) {
        dragging.save(out + QStringLiteral("-dragging.png"));
        image.save(out + QStringLiteral("-image.png"));
        window.save(out + QStringLiteral("-window.png"));
        picture.save(out + QStringLiteral("-dialog.png"));
    }
}

} // namespace
} // namespace varnel
