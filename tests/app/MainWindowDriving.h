#pragma once
// Driving the main window as a user does: menus opened from the menu bar and clicked, buttons
// clicked, keys pressed on the list.

#include "MainWindowFixture.h"
#include "app/CommandIds.h"
#include "app/GearListModel.h"
#include "app/GearListView.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace varnel::test {

class DrivenMainWindow : public MainWindowFixture {
protected:
    void showWindow() {
        frame_->resize(900, 620);
        frame_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
    }

    QMenu* menuWith(QAction* action) {
        for (QAction* top : frame_->menuBar()->actions()) {
            if (QMenu* menu = top->menu(); menu && menu->actions().contains(action)) {
                return menu;
            }
        }
        return nullptr;
    }

    // Opens the menu that holds command `id` and clicks its entry; false (and the menu closed)
    // when the entry is disabled.
    bool clickMenu(int id) {
        QAction* action = client().action(id);
        QMenu* menu = action ? menuWith(action) : nullptr;
        if (!menu) {
            ADD_FAILURE() << "no menu entry " << id;
            return false;
        }
        menu->popup(frame_->mapToGlobal(QPoint(10, 10)));
        QApplication::processEvents();
        const bool enabled = action->isEnabled();
        if (enabled) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        }
        menu->close();
        QApplication::processEvents();
        return enabled;
    }

    // Every menu opened and closed again, so that their enablers ran in the current state.
    void openAndCloseMenus() {
        for (QAction* top : frame_->menuBar()->actions()) {
            if (QMenu* menu = top->menu()) {
                menu->popup(frame_->mapToGlobal(QPoint(10, 10)));
                QApplication::processEvents();
                menu->close();
            }
        }
        QApplication::processEvents();
    }

    void clickButton(int id) {
        QPushButton* b = client().button(id);
        ASSERT_NE(b, nullptr) << id;
        ASSERT_TRUE(b->isEnabled()) << "button " << id << " is disabled";
        QTest::mouseClick(b, Qt::LeftButton);
        QApplication::processEvents();
    }

    // The centre of a cell of the list, in the viewport's coordinates.
    QPoint cellCentre(int row, int column) {
        GearListView* list = client().listView();
        const QModelIndex index = client().model().index(row, column);
        list->scrollTo(index);
        return list->visualRect(index).center();
    }

    void clickCell(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(client().listView()->viewport(), button, {}, cellCentre(row, column));
        QApplication::processEvents();
    }

    void clickHeading(int column) {
        QHeaderView* header = client().listView()->header();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        QApplication::processEvents();
    }

    void keyOnList(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        client().listView()->setFocus();
        QTest::keyClick(client().listView(), key, modifiers);
        QApplication::processEvents();
    }

    // Ticks or unticks "Hide Non-Selected Items" with the mouse.
    void clickHideBox() {
        auto* box = client().findChild<QWidget*>(QString::number(ctl::HideNonSelected));
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(box->isEnabled());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        QApplication::processEvents();
    }

    int rowNamed(const std::string& item) {
        for (int r = 0; r < doc().rowCount(); ++r) {
            if (doc().displayText(r, 1) == item) {
                return r;
            }
        }
        return -1;
    }

    std::string documentPath(const char* name) const { return (folder_ / name).string(); }
    QString documentName(const char* name) const {
        return QString::fromStdString(documentPath(name));
    }
};

} // namespace varnel::test
