#pragma once
// Which rows of the list are selected, and selecting rows after a command.

#include <vector>

class QTreeView;

namespace varnel {

class GearListModel;

// In row order.
[[nodiscard]] std::vector<int> selectedRows(const QTreeView& view);
// The row alone selected, current, in view and the list focused; nothing for a row not there.
void selectRow(QTreeView& view, const GearListModel& model, int row);
// Selects the rows and brings the first into view.
void selectRows(QTreeView& view, const GearListModel& model, const std::vector<int>& rows);

} // namespace varnel
