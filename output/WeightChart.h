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
};

struct WeightChart {
    std::vector<WeightBar> bars;
    float grandTotal = 0.0F;
};

// Every category with a checked weight: the runs of one category (letter case aside) make one
// bar, categories that weigh nothing make none. Ties keep the list's order.
WeightChart weightChart(const CategoryTotals& totals, bool metric);

} // namespace varnel
