#pragma once
// The main window's group commands: the drop of one row on another, with the Create Group
// dialog when it makes a new group, and Remove from Group.

#include "app/TCreateGroupDialogXfer.h"
#include "model/DocumentEdit.h"
#include "model/GearDocument.h"
#include "ui/Prompts.h"

#include <functional>
#include <vector>

class QDialog;
class QWidget;

namespace varnel {

struct GroupCommandContext {
    GearDocument& document;
    Prompts& prompts;
    // Runs a modal dialog and returns its result.
    std::function<int(QDialog&)> runDialog;
    QWidget* parent = nullptr;
    // Makes the change as an undoable step; none: made directly.
    EditPerformer perform = {};
};

// Row `source` dropped on row `target`. Returns the group's row to scroll into view, -1 when
// nothing changed (a drop on itself, a cancelled dialog, a row that cannot be dragged).
int dropCommand(GroupCommandContext& context, TCreateGroupDialogXfer& xfer, int source, int target);

// Remove from Group on the first selected row, when that is a member row. Returns the row of
// the item taken out, -1 when nothing changed.
int removeFromGroupCommand(GearDocument& document, std::vector<int> selectedRows,
                           const EditPerformer& perform = {});

} // namespace varnel
