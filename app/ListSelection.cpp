#include "app/ListSelection.h"

#include "app/GearListModel.h"

#include <QItemSelection>
#include <QItemSelectionModel>
#include <QTreeView>

#include <algorithm>

namespace varnel {

std::vector<int> selectedRows(const QTreeView& view) {
    std::vector<int> rows;
    if (view.selectionModel()) {
        for (const QModelIndex& index : view.selectionModel()->selectedRows()) {
            rows.push_back(index.row());
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void selectRow(QTreeView& view, const GearListModel& model, int row) {
    if (row < 0 || row >= model.document().rowCount()) {
        return;
    }
    const QModelIndex index = model.index(row, 0);
    view.selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    view.scrollTo(index);
    view.setFocus();
}

void selectRows(QTreeView& view, const GearListModel& model, const std::vector<int>& rows) {
    if (rows.empty()) {
        return;
    }
    // One range per run of rows: a thousand restored rows are one or a few ranges, not a thousand.
    QItemSelection selection;
    const int last = model.columnCount() - 1;
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t end = i + 1;
        while (end < rows.size() && rows[end] == rows[end - 1] + 1) {
            ++end;
        }
        selection.select(model.index(rows[i], 0), model.index(rows[end - 1], last));
        i = end;
    }
    view.selectionModel()->setCurrentIndex(model.index(rows.front(), 0),
                                           QItemSelectionModel::NoUpdate);
    view.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    view.scrollTo(model.index(rows.front(), 0));
    view.setFocus();
}

} // namespace varnel
