#pragma once
// Find Next and Find Previous: the find bar's text looked for in the list, the row it is in
// made current, the note on the bar telling how the search went.

#include <functional>

class QTreeView;

namespace varnel {

class FindBar;
class GearListModel;

struct FindCommandContext {
    const GearListModel& model;
    QTreeView& view;
    FindBar& bar;
    // Opens the group at `row`, so that a member found in it can be shown.
    std::function<void(int row)> expandGroup;
};

// `fromCurrent` lets the current row match, as typing does. With nothing to find, the bar
// opens to ask for it, unless the text was just emptied.
void findNextCommand(const FindCommandContext& context, bool forward, bool fromCurrent);

} // namespace varnel
