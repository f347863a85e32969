#include "output/GearSummary.h"

#include "model/WeightText.h"

#include <cmath>

namespace varnel {

namespace {

std::string weight(double value, bool metric) {
    return formatWeight(value) + (metric ? " gm." : " oz.");
}

float goalDifference(const GearSummary& summary, double goal) {
    return summary.base - static_cast<float>(goal);
}

// Over by less than the figures show is on the goal, not over it.
bool overGoal(float difference) {
    return difference > 0.0F && formatWeight(difference) != "0.00";
}

} // namespace

GearSummary gearSummary(const CategoryTotals& totals) {
    GearSummary s;
    s.skinOut = totals.grandTotal;
    s.worn = totals.worn;
    s.consumable = totals.consumable;
    s.base = s.skinOut - s.worn - s.consumable;
    s.pack = s.base + s.consumable;
    return s;
}

std::vector<std::string> summaryLines(const GearSummary& summary, std::optional<double> goal,
                                      bool metric, bool difference) {
    std::vector<std::string> lines{
        totalsDialogLine("Base weight", summary.base, metric),
        totalsDialogLine("Worn", summary.worn, metric),
        totalsDialogLine("Consumable", summary.consumable, metric),
        totalsDialogLine("Pack weight", summary.pack, metric),
        totalsDialogLine("Skin-out", summary.skinOut, metric),
    };
    if (goal) {
        lines.push_back(totalsDialogLine("Base weight goal", static_cast<float>(*goal), metric));
        if (difference) {
            const float by = goalDifference(summary, *goal);
            lines.push_back(totalsDialogLine(
                overGoal(by) ? "Over the goal by" : "Under the goal by", std::fabs(by), metric));
        }
    }
    return lines;
}

std::string summaryText(const GearSummary& summary, bool metric) {
    return "Base " + weight(summary.base, metric) + "   Worn " + weight(summary.worn, metric) +
           "   Consumable " + weight(summary.consumable, metric) + "   Pack " +
           weight(summary.pack, metric) + "   Skin-out " + weight(summary.skinOut, metric);
}

std::string goalText(const GearSummary& summary, double goal, bool metric, bool& over) {
    const float by = goalDifference(summary, goal);
    over = overGoal(by);
    return "Goal " + weight(goal, metric) + ": " + weight(std::fabs(by), metric) +
           (over ? " over" : " under");
}

} // namespace varnel
