#pragma once
// What the checked gear weighs, per run of a category and in all.

#include "model/GearDocument.h"

#include <string>
#include <vector>

namespace varnel {

struct CategoryTotal {
    std::string category;
    float total = 0.0F;
};

struct CategoryTotals {
    std::vector<CategoryTotal> categories; // one per run of rows sharing a category
    float grandTotal = 0.0F;
};

inline constexpr std::size_t kTooltipLimit = 1511;
inline constexpr const char* kTotalsRule = "-------------------------------------------";

// One walk over the rows: member rows are skipped, checked rows add their shown weight.
CategoryTotals categoryTotals(const GearDocument& document);

// The Totals dialog's lines: one per category, the rule, then "Grand Total".
std::vector<std::string> totalsDialogLines(const CategoryTotals& totals, bool metric);

// The tooltip's text: one line per category joined by CR LF, cut cleanly to fit `limit`
// characters (the terminator excluded): only whole lines are kept.
std::string totalsTooltipText(const CategoryTotals& totals, bool metric,
                              std::size_t limit = kTooltipLimit);

} // namespace varnel
