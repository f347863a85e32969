#pragma once
// What deleting user columns does to the items' texts. User column k (1-based) is the text at
// `columnTexts->at(k)`, so a column that goes takes exactly that element with it and every later
// text moves one place down together with its column.

#include "model/GearDocument.h"

#include <vector>

namespace varnel {

// Removes user column k's text (when present) from every row, every group member and every
// member row shown for an expanded group, then lowers `userColumnCount` by one (never below 0).
// Refused (returns false, nothing changes) for k < 1 or while a hide view is active: the rows set
// aside then would keep their texts under the wrong columns once the view is left.
bool removeUserColumnTexts(GearDocument& doc, int k);

// Deletes the user columns at these list positions (0-based, as the delete dialog shows the user
// columns) in one pass. The n-th position p, in ascending order, removes the column that is
// then at p - n. Returns the 1-based user column numbers removed, in the order removed, so that
// the view removes the same columns one after the other. Repeated and out-of-range positions
// are ignored.
std::vector<int> deleteUserColumns(GearDocument& doc, std::vector<int> positions);

} // namespace varnel
