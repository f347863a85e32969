#include "output/CategoryTotals.h"

#include "model/CaseFold.h"
#include "model/FixedText.h"
#include "model/WeightText.h"

namespace varnel {

namespace {

// One item's worn and consumable weight, added as the totals add: in single precision, to its
// category's and to the whole list's.
void addMarked(const sPubInfo& item, const MarkColumns& marks, CategoryTotal& run,
               CategoryTotals& all) {
    if (hasMark(item, marks.consumable)) {
        const auto weight = static_cast<float>(weightValue(fieldText(item.weight)));
        run.consumable += weight;
        all.consumable += weight;
    } else if (hasMark(item, marks.worn)) {
        // One of several is worn, the others are carried.
        const bool several = weightValue(fieldText(item.multiplier)) >= 1.0;
        const auto weight =
            static_cast<float>(weightValue(fieldText(several ? item.unitWeight : item.weight)));
        run.worn += weight;
        all.worn += weight;
    }
}

} // namespace

CategoryTotals categoryTotals(const GearDocument& document, const MarkColumns& marks) {
    CategoryTotals out;
    std::string current;
    float categoryTotal = 0.0F;
    CategoryTotal marked;
    for (int i = 0; i < document.rowCount(); ++i) {
        const GearRow& row = document.row(i);
        if (row.isMemberRow()) {
            continue;
        }
        const std::string_view category = fieldText(row.record->category);
        if (!equalNoCase(category, current)) {
            if (i != 0) {
                out.categories.push_back({current, categoryTotal, marked.worn, marked.consumable});
                categoryTotal = 0.0F;
                marked = {};
            }
            current = category;
        }
        if (row.checked()) {
            const auto weight = static_cast<float>(document.rowWeight(i));
            categoryTotal += weight;
            out.grandTotal += weight;
            if (marks.any()) {
                if (const sPubInfo& record = *row.record; record.isGroup()) {
                    record.members->forEach(
                        [&](const sPubInfo& member) { addMarked(member, marks, marked, out); });
                } else {
                    addMarked(record, marks, marked, out);
                }
            }
        }
    }
    out.categories.push_back({current, categoryTotal, marked.worn, marked.consumable});
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

std::string totalsDialogLine(std::string_view name, float total, bool metric) {
    return line(name, total, metric, true);
}

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
