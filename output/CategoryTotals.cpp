#include "output/CategoryTotals.h"

#include "model/CaseFold.h"
#include "model/FixedText.h"
#include "model/WeightText.h"

namespace varnel {

CategoryTotals categoryTotals(const GearDocument& document) {
    CategoryTotals out;
    std::string current;
    float categoryTotal = 0.0F;
    for (int i = 0; i < document.rowCount(); ++i) {
        const GearRow& row = document.row(i);
        if (row.isMemberRow()) {
            continue;
        }
        const std::string_view category = fieldText(row.record->category);
        if (!equalNoCase(category, current)) {
            if (i != 0) {
                out.categories.push_back({current, categoryTotal});
                categoryTotal = 0.0F;
            }
            current = category;
        }
        if (row.checked()) {
            const auto weight = static_cast<float>(document.rowWeight(i));
            categoryTotal += weight;
            out.grandTotal += weight;
        }
    }
    out.categories.push_back({current, categoryTotal});
    return out;
}

namespace {

std::string line(std::string_view name, float total, bool metric, bool padded) {
    const double t = total;
    std::string out = padded ? padRight(name, 21) : std::string(name);
    if (metric) {
        out += " : " + formatFixed(t, 7) + " gm. (" + formatFixed(t * 0.001, 6) + " kg)";
    } else {
        out += " : " + formatFixed(t, 6) + " oz. (" + formatFixed(t * 0.0625, 6) + " lb)";
    }
    return out;
}

} // namespace

std::vector<std::string> totalsDialogLines(const CategoryTotals& totals, bool metric) {
    std::vector<std::string> lines;
    lines.reserve(totals.categories.size() + 2);
    for (const CategoryTotal& c : totals.categories) {
        lines.push_back(line(c.category, c.total, metric, true));
    }
    lines.emplace_back(kTotalsRule);
    lines.push_back(line("Grand Total", totals.grandTotal, metric, true));
    return lines;
}

std::string totalsTooltipText(const CategoryTotals& totals, bool metric, std::size_t limit) {
    std::string text;
    for (const CategoryTotal& c : totals.categories) {
        const std::string next = line(c.category, c.total, metric, false);
        const std::size_t needed = next.size() + (text.empty() ? 0 : 2);
        if (text.size() + needed > limit) {
            break;
        }
        if (!text.empty()) {
            text += "\r\n";
        }
        text += next;
    }
    return text;
}

} // namespace varnel
