#pragma once
// The edits a user can make to a document, each as a DocumentEdit that can be taken back: the
// rules of ItemEditing, GroupEditing, CategoryEditing, ColumnEditing and the import, run once
// and recorded.

#include "model/CategoryEditing.h"
#include "model/ClipboardRows.h"
#include "model/ColumnRecord.h"
#include "model/DocumentEdit.h"
#include "model/ItemEditing.h"
#include "model/LighterPackImport.h"

#include <functional>
#include <string>
#include <vector>

namespace varnel {

// --- check marks
DocumentEdit checkEdit(int row, bool checked);
DocumentEdit selectAllEdit();
DocumentEdit clearSelectedEdit();

// --- items; the result is the row to show (see ItemEditing)
// `resort`: the dialog's last item, after which a weight-sorted list is sorted again.
DocumentEdit addItemEdit(ItemFields fields, bool resort);
DocumentEdit modifyItemEdit(int row, ItemFields fields);
// The item wherever it stands when the step is made.
DocumentEdit modifyItemEdit(ItemRef item, ItemFields fields);
// `name` names the step: a Cut deletes as Delete does.
DocumentEdit deleteRowsEdit(std::vector<int> rows, std::string name = "Delete");

// --- groups (see GroupEditing)
DocumentEdit joinGroupEdit(int source, int groupRow);
DocumentEdit createGroupEdit(int source, int target, std::string name, std::string notes);
DocumentEdit removeFromGroupEdit(int memberRow);

// --- categories; the outcomes, when given, receive what the rule answered
DocumentEdit addCategoryEdit(std::string text, CategoryAddOutcome* outcome = nullptr);
DocumentEdit deleteCategoryEdit(std::string name);
// `then` runs as part of the step (the list's re-sort by category).
DocumentEdit renameCategoryEdit(std::string oldName, std::string newName,
                                CategoryRenameOutcome* outcome = nullptr,
                                std::function<void()> then = {});

// --- user columns, in the document and its column settings
// Appends user column `heading` (record bytes, cut to the heading's width).
void appendUserColumn(GearDocument& document, DocumentSettings& settings,
                      const std::string& heading, std::int32_t alignment);
DocumentEdit addColumnEdit(std::string heading, std::int32_t alignment);
// Positions as deleteUserColumns takes them; the result is the number of columns removed, and
// `removed` receives their numbers.
DocumentEdit deleteColumnsEdit(std::vector<int> positions, std::vector<int>* removed = nullptr);
// Any column, fixed ones included (0-based list column).
DocumentEdit modifyColumnEdit(int column, std::string heading, std::int32_t alignment);

// --- whole document
DocumentEdit convertEdit();
// The list's items, after user columns for `missing` headings were added to `headings`; the
// result is the number of items added, and `added` receives the rest of the outcome.
DocumentEdit importLighterPackEdit(LighterPackList list, std::vector<std::string> headings,
                                   std::vector<std::string> missing, LighterPackAdded* added);
// Pasted records, after user columns for `missing` headings were added to `headings`; the result
// is the number of records put in, and `outcome` receives the rest.
DocumentEdit pasteEdit(std::vector<ClipRecord> records, std::vector<std::string> headings,
                       std::vector<std::string> missing, PasteOutcome* outcome);

} // namespace varnel
