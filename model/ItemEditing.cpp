#include "model/ItemEditing.h"

#include "model/FixedText.h"
#include "model/GroupEditing.h"
#include "model/WeightText.h"
#include "model/sPubInfo60.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace varnel {

namespace {

// A column text is one line of the data file: it ends at a line break and is cut to what the
// reader keeps.
std::string columnTextEntry(std::string_view text) {
    text = text.substr(0, text.find_first_of(std::string_view("\r\n\0", 3)));
    return std::string(text.substr(0, kMaxColumnTextLength));
}

std::string_view slotText(const ItemFields& fields, int k) {
    const auto i = static_cast<std::size_t>(k - 1);
    return i < fields.columnTexts.size() ? std::string_view(fields.columnTexts[i])
                                         : std::string_view();
}

void storeFields(sPubInfo& record, const ItemFields& fields) {
    setField(record.category, fields.category);
    setField(record.item, fields.item);
    setField(record.unitWeight, fields.unitWeight);
    setField(record.multiplier, fields.multiplier);
    setField(record.notes, fields.notes);
}

// The weight from the stored (cut) texts; false when it does not fit.
bool storeLineWeight(sPubInfo& record) {
    const auto weight = lineWeightText(fieldText(record.unitWeight), fieldText(record.multiplier));
    if (!weight) {
        return false;
    }
    setField(record.weight, *weight);
    return true;
}

// User column k gets slot k: replaced where the record has a text there, added otherwise.
void storeColumnTexts(sPubInfo& record, const ItemFields& fields, int userColumns) {
    if (userColumns <= 0) {
        return;
    }
    if (!record.columnTexts) {
        record.columnTexts = std::make_unique<CMMIList<std::string>>();
    }
    for (int k = 1; k <= userColumns; ++k) {
        std::string text = columnTextEntry(slotText(fields, k));
        if (std::string* existing = record.columnTexts->at(k)) {
            *existing = std::move(text);
        } else {
            record.columnTexts->add(std::make_unique<std::string>(std::move(text)));
        }
    }
}

bool fitsLineWeight(const ItemFields& fields) {
    sPubInfo probe;
    storeFields(probe, fields);
    return lineWeightText(fieldText(probe.unitWeight), fieldText(probe.multiplier)).has_value();
}

// The group row that owns the member shown at row `r`, -1 when there is none.
int groupRowOf(const GearDocument& document, int r) {
    const sPubInfo* owner = document.row(r).record->group;
    for (int g = r - 1; g >= 0; --g) {
        if (document.row(g).record.get() == owner) {
            return g;
        }
    }
    for (int g = r - 1; g >= 0; --g) {
        if (document.row(g).isGroupRow()) {
            return g;
        }
    }
    return -1;
}

// The member that member row `r` shows: an expanded group shows its members front to back, so
// the f-th row below the group is the f-th member from the front. Records compare equal on
// their fields, so two equal members are told apart only by position.
sPubInfo* memberShownAt(const GearDocument& document, int g, int r) {
    CMMIList<sPubInfo>& members = *document.row(g).record->members;
    const int f = r - g;
    return members.at(members.count() - f + 1);
}

void addToTotal(GearDocument& document, double delta) {
    if (delta != 0.0) {
        document.setSelectedTotal(document.selectedTotal() + static_cast<float>(delta));
    }
}

// Rebuilds an expanded group's member rows from its members.
void showMembersAgain(GearDocument& document, int g) {
    if (document.record(g).expanded) {
        document.toggleGroup(g);
        document.toggleGroup(g);
    }
}

// Stores the fields into `member` of the group at row `g`. The group's share of the running
// total follows; an expanded group shows its members again.
void modifyMember(GearDocument& document, int g, sPubInfo& member, const ItemFields& fields) {
    sPubInfo& group = document.record(g);
    const double before = group.updateGroupWeight();
    storeFields(member, fields);
    storeLineWeight(member);
    member.modified = 1;
    storeColumnTexts(member, fields, document.userColumnCount);
    if (document.row(g).checked()) {
        addToTotal(document, group.updateGroupWeight() - before);
    }
    if (group.expanded) {
        showMembersAgain(document, g);
    } else {
        document.rowsEdited(g, g);
    }
}

// The member's place in its group, 1-based from the oldest; 0 when it is not there.
int memberIndex(const CMMIList<sPubInfo>& members, const sPubInfo* member) {
    for (int i = 1; i <= members.count(); ++i) {
        if (members.at(i) == member) {
            return i;
        }
    }
    return 0;
}

void keepHandheldCopy(GearDocument& document, sPubInfo& record) {
    record.deleted = 1;
    document.deletedRecords.push_back(toHandheld(record));
    // The handheld file holds a group as its members: those are what the handheld must learn
    // were deleted.
    if (record.members) {
        record.members->forEach([&](sPubInfo& member) { keepHandheldCopy(document, member); });
    }
}

// Deletes row `r`; returns the row that now stands where the deleted one stood.
int deleteRow(GearDocument& document, int r, bool handheldCopy) {
    const GearRow& row = document.row(r);
    if (row.isMemberRow()) {
        const int g = groupRowOf(document, r);
        if (g < 0) {
            document.takeRow(r);
            return r;
        }
        sPubInfo& group = document.record(g);
        const bool groupChecked = document.row(g).checked();
        const double before = group.updateGroupWeight();
        if (sPubInfo* member = memberShownAt(document, g, r)) {
            std::unique_ptr<sPubInfo> gone = group.members->detachExact(member);
            if (handheldCopy) {
                keepHandheldCopy(document, *gone);
            }
        }
        // Only this row goes: the rows below still show the remaining members in order.
        document.takeRow(r);
        if (!group.members->empty()) {
            if (groupChecked) {
                addToTotal(document, group.updateGroupWeight() - before);
            }
            return r;
        }
        // A group without members is no group: it goes the way Remove from Group takes it.
        releaseGroupName(document, group);
        group.members.reset();
        if (groupChecked) {
            addToTotal(document, -before);
        }
        document.takeRow(g);
        return g;
    }

    sPubInfo& record = document.record(r);
    if (row.isGroupRow()) {
        // Member rows must not outlive the group they show.
        if (record.expanded) {
            document.toggleGroup(r);
        }
        releaseGroupName(document, record);
    }
    if (handheldCopy) {
        keepHandheldCopy(document, record);
    }
    if (document.row(r).checked()) {
        addToTotal(document, -document.rowWeight(r));
    }
    document.takeRow(r);
    return r;
}

} // namespace

std::optional<std::string> lineWeightText(std::string_view unitWeight,
                                          std::string_view multiplier) {
    const double weight = weightValue(unitWeight) * weightValue(multiplier);
    if (!std::isfinite(weight)) {
        return std::nullopt;
    }
    std::string text = formatWeight(weight);
    if (text.size() > kMaxWeightLength) {
        return std::nullopt;
    }
    return text;
}

UserMessage lineWeightTooLarge() {
    return {"The weight times \"Multiply by\" is too large to be stored: a weight has at most "
            "9 characters (for example 999999.99). Please enter a smaller weight or multiplier.",
            "Weight Too Large", MessageIcon::Exclamation};
}

ItemFields itemFieldsOf(const sPubInfo& record, int userColumns) {
    ItemFields fields;
    fields.category = fieldText(record.category);
    fields.item = fieldText(record.item);
    fields.notes = fieldText(record.notes);
    fields.unitWeight = fieldText(record.unitWeight);
    fields.multiplier = fieldText(record.multiplier);
    for (int k = 1; k <= userColumns; ++k) {
        fields.columnTexts.push_back(columnTextEntry(record.columnText(k)));
    }
    return fields;
}

std::unique_ptr<sPubInfo> makeItemRecord(const ItemFields& fields, int userColumns) {
    auto record = std::make_unique<sPubInfo>();
    storeFields(*record, fields);
    if (!storeLineWeight(*record)) {
        return nullptr;
    }
    storeColumnTexts(*record, fields, userColumns);
    return record;
}

int insertItem(GearDocument& document, const ItemFields& fields) {
    auto record = makeItemRecord(fields, document.userColumnCount);
    return record ? document.insertRecord(std::move(record)) : -1;
}

int addItem(GearDocument& document, const ItemFields& fields) {
    auto record = makeItemRecord(fields, document.userColumnCount);
    if (!record) {
        return -1;
    }
    const sPubInfo* added = record.get();
    const int row = document.insertRecord(std::move(record));
    if (!document.sortedView) {
        return row;
    }
    // A heading click turns the direction round before it sorts; turning it round first keeps
    // the direction the list is shown in.
    auto& ascending = document.sortAscending[columnSlot(ColumnIndex::Weight)];
    ascending = ascending ? 0 : 1;
    document.sortByColumn(columnNumber(ColumnIndex::Weight));
    for (int r = 0; r < document.rowCount(); ++r) {
        if (document.row(r).record.get() == added) {
            return r;
        }
    }
    return -1;
}

int modifyItem(GearDocument& document, int r, const ItemFields& fields) {
    if (r < 0 || r >= document.rowCount() || document.row(r).isGroupRow() ||
        !fitsLineWeight(fields)) {
        return -1;
    }
    const bool memberRow = document.row(r).isMemberRow();
    sPubInfo& record = document.record(r);
    record.selected = document.row(r).checked() ? 1 : 0;
    record.modified = 1;
    storeFields(record, fields);
    if (record.selected && !memberRow) {
        addToTotal(document, -weightValue(fieldText(record.weight)));
    }
    storeLineWeight(record);

    if (!memberRow) {
        auto changed = record.clone();
        storeColumnTexts(*changed, fields, document.userColumnCount);
        document.takeRow(r);
        return document.insertRecord(std::move(changed));
    }

    const int g = groupRowOf(document, r);
    if (g < 0) {
        document.rowsEdited(r, r);
        return r;
    }
    if (sPubInfo* member = memberShownAt(document, g, r)) {
        modifyMember(document, g, *member, fields);
    }
    return r;
}

ItemRef itemAt(const GearDocument& document, int row) {
    if (row < 0 || row >= document.rowCount() || document.row(row).isGroupRow()) {
        return {};
    }
    if (!document.row(row).isMemberRow()) {
        return {document.row(row).record.get(), nullptr};
    }
    // The row holds a copy: the member is known by its group and its place there.
    const int g = groupRowOf(document, row);
    const sPubInfo* member = g < 0 ? nullptr : memberShownAt(document, g, row);
    return member ? ItemRef{document.row(g).record.get(), member} : ItemRef{};
}

int rowOf(const GearDocument& document, const ItemRef& ref) {
    if (!ref.record) {
        return -1;
    }
    for (int r = 0; r < document.rowCount(); ++r) {
        const GearRow& row = document.row(r);
        if (row.record.get() != ref.record || row.isMemberRow()) {
            continue;
        }
        if (!ref.member) {
            return row.isGroupRow() ? -1 : r;
        }
        if (!row.isGroupRow()) {
            return -1;
        }
        const CMMIList<sPubInfo>& members = *row.record->members;
        const int i = memberIndex(members, ref.member);
        if (i == 0) {
            return -1;
        }
        return row.record->expanded ? r + members.count() - i + 1 : r;
    }
    return -1;
}

int modifyItem(GearDocument& document, const ItemRef& ref, const ItemFields& fields) {
    const int r = rowOf(document, ref);
    if (r < 0 || !ref.member || document.row(r).isMemberRow()) {
        return modifyItem(document, r, fields);
    }
    // A member of a collapsed group: it has no row of its own.
    if (!fitsLineWeight(fields)) {
        return -1;
    }
    CMMIList<sPubInfo>& members = *document.record(r).members;
    modifyMember(document, r, *members.at(memberIndex(members, ref.member)), fields);
    return r;
}

int itemCount(const GearDocument& document) {
    int items = 0;
    for (const GearRow& row : document.rows()) {
        items += row.isGroupRow() ? row.record->members->count() : row.isMemberRow() ? 0 : 1;
    }
    return items;
}

int deleteRows(GearDocument& document, std::vector<int> rows) {
    std::erase_if(rows, [&](int r) { return r < 0 || r >= document.rowCount(); });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty()) {
        return -1;
    }
    if (rows.size() == 1) {
        const int at = deleteRow(document, rows.front(), true);
        return document.rowCount() == 0 ? -1 : std::min(at, document.rowCount() - 1);
    }

    // Rows move as others go, and a deleted group takes its member rows along: the rows to
    // delete are known by their records, taken from the top each time.
    std::unordered_set<const sPubInfo*> pending;
    for (int r : rows) {
        pending.insert(document.row(r).record.get());
    }
    for (int r = 0; r < document.rowCount() && !pending.empty();) {
        const sPubInfo* record = document.row(r).record.get();
        if (pending.erase(record) == 0) {
            ++r;
            continue;
        }
        // Collapsing a group removes the member rows below it; they must not be looked for.
        if (document.row(r).isGroupRow() && document.record(r).expanded) {
            const int n = document.record(r).members->count();
            for (int m = r + 1; m <= r + n && m < document.rowCount(); ++m) {
                pending.erase(document.row(m).record.get());
            }
        }
        // The group row above a member may go too.
        r = std::max(0, deleteRow(document, r, false) - 1);
    }
    return -1;
}

} // namespace varnel
