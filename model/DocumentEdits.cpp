#include "model/DocumentEdits.h"

#include "model/ColumnEditing.h"
#include "model/DocumentSettings.h"
#include "model/GearDocument.h"
#include "model/GroupEditing.h"

#include <algorithm>
#include <utility>

namespace varnel {

DocumentEdit checkEdit(int row, bool checked) {
    return {checked ? "Check" : "Uncheck", [row, checked](GearDocument& d, DocumentSettings&) {
                if (row < 0 || row >= d.rowCount()) {
                    return -1;
                }
                d.setChecked(row, checked);
                return row;
            }};
}

DocumentEdit selectAllEdit() {
    return {"Select All", [](GearDocument& d, DocumentSettings&) {
                d.selectAll();
                return 0;
            }};
}

DocumentEdit clearSelectedEdit() {
    return {"Clear Selected", [](GearDocument& d, DocumentSettings&) {
                d.clearSelected();
                return 0;
            }};
}

DocumentEdit addItemEdit(ItemFields fields, bool resort) {
    return {"Add", [fields = std::move(fields), resort](GearDocument& d, DocumentSettings&) {
                return resort ? addItem(d, fields) : insertItem(d, fields);
            }};
}

DocumentEdit modifyItemEdit(int row, ItemFields fields) {
    return {"Modify", [row, fields = std::move(fields)](GearDocument& d, DocumentSettings&) {
                return modifyItem(d, row, fields);
            }};
}

DocumentEdit modifyItemEdit(ItemRef item, ItemFields fields) {
    return {"Modify", [item, fields = std::move(fields)](GearDocument& d, DocumentSettings&) {
                return modifyItem(d, item, fields);
            }};
}

DocumentEdit deleteRowsEdit(std::vector<int> rows, std::string name) {
    return {std::move(name), [rows = std::move(rows)](GearDocument& d, DocumentSettings&) {
                return deleteRows(d, rows);
            }};
}

DocumentEdit joinGroupEdit(int source, int groupRow) {
    return {"Add to Group", [source, groupRow](GearDocument& d, DocumentSettings&) {
                return joinGroup(d, source, groupRow);
            }};
}

DocumentEdit createGroupEdit(int source, int target, std::string name, std::string notes) {
    return {"Create Group", [source, target, name = std::move(name),
                             notes = std::move(notes)](GearDocument& d, DocumentSettings&) {
                return createGroup(d, source, target, name, notes);
            }};
}

DocumentEdit removeFromGroupEdit(int memberRow) {
    return {"Remove from Group", [memberRow](GearDocument& d, DocumentSettings&) {
                return removeFromGroup(d, memberRow);
            }};
}

DocumentEdit addCategoryEdit(std::string text, CategoryAddOutcome* outcome) {
    return {"Add Category", [text = std::move(text), outcome](GearDocument& d, DocumentSettings&) {
                CategoryAddOutcome out = addCategory(d, text);
                const int id = out.added() ? out.id : -1;
                if (outcome) {
                    *outcome = std::move(out);
                }
                return id;
            }};
}

DocumentEdit deleteCategoryEdit(std::string name) {
    return {"Delete Category", [name = std::move(name)](GearDocument& d, DocumentSettings&) {
                return deleteCategory(d, name) ? 1 : 0;
            }};
}

DocumentEdit renameCategoryEdit(std::string oldName, std::string newName,
                                CategoryRenameOutcome* outcome, std::function<void()> then) {
    return {"Rename Category", [oldName = std::move(oldName), newName = std::move(newName), outcome,
                                then = std::move(then)](GearDocument& d, DocumentSettings&) {
                CategoryRenameOutcome out = renameCategory(d, oldName, newName);
                if (out.renamed() && then) {
                    then();
                }
                const int rows = out.rowsChanged;
                if (outcome) {
                    *outcome = std::move(out);
                }
                return rows;
            }};
}

void appendUserColumn(GearDocument& document, DocumentSettings& settings,
                      const std::string& heading, std::int32_t alignment) {
    const int column = static_cast<int>(kFixedColumns) + document.userColumnCount;
    settings.userColumnRecords.push_back(
        {heading.substr(0, ColumnRecord::kHeadingSize - 1), alignment, column});
    ++document.userColumnCount;
    settings.userColumns = document.userColumnCount;
    // A custom column order goes on with the new column last.
    if (static_cast<int>(settings.columnOrder.size()) == column) {
        settings.columnOrder.push_back(column);
    }
}

DocumentEdit addColumnEdit(std::string heading, std::int32_t alignment) {
    return {"Add Column",
            [heading = std::move(heading), alignment](GearDocument& d, DocumentSettings& s) {
                if (d.userColumnCount >= kMaxUserColumns) {
                    return -1;
                }
                appendUserColumn(d, s, heading, alignment);
                return d.userColumnCount;
            },
            true};
}

DocumentEdit deleteColumnsEdit(std::vector<int> positions, std::vector<int>* removedColumns) {
    return {
        "Delete Column",
        [positions = std::move(positions), removedColumns](GearDocument& d, DocumentSettings& s) {
            const std::vector<int> removed = deleteUserColumns(d, positions);
            if (removedColumns) {
                *removedColumns = removed;
            }
            for (const int k : removed) {
                const auto column = static_cast<std::int32_t>(kFixedColumns) + k - 1;
                const auto at = static_cast<std::size_t>(k - 1);
                if (at < s.userColumnRecords.size()) {
                    s.userColumnRecords.erase(s.userColumnRecords.begin() +
                                              static_cast<std::ptrdiff_t>(at));
                }
                if (static_cast<std::size_t>(column) < s.columnWidths.size()) {
                    s.columnWidths.erase(s.columnWidths.begin() + column);
                }
                auto& order = s.columnOrder;
                if (std::erase(order, column) > 0) {
                    for (std::int32_t& c : order) {
                        c -= c > column ? 1 : 0;
                    }
                }
            }
            s.userColumns = d.userColumnCount;
            return static_cast<int>(removed.size());
        },
        true};
}

DocumentEdit modifyColumnEdit(int column, std::string heading, std::int32_t alignment) {
    return {"Modify Column",
            [column, heading = std::move(heading), alignment](GearDocument&, DocumentSettings& s) {
                ColumnRecord* record = nullptr;
                if (column >= 0 && column < static_cast<int>(kFixedColumns)) {
                    record = &s.fixedColumns[static_cast<std::size_t>(column)];
                } else if (const auto k = static_cast<std::size_t>(column) - kFixedColumns;
                           column >= 0 && k < s.userColumnRecords.size()) {
                    record = &s.userColumnRecords[k];
                }
                if (!record) {
                    return -1;
                }
                record->heading = heading.substr(0, ColumnRecord::kHeadingSize - 1);
                record->alignment = alignment;
                return column;
            },
            true};
}

DocumentEdit convertEdit() {
    return {"Convert",
            [](GearDocument& d, DocumentSettings& s) {
                const bool metric = d.metric;
                s.fixedColumns[columnSlot(ColumnIndex::Weight)].heading = d.convertUnits();
                s.metric = d.metric;
                // The base goal is kept in the list's unit.
                if (d.metric != metric) {
                    s.baseGoal = convertedGoal(s.baseGoal, d.metric);
                }
                return 0;
            },
            true};
}

namespace {

// Appends user columns for `missing` and returns every heading the rows may fill.
std::vector<std::string> withColumns(GearDocument& d, DocumentSettings& s,
                                     std::vector<std::string> headings,
                                     const std::vector<std::string>& missing) {
    for (const std::string& name : missing) {
        appendUserColumn(d, s, name, ColumnRecord::kAlignLeft);
        headings.push_back(name);
    }
    return headings;
}

} // namespace

DocumentEdit importLighterPackEdit(LighterPackList list, std::vector<std::string> headings,
                                   std::vector<std::string> missing, LighterPackAdded* added) {
    return {"Import",
            [list = std::move(list), headings = std::move(headings), missing = std::move(missing),
             added](GearDocument& d, DocumentSettings& s) {
                LighterPackAdded out =
                    addLighterPackItems(d, list, withColumns(d, s, headings, missing));
                const int items = out.items;
                if (added) {
                    *added = std::move(out);
                }
                return items;
            },
            true};
}

DocumentEdit pasteEdit(std::vector<ClipRecord> records, std::vector<std::string> headings,
                       std::vector<std::string> missing, PasteOutcome* outcome) {
    return {"Paste",
            [records = std::move(records), headings = std::move(headings),
             missing = std::move(missing), outcome](GearDocument& d, DocumentSettings& s) {
                PasteOutcome out = pasteRecords(d, records, withColumns(d, s, headings, missing));
                const auto count = static_cast<int>(out.pasted.size());
                if (outcome) {
                    *outcome = std::move(out);
                }
                return count;
            },
            true};
}

} // namespace varnel
