#include "app/ListViews.h"

#include "app/GearListModel.h"
#include "app/RecoveryKeeper.h"
#include "model/ColumnIndex.h"
#include "model/GearDocument.h"
#include "platform/NamedSemaphore.h"
#include "ui/WaitCursor.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>

#include <utility>

namespace varnel {

namespace {
constexpr int kCategoryColumn = columnNumber(ColumnIndex::Category);
}

ListViews::ListViews(GearDocument& document, GearListModel& model, NamedSemaphore& displayLock,
                     Prompts& prompts, RecoveryKeeper& recovery, Controls controls,
                     std::function<void()> reloaded)
    : document_(document), model_(model), displayLock_(displayLock), prompts_(prompts),
      recovery_(recovery), controls_(controls), reloaded_(std::move(reloaded)) {}

void ListViews::setHideNonSelected(bool hide) {
    controls_.hideNonSelectedBox.setChecked(hide);
    if (hide != document_.hideNonSelected && !(hide && document_.hideSelected)) {
        switchHideView(false, hide);
    }
}

void ListViews::toggleHideSelected() {
    switchHideView(true, !document_.hideSelected);
}

void ListViews::leave() {
    if (document_.hideNonSelected) {
        setHideNonSelected(false);
    }
    if (document_.hideSelected) {
        toggleHideSelected();
    }
}

void ListViews::switchHideView(bool checkedRows, bool hide) {
    static constexpr const char* kLabels[2][2] = {{"Hide &Non-Selected", "Show &Non-Selected"},
                                                  {"&Hide Selected", "S&how Selected"}};
    (checkedRows ? controls_.hideSelected : controls_.hideNonSelected)
        .setText(
            QCoreApplication::translate("ListViews", kLabels[checkedRows ? 1 : 0][hide ? 1 : 0]));
    WaitCursor wait(prompts_);
    if (hide) {
        recovery_.takeAtOnce(); // while the whole list is there
        document_.enterHideView(checkedRows);
    } else {
        document_.leaveHideView();
    }
    reloaded_();
    updateSortIndicator();
}

void ListViews::toggleGroup(int row) {
    if (row >= 0 && row < document_.rowCount() && document_.row(row).isGroupRow()) {
        document_.toggleGroup(row);
    }
}

void ListViews::sortByColumn(int column) {
    if (!isSortColumn(column)) {
        return;
    }
    {
        NamedSemaphore::Guard lock(displayLock_);
        document_.sortByColumn(column);
    }
    reloaded_();
    sortColumn_ = column;
    updateSortIndicator();
}

void ListViews::updateSortIndicator() {
    QHeaderView& header = controls_.header;
    if (sortColumn_ < 0 || sortColumn_ >= model_.columnCount() ||
        (sortColumn_ != kCategoryColumn && !document_.sortedView)) {
        header.setSortIndicatorShown(false);
        return;
    }
    // The category sort is always ascending whatever its flag says.
    const bool up = sortColumn_ == kCategoryColumn ||
                    document_.sortAscending[static_cast<std::size_t>(sortColumn_)];
    header.setSortIndicator(sortColumn_, up ? Qt::AscendingOrder : Qt::DescendingOrder);
    header.setSortIndicatorShown(true);
}

} // namespace varnel
