#include "model/ItemFind.h"

#include "model/CaseFold.h"
#include "model/FixedText.h"
#include "model/GearDocument.h"

#include <algorithm>
#include <string>
#include <vector>

namespace varnel {

namespace {

bool contains(std::string_view haystack, std::string_view folded) {
    return std::search(haystack.begin(), haystack.end(), folded.begin(), folded.end(),
                       [](char a, char b) { return foldAscii(a) == b; }) != haystack.end();
}

bool matches(const sPubInfo& r, std::string_view folded) {
    if (contains(fieldText(r.category), folded) || contains(fieldText(r.item), folded) ||
        contains(fieldText(r.notes), folded)) {
        return true;
    }
    bool hit = false;
    if (r.columnTexts) {
        r.columnTexts->forEach([&](const std::string& t) { hit = hit || contains(t, folded); });
    }
    return hit;
}

// The match at row r: the row itself, then, when it is a collapsed group, its members.
FindHit matchAt(const GearDocument& document, int r, std::string_view folded, bool forward) {
    const GearRow& row = document.row(r);
    if (!row.isGroupRow() || row.record->expanded) {
        return matches(*row.record, folded) ? FindHit{r, -1, false} : FindHit{};
    }
    std::vector<const sPubInfo*> candidates{row.record.get()};
    row.record->members->forEach([&](const sPubInfo& m) { candidates.push_back(&m); });
    const int n = static_cast<int>(candidates.size());
    for (int k = 0; k < n; ++k) {
        const int i = forward ? k : n - 1 - k;
        if (matches(*candidates[static_cast<std::size_t>(i)], folded)) {
            return {r, i - 1, false};
        }
    }
    return {};
}

} // namespace

FindHit findItem(const GearDocument& document, std::string_view text, int from, bool forward) {
    const int n = document.rowCount();
    if (text.empty() || n == 0) {
        return {};
    }
    const std::string folded = foldedCopy(text);
    if (from < 0 || from >= n) {
        from = forward ? -1 : n;
    }
    // Whole rows after `from` (or before it) to the end, then round from the other end back to
    // it; the row `from` itself last, so that a lone match is found again.
    for (int step = 1; step <= n; ++step) {
        const int r = forward ? from + step : from - step;
        const bool wrapped = r < 0 || r >= n;
        const int at = ((r % n) + n) % n;
        FindHit hit = matchAt(document, at, folded, forward);
        if (hit.found()) {
            hit.wrapped = wrapped && from >= 0 && from < n;
            return hit;
        }
    }
    return {};
}

} // namespace varnel
