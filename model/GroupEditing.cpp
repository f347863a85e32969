#include "model/GroupEditing.h"

#include "model/FixedText.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

namespace varnel {

namespace {

constexpr const char* kApplicationName = "Varnel";

bool validRow(const GearDocument& document, int r) {
    return r >= 0 && r < document.rowCount();
}

bool ordinaryRow(const GearDocument& document, int r) {
    return validRow(document, r) && !document.row(r).isGroupRow() && !document.row(r).isMemberRow();
}

int rowOfRecord(const GearDocument& document, const sPubInfo* record) {
    for (int r = 0; r < document.rowCount(); ++r) {
        if (document.row(r).record.get() == record) {
            return r;
        }
    }
    return -1;
}

// The item at row `r` as a member of `group`. Its check mark is the row's, not what the record
// last stored, so that the item comes back out of the group the way it went in.
std::unique_ptr<sPubInfo> memberCopy(const GearDocument& document, int r, sPubInfo& group) {
    auto copy = document.row(r).record->clone();
    copy->selected = document.row(r).checked() ? 1 : 0;
    copy->inGroup = 1;
    copy->expanded = 0;
    copy->group = &group;
    return copy;
}

// The member that member row `r` shows: an expanded group shows its members front to back
// directly below its row. Records compare equal on their fields alone, so only the position
// tells two equal members apart.
sPubInfo* memberShownAt(GearDocument& document, int g, int r) {
    CMMIList<sPubInfo>& members = *document.record(g).members;
    return members.at(members.count() - (r - g) + 1);
}

// The group's weight and the running total follow every change of its members.
void groupChanged(GearDocument& document, sPubInfo& group) {
    group.updateGroupWeight();
    document.setSelectedTotal(checkedRowsTotal(document));
}

} // namespace

bool canDragRow(const GearDocument& document, int row) {
    return ordinaryRow(document, row) && !document.hideViewActive();
}

DropPlan planDrop(const GearDocument& document, int source, int target) {
    if (source == target || !canDragRow(document, source) || !validRow(document, target)) {
        return {};
    }
    if (document.row(target).isMemberRow()) {
        target = groupRowOfMember(document, target);
        if (target < 0) {
            return {};
        }
    }
    if (document.row(target).isGroupRow()) {
        return {DropAction::JoinGroup, target};
    }
    return {DropAction::CreateGroup, target};
}

int groupRowOfMember(const GearDocument& document, int memberRow) {
    if (!validRow(document, memberRow) || !document.row(memberRow).isMemberRow()) {
        return -1;
    }
    // The rows between a group and one of its member rows are all members of that group.
    for (int g = memberRow - 1; g >= 0; --g) {
        const GearRow& row = document.row(g);
        if (row.isGroupRow()) {
            const bool shown =
                row.record->expanded != 0 && memberRow - g <= row.record->members->count();
            return shown ? g : -1;
        }
        if (!row.isMemberRow()) {
            return -1;
        }
    }
    return -1;
}

std::optional<UserMessage> groupNameRefusal(const GearDocument& document, std::string_view name) {
    // Compared as it will be stored.
    name = name.substr(0, kMaxGroupNameLength);
    if (name.empty()) {
        return UserMessage{"Group Name required.", kApplicationName, MessageIcon::Stop};
    }
    if (document.groupNames.find(std::string(name)) != nullptr) {
        return UserMessage{"Group of same name already exists.  Please choose a different name",
                           kApplicationName, MessageIcon::None};
    }
    return std::nullopt;
}

void releaseGroupName(GearDocument& document, const sPubInfo& group) {
    const std::string_view name = fieldText(group.item);
    // A file may hold two groups of one name; the other keeps it taken.
    for (const GearRow& row : document.rows()) {
        if (row.isGroupRow() && row.record.get() != &group && fieldText(row.record->item) == name) {
            return;
        }
    }
    document.groupNames.remove(std::string(name));
}

int joinGroup(GearDocument& document, int source, int groupRow) {
    if (!canDragRow(document, source) || !validRow(document, groupRow) ||
        !document.row(groupRow).isGroupRow()) {
        return -1;
    }
    sPubInfo& group = document.record(groupRow);
    auto member = memberCopy(document, source, group);
    document.takeRow(source);
    const int g = rowOfRecord(document, &group);
    if (group.expanded) {
        // Folded with the members it shows, then shown again with the new one in front: folded
        // after the member went in, one row too many would go.
        document.toggleGroup(g);
        group.members->add(std::move(member));
        document.toggleGroup(g);
    } else {
        group.members->add(std::move(member));
        document.rowsEdited(g, g);
    }
    groupChanged(document, group);
    return g;
}

int createGroup(GearDocument& document, int source, int target, std::string_view name,
                std::string_view notes) {
    if (source == target || !canDragRow(document, source) || !ordinaryRow(document, target) ||
        groupNameRefusal(document, name)) {
        return -1;
    }
    auto group = std::make_unique<sPubInfo>();
    setField(group->category, fieldText(document.record(target).category));
    setField(group->item, name);
    setField(group->notes, notes);
    const std::string stored(fieldText(group->item));
    setField(group->collapsedLabel, "+ " + stored);
    setField(group->expandedLabel, "- " + stored);
    group->members = std::make_unique<CMMIList<sPubInfo>>();
    // `add` puts in front: the target item is listed first, the dragged one second.
    group->members->add(memberCopy(document, source, *group));
    group->members->add(memberCopy(document, target, *group));
    group->updateGroupWeight();
    document.groupNames.add(std::make_unique<std::string>(stored));

    document.takeRow(std::max(source, target));
    document.takeRow(std::min(source, target));
    sPubInfo& made = *group;
    const int row = document.insertRecord(std::move(group));
    groupChanged(document, made);
    return row;
}

int removeFromGroup(GearDocument& document, int memberRow) {
    const int g = groupRowOfMember(document, memberRow);
    if (g < 0) {
        return -1;
    }
    sPubInfo& group = document.record(g);
    sPubInfo* member = memberShownAt(document, g, memberRow);
    if (member == nullptr) {
        return -1;
    }
    std::unique_ptr<sPubInfo> item = document.record(memberRow).clone();
    item->inGroup = 0;
    item->group = nullptr;
    const sPubInfo* taken = item.get();
    group.members->detachExact(member);

    // The rows below still show the remaining members in order.
    document.takeRow(memberRow);
    if (group.members->empty()) {
        releaseGroupName(document, group);
        group.members.reset();
        document.takeRow(g);
        document.insertRecord(std::move(item));
        document.setSelectedTotal(checkedRowsTotal(document));
        return rowOfRecord(document, taken);
    }
    // Collapsed while the item goes in, so that it cannot land among the member rows.
    document.toggleGroup(g);
    document.insertRecord(std::move(item));
    document.toggleGroup(rowOfRecord(document, &group));
    groupChanged(document, group);
    return rowOfRecord(document, taken);
}

float checkedRowsTotal(const GearDocument& document) {
    float total = 0.0F;
    for (int r = 0; r < document.rowCount(); ++r) {
        const GearRow& row = document.row(r);
        if (!row.isMemberRow() && row.checked()) {
            total += static_cast<float>(document.rowWeight(r));
        }
    }
    return total;
}

} // namespace varnel
