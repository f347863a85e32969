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
    header()->setHighlightSections(true);
    header()->setStretchLastSection(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(this, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
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
    QTreeView::keyPressEvent(event);
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
