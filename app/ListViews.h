#pragma once
// How the list is shown: the two hide views with their menu labels and box, the sort with the
// header's arrow, and groups opened and shut.

#include <functional>

class QAction;
class QCheckBox;
class QHeaderView;

namespace varnel {

class GearDocument;
class GearListModel;
class NamedSemaphore;
class Prompts;
class RecoveryKeeper;

class ListViews {
public:
    struct Controls {
        QHeaderView& header;
        QCheckBox& hideNonSelectedBox;
        QAction& hideNonSelected;
        QAction& hideSelected;
    };

    // `reloaded` runs after the rows were replaced, as after every load.
    ListViews(GearDocument& document, GearListModel& model, NamedSemaphore& displayLock,
              Prompts& prompts, RecoveryKeeper& recovery, Controls controls,
              std::function<void()> reloaded);

    // The box and the menu entry both lead here; the box shows what was asked even when the
    // other view keeps this one from starting.
    void setHideNonSelected(bool hide);
    void toggleHideSelected();
    // Ends an active hide view as unticking it would, so that the whole document is there.
    void leave();
    void sortByColumn(int column);
    void updateSortIndicator();
    // Opens or shuts the group on `row`; any other row is left alone.
    void toggleGroup(int row);

private:
    // Into or out of the view that hides the checked rows, or the unchecked ones.
    void switchHideView(bool checkedRows, bool hide);

    GearDocument& document_;
    GearListModel& model_;
    NamedSemaphore& displayLock_;
    Prompts& prompts_;
    RecoveryKeeper& recovery_;
    Controls controls_;
    std::function<void()> reloaded_;
    int sortColumn_ = -1;
};

} // namespace varnel
