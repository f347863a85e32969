#pragma once
// The weights a hiker plans around: base (carried, neither worn nor consumed), worn, consumable,
// pack (on the back at the trailhead: base and consumable) and skin-out (everything checked).

#include "output/CategoryTotals.h"

#include <optional>
#include <string>
#include <vector>

namespace varnel {

struct GearSummary {
    float base = 0.0F;
    float worn = 0.0F;
    float consumable = 0.0F;
    float pack = 0.0F;
    float skinOut = 0.0F; // the Totals dialog's Grand Total
};

// From totals taken with the document's mark columns.
GearSummary gearSummary(const CategoryTotals& totals);

// "Base weight", "Worn", "Consumable", "Pack weight", "Skin-out", then "Base weight goal" when
// there is a goal, each as a Totals dialog line. `difference` adds how far the base weight is
// over or under the goal.
std::vector<std::string> summaryLines(const GearSummary& summary, std::optional<double> goal,
                                      bool metric, bool difference = false);

// The window's line: "Base 24.00 oz.   Worn ...   Skin-out 37.00 oz." in the display unit.
std::string summaryText(const GearSummary& summary, bool metric);

// "Goal 20.00 oz.: 4.00 oz. over" or "... under"; true in `over` when the base weight is over.
std::string goalText(const GearSummary& summary, double goal, bool metric, bool& over);

} // namespace varnel
