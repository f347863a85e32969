#pragma once
// Groups: folding gear items into one row by dropping one row on another, and taking them out
// again with Remove from Group.

#include "model/GearDocument.h"
#include "model/UserMessage.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace varnel {

// The widths, without the terminating zero, of what the Create Group dialog edits.
constexpr std::size_t kMaxGroupNameLength = sizeof(sPubInfo::item) - 1;
constexpr std::size_t kMaxGroupNotesLength = sizeof(sPubInfo::notes) - 1;

// Only an ordinary row can be dragged. Nothing can while a hide view is active: leaving the view
// puts back the list as it was, so a group made meanwhile would silently vanish.
[[nodiscard]] bool canDragRow(const GearDocument& document, int row);

enum class DropAction { None, JoinGroup, CreateGroup };

struct DropPlan {
    DropAction action = DropAction::None;
    // The group row to join, or the row the new group is made with.
    int target = -1;
};

// What dropping row `source` on row `target` does. A drop on a member row means its group.
[[nodiscard]] DropPlan planDrop(const GearDocument& document, int source, int target);

// The group row whose expanded members include row `memberRow`; -1 when there is none.
[[nodiscard]] int groupRowOfMember(const GearDocument& document, int memberRow);

// Why `name` (record bytes) cannot name a new group, or nothing when it can: it must not be
// empty, nor equal (byte for byte) to the name of an existing group.
[[nodiscard]] std::optional<UserMessage> groupNameRefusal(const GearDocument& document,
                                                          std::string_view name);

// Dropping ordinary row `source` on group row `groupRow`: a copy of the item becomes the group's
// front member and its row goes; an expanded group shows it at once. Returns the group's row
// afterwards, -1 when refused.
int joinGroup(GearDocument& document, int source, int groupRow);

// Dropping ordinary row `source` on ordinary row `target`: both rows go and a new collapsed group
// of their copies (the target's item first, the dragged one second) takes the category of the
// target, at its sorted place. The name enters the group names. Returns the group's row, -1 when
// refused (the name too: see groupNameRefusal).
int createGroup(GearDocument& document, int source, int target, std::string_view name,
                std::string_view notes);

// Takes the member shown at `memberRow` out of its group, by its position there, and puts it
// back into the list as an ordinary row. A group left empty goes and its name is free again.
// Returns the row of the item taken out, -1 when `memberRow` is not a member row.
int removeFromGroup(GearDocument& document, int memberRow);

// Takes the name of `group`, a group row that is going, out of the group names, unless another
// group row still carries it.
void releaseGroupName(GearDocument& document, const sPubInfo& group);

// The weights of the checked top-level rows, summed as the totals sum them.
[[nodiscard]] float checkedRowsTotal(const GearDocument& document);

} // namespace varnel
