#pragma once
// Copy, Cut and Paste of gear rows through the system clipboard, in Varnel's own form, as
// tab-separated text and as an HTML table.

#include "app/GearListModel.h"
#include "model/DocumentEdit.h"
#include "model/GearDocument.h"
#include "ui/Prompts.h"

#include <memory>
#include <vector>

class QMimeData;

namespace varnel {

// The three forms of the rows, ready for the clipboard.
std::unique_ptr<QMimeData> clipboardData(const GearListModel& model, const std::vector<int>& rows);

// Copy: false when no row is given.
bool copyRowsToClipboard(const GearListModel& model, const std::vector<int>& rows);

// Cut: Copy, then Delete without the question, as one step taken by `perform`. Returns the row to
// select afterwards, -1 for none.
int cutRowsToClipboard(GearListModel& model, const std::vector<int>& rows,
                       const EditPerformer& perform);

// Paste of what `data` holds into the document: Varnel's own form when it is there, else the
// text. Headings the document lacks are offered to be added once; rows that cannot be read are
// listed; the paste, new columns included, is one step taken by `perform`. Returns the rows of
// the pasted records, top first (none when nothing changed).
std::vector<int> pasteFromClipboard(GearListModel& model, Prompts& prompts, const QMimeData* data,
                                    const EditPerformer& perform);

} // namespace varnel
