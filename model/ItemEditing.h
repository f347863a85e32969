#pragma once
// Adding, changing and deleting gear items in the document: what the item dialog's fields
// become in a record and where that record goes.

#include "model/GearDataWriter.h"
#include "model/GearDocument.h"
#include "model/UserMessage.h"
#include "model/sPubInfo.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// The fields of one item as the dialog hands them over: record bytes, not yet cut to the
// record's widths. `columnTexts` holds user column k at index k - 1.
struct ItemFields {
    std::string category;
    std::string item;
    std::string notes;
    std::string unitWeight;
    std::string multiplier;
    std::vector<std::string> columnTexts;
};

// Column texts are cut on entry to what the data file reads back whole, so that what the user
// sees is what the file keeps.
constexpr std::size_t kMaxColumnTextLength = kMaxStoredTextLength;

// The widths, without the terminating zero, of what the item dialog edits.
constexpr std::size_t kMaxItemLength = sizeof(sPubInfo::item) - 1;
constexpr std::size_t kMaxNotesLength = sizeof(sPubInfo::notes) - 1;
constexpr std::size_t kMaxUnitWeightLength = sizeof(sPubInfo::unitWeight) - 1;
constexpr std::size_t kMaxMultiplierLength = sizeof(sPubInfo::multiplier) - 1;
constexpr std::size_t kMaxWeightLength = sizeof(sPubInfo::weight) - 1;

// unitWeight x multiplier as "%.2f" when it fits `weight`; nothing when it is too long for it
// (or not a finite number), so that no weight is ever stored cut.
std::optional<std::string> lineWeightText(std::string_view unitWeight, std::string_view multiplier);

// The message that refuses a unit weight and multiplier whose line weight does not fit.
UserMessage lineWeightTooLarge();

// The fields of a record, user columns 1..userColumns (empty where it has no text).
ItemFields itemFieldsOf(const sPubInfo& record, int userColumns);

// A new record (defaults of a new record) with the fields, each cut to its width, the line
// weight, and when there are user columns one text per column at positions 1..userColumns.
// Null when the line weight does not fit.
std::unique_ptr<sPubInfo> makeItemRecord(const ItemFields& fields, int userColumns);

// Inserts a new item at its place in the category blocks; the row, or -1 when refused.
int insertItem(GearDocument& document, const ItemFields& fields);

// As insertItem; a list sorted by weight is then sorted again in its current direction.
int addItem(GearDocument& document, const ItemFields& fields);

// Stores the fields into the item at `row` and returns the row that shows it afterwards (-1
// when refused: no such row, a group row, or a line weight that does not fit). An ordinary row
// moves to its sorted place; a member row changes the member inside its group, which stays
// expanded. A checked group's share of the running total follows its new weight.
int modifyItem(GearDocument& document, int row, const ItemFields& fields);

// An item the user chose, to be found again after the rows have moved under a dialog: its own
// record, or for a member (whose row holds a copy) its group's record and the member itself.
struct ItemRef {
    const sPubInfo* record = nullptr;
    const sPubInfo* member = nullptr;
};

// The item shown at `row`; empty for a group row or no row.
ItemRef itemAt(const GearDocument& document, int row);

// The row that shows the item now (a member of a collapsed group: its group's row); -1 when it
// is gone.
int rowOf(const GearDocument& document, const ItemRef& ref);

// modifyItem for the item wherever it stands now; a member of a collapsed group changes inside
// it. -1 when it is gone or the line weight does not fit.
int modifyItem(GearDocument& document, const ItemRef& ref, const ItemFields& fields);

// The items in the rows: ordinary rows and every group's members, not the group rows nor the
// member rows that show them.
int itemCount(const GearDocument& document);

// Deletes the rows; returns the row to select afterwards, -1 for none. One row leaves a
// handheld copy in the deleted records and selects the row that took its place; several rows
// leave no copies and select nothing. A deleted member leaves its group by position; a group
// left without members goes too, its name leaving the group names.
int deleteRows(GearDocument& document, std::vector<int> rows);

} // namespace varnel
