#pragma once
// Where the checked weight is: one bar per category, heaviest first, for the Totals dialog's
// chart.

#include "output/CategoryTotals.h"

#include <string>
#include <vector>

namespace varnel {

struct WeightBar {
    std::string category; // as first spelled in the list
    float weight = 0.0F;  // the checked weight, in the document's unit
    // Of the grand total, 0 to 1; 0 when there is no positive, finite grand total.
    double share = 0.0;
    // Of the heaviest bar, 0 to 1: how long the bar is drawn (0 for nothing or less).
    double length = 0.0;
    std::string label; // "32.00 oz. (45.1%)"
    float worn = 0.0F; // the worn and consumable parts of `weight`
    float consumable = 0.0F;
    // Of the bar, 0 to 1, together at most 1: how much of it is drawn as worn and consumable.
    double wornShare = 0.0;
    double consumableShare = 0.0;
};

struct WeightChart {
    std::vector<WeightBar> bars;
    float grandTotal = 0.0F;
    // Some bar has a worn or consumable part: the bars are split and a legend says how.
    bool split = false;
};

// Every category with a checked weight: the runs of one category (letter case aside) make one
// bar, categories that weigh nothing make none. Ties keep the list's order.
WeightChart weightChart(const CategoryTotals& totals, bool metric);

} // namespace varnel
