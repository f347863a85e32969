#include "output/WeightChart.h"

#include "model/CaseFold.h"
#include "model/WeightText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace varnel {

namespace {

// A weight text may hold any number, even one that sums to infinity: nothing here divides by
// zero or draws past the chart.
double ratio(double part, double whole) {
    if (!std::isfinite(part) || !std::isfinite(whole) || whole <= 0.0 || part <= 0.0) {
        return 0.0;
    }
    return std::min(1.0, part / whole);
}

std::string label(float weight, double share, bool metric) {
    return formatWeight(weight) + (metric ? " gm. (" : " oz. (") +
           formatFixed(share * 100.0, 0, 1) + "%)";
}

} // namespace

WeightChart weightChart(const CategoryTotals& totals, bool metric) {
    WeightChart chart;
    chart.grandTotal = totals.grandTotal;
    std::unordered_map<std::string, std::size_t> byName;
    for (const CategoryTotal& run : totals.categories) {
        const auto [at, added] = byName.try_emplace(foldedCopy(run.category), chart.bars.size());
        if (added) {
            chart.bars.push_back({run.category, 0.0F, 0.0, 0.0, {}});
        }
        WeightBar& bar = chart.bars[at->second];
        bar.weight += run.total;
        bar.worn += run.worn;
        bar.consumable += run.consumable;
    }
    std::erase_if(chart.bars, [](const WeightBar& b) { return b.weight == 0.0F; });
    // A weight that is not a number goes last rather than breaking the order.
    const auto key = [](const WeightBar& b) {
        return std::isnan(b.weight) ? -std::numeric_limits<float>::infinity() : b.weight;
    };
    std::stable_sort(chart.bars.begin(), chart.bars.end(),
                     [&](const WeightBar& a, const WeightBar& b) { return key(a) > key(b); });
    const double heaviest = chart.bars.empty() ? 0.0 : chart.bars.front().weight;
    for (WeightBar& bar : chart.bars) {
        bar.share = ratio(bar.weight, totals.grandTotal);
        bar.length = ratio(bar.weight, heaviest);
        bar.label = label(bar.weight, bar.share, metric);
        bar.wornShare = ratio(bar.worn, bar.weight);
        bar.consumableShare = std::min(ratio(bar.consumable, bar.weight), 1.0 - bar.wornShare);
        chart.split = chart.split || bar.wornShare > 0.0 || bar.consumableShare > 0.0;
    }
    return chart;
}

} // namespace varnel
