#pragma once
// Worn and consumable items: marked by their texts in user columns headed "Worn" and
// "Consumable", as a LighterPack list brings them in and takes them out again.

#include "model/GearDocument.h"
#include "model/sPubInfo.h"

#include <string>
#include <string_view>
#include <vector>

namespace varnel {

enum class GearMark { Worn, Consumable };

// The heading of a mark's column, which is also the text a marked item gets.
std::string_view markHeading(GearMark mark);

// The user columns (1-based) that hold the marks; 0 where the document has none.
struct MarkColumns {
    int worn = 0;
    int consumable = 0;

    [[nodiscard]] int column(GearMark mark) const {
        return mark == GearMark::Worn ? worn : consumable;
    }
    [[nodiscard]] bool any() const { return worn > 0 || consumable > 0; }
};

// The first user column whose heading, blanks around it aside, is the mark's in any letter case.
// `userHeadings` are user column 1 first, as the records' texts are.
MarkColumns markColumns(const std::vector<std::string>& userHeadings);

// Whether a column text marks its item: anything but blanks, "no", "n", "0" or "false".
bool isMarkText(std::string_view text);

// Whether the record's text in user column `column` marks it; never for column 0.
bool hasMark(const sPubInfo& record, int column);

// User column `column` (1-based) of the item at `row` gets `text`, wherever that item is kept
// (see GearDocument::recordsShownAt); the view is told. False, changing nothing, for a group
// row, no such row or column, or a text that already is the item's.
bool setRowColumnText(GearDocument& document, int row, int column, std::string_view text);

// Marks the item at `row` (the mark's heading as its text) or unmarks it (no text).
bool setRowMark(GearDocument& document, int row, int column, GearMark mark, bool marked);

} // namespace varnel
