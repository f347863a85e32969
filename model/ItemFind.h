#pragma once
// Finding an item by text: category, item, notes or a user-column text containing the text,
// ASCII letters folded. Members of a collapsed group are searched inside it.

#include <string_view>

namespace varnel {

class GearDocument;

struct FindHit {
    int row = -1;    // the row that shows the match, or the collapsed group that holds it
    int member = -1; // position of the member inside that collapsed group (front first)
    bool wrapped = false;
    [[nodiscard]] bool found() const { return row >= 0; }
};

// The next match after row `from` (forward) or before it (backward), going round the ends;
// `from` -1 starts at the top (forward) or bottom (backward). A collapsed group's members come
// right after its row.
FindHit findItem(const GearDocument& document, std::string_view text, int from, bool forward);

} // namespace varnel
