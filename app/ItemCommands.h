#pragma once
// The main window's Add, Modify and Delete commands: the Gear Information dialog around the
// item editing rules, with the questions and refusals on the way.

#include "app/GearListModel.h"
#include "app/TPubInfoXfer.h"
#include "model/DocumentEdit.h"
#include "model/GearDocument.h"
#include "ui/Prompts.h"

#include <QStringList>

#include <functional>
#include <vector>

class QDialog;
class QWidget;

namespace varnel {

struct ItemCommandContext {
    GearDocument& document;
    GearListModel& model;
    Prompts& prompts;
    // Runs a modal dialog and returns its result.
    std::function<int(QDialog&)> runDialog;
    // Runs the Configure Categories dialog for the item dialog's Configure... button. On OK it
    // rebuilds the document's category choices, sets `addedPosition` (which starts at 0) to the
    // box position of the last category added, and returns true.
    std::function<bool(int& addedPosition)> configureCategories;
    // Re-applies the enabling rules of the main window's buttons.
    std::function<void()> refreshButtons;
    // Brings a row the command placed into view.
    std::function<void(int row)> showRow;
    QWidget* parent = nullptr;
    // Makes each change as an undoable step and returns its result; none: made directly.
    EditPerformer perform = {};
};

// Headings of the user columns, in column order.
QStringList userColumnNames(const GearDocument& document, const GearListModel& model);

// Add: the dialog in add mode. Each press of its Add button stores an item where it belongs;
// Enter stores the last one and sorts a weight-sorted list again. Returns the row of that last
// item, -1 when the dialog was cancelled.
int addCommand(ItemCommandContext& context, TPubInfoXfer& xfer);

// Modify of the first selected row: the dialog in modify mode. The changes go to that item
// wherever the dialog's Configure... has moved it; an item gone meanwhile is said and left
// alone. Returns the row that shows the changed item, -1 when nothing changed.
int modifyCommand(ItemCommandContext& context, TPubInfoXfer& xfer, std::vector<int> selectedRows);

// Delete of the selected rows after the user confirms. Returns the row to select and focus
// afterwards, -1 for none.
int deleteCommand(ItemCommandContext& context, std::vector<int> selectedRows);

} // namespace varnel
