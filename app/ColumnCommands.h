#pragma once
// The Column menu's three commands and their enablers, over the pieces of the main window they
// touch. Each command refills its (program-wide) transfer record before the dialog runs.

#include "config/TAddNewColumnDlgXfer.h"
#include "config/TDeleteColumnsDlgXfer.h"
#include "config/TModifyColumnDlgXfer.h"
#include "model/DocumentEdit.h"

#include <QString>
#include <Qt>

#include <functional>
#include <string>
#include <vector>

class QDialog;
class QTreeView;
class QWidget;

namespace varnel {

class GearDocument;
class GearListModel;
class Prompts;

// Runs a modal dialog and returns its result (QDialog::Accepted on OK).
using DialogRunner = std::function<int(QDialog&)>;

// Add New Column: appends the column last, a quarter of the list's visible width wide. Returns
// whether a column was added.
// With `perform` the column goes into the document's column settings as an undoable step, which
// the window then shows; so for the other two commands.
bool addNewColumn(TAddNewColumnDlgXfer& xfer, GearListModel& model, QTreeView& list,
                  const DialogRunner& runDialog, QWidget* parent = nullptr,
                  const EditPerformer& perform = {});

// Delete Column: removes the picked user columns from the view and their texts from every item.
// Returns the 1-based user column numbers removed, one after the other (see deleteUserColumns).
std::vector<int> deleteColumns(TDeleteColumnsDlgXfer& xfer, GearListModel& model, Prompts& prompts,
                               const DialogRunner& runDialog, QWidget* parent = nullptr,
                               const EditPerformer& perform = {});

// Modify Column: any column, the fixed ones included, gets the heading and alignment left in
// the dialog. Returns whether a column was changed.
bool modifyColumn(TModifyColumnDlgXfer& xfer, GearListModel& model, const DialogRunner& runDialog,
                  QWidget* parent = nullptr, const EditPerformer& perform = {});

// Appends a user column last, a quarter of the list's visible width wide.
void appendUserColumn(GearListModel& model, QTreeView& list, const QString& heading,
                      Qt::Alignment alignment);

// The user columns' headings as the records' texts are (Windows-1252), user column 1 first.
[[nodiscard]] std::vector<std::string> userColumnHeadings(const GearListModel& model);

[[nodiscard]] bool addNewColumnEnabled(const GearDocument& doc);
[[nodiscard]] bool deleteColumnEnabled(const GearDocument& doc);
[[nodiscard]] bool modifyColumnEnabled(const GearDocument& doc);

} // namespace varnel
