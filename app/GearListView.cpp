#include "app/GearListView.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace varnel {

GearListView::GearListView(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true); // keeps layout O(1) per row with huge lists
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setDragEnabled(false);
    header()->setSectionsMovable(true);
    header()->setSectionsClickable(true);
    // A highlighted row must not turn the headings bold.
    header()->setHighlightSections(false);
    header()->setStretchLastSection(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(this, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) {
        // Only the left button clicks; the right one opens the context menu.
        if (index.isValid() && pressedButton_ == Qt::LeftButton) {
            emit cellClicked(index.row(), index.column());
        }
    });
}

void GearListView::keyPressEvent(QKeyEvent* event) {
    // The apostrophe is swallowed before it reaches anything.
    if (event->text() == QStringLiteral("'")) {
        event->accept();
        return;
    }
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && event->key() == Qt::Key_Space && currentIndex().isValid() && model() != nullptr) {
        // The row's check mark, whichever cell has the focus.
        const QModelIndex check = model()->index(currentIndex().row(), 0);
        const auto state = static_cast<Qt::CheckState>(check.data(Qt::CheckStateRole).toInt());
        model()->setData(check,
                         static_cast<int>(state == Qt::Checked ? Qt::Unchecked : Qt::Checked),
                         Qt::CheckStateRole);
        event->accept();
        return;
    }
    if (plain && event->key() == Qt::Key_Delete) {
        emit deleteRequested();
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void GearListView::mousePressEvent(QMouseEvent* event) {
    pressedButton_ = event->button();
    QTreeView::mousePressEvent(event);
    pressedButton_ = Qt::NoButton;
}

void GearListView::keyboardSearch(const QString& search) {
    if (search == QStringLiteral("'")) {
        return;
    }
    QTreeView::keyboardSearch(search);
}

void GearListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) {
        emit rowDoubleClicked(index.row(), index.column());
    }
    QTreeView::mouseDoubleClickEvent(event);
}

void GearListView::contextMenuEvent(QContextMenuEvent* event) {
    const QModelIndex index = indexAt(event->pos());
    if (index.isValid()) {
        emit rowContextMenu(index.row(), event->globalPos());
    }
}

} // namespace varnel
