#pragma once
// What the checked gear weighs, per run of a category and in all.

#include "model/GearDocument.h"
#include "model/GearMarks.h"

#include <string>
#include <string_view>
#include <vector>

namespace varnel {

struct CategoryTotal {
    std::string category;
    float total = 0.0F;
    // The parts of `total` that are worn and consumable (see categoryTotals).
    float worn = 0.0F;
    float consumable = 0.0F;
};

struct CategoryTotals {
    std::vector<CategoryTotal> categories; // one per run of rows sharing a category
    float grandTotal = 0.0F;
    float worn = 0.0F;
    float consumable = 0.0F;
};

inline constexpr std::size_t kTooltipLimit = 1511;
inline constexpr const char* kTotalsRule = "-------------------------------------------";

// One walk over the rows: member rows are skipped, checked rows add their shown weight. With
// mark columns, a checked row's worn and consumable weight is added up too, a group's through
// its members front to back: a consumable item (marked both or not) its line weight; a worn one
// a single unit weight when its multiplier is 1 or more, else its line weight.
CategoryTotals categoryTotals(const GearDocument& document, const MarkColumns& marks = {});

// One Totals dialog line: "%-21s : %6.2f oz. (%6.2f lb)" or "%-21s : %7.2f gm. (%6.2f kg)".
std::string totalsDialogLine(std::string_view name, float total, bool metric);

// The Totals dialog's lines: one per category, the rule, then "Grand Total".
std::vector<std::string> totalsDialogLines(const CategoryTotals& totals, bool metric);

// The tooltip's text: one line per category joined by CR LF, cut cleanly to fit `limit`
// characters (the terminator excluded): only whole lines are kept.
std::string totalsTooltipText(const CategoryTotals& totals, bool metric,
                              std::size_t limit = kTooltipLimit);

} // namespace varnel
