#include "model/ColumnEditing.h"

#include <algorithm>

namespace varnel {

namespace {

// By position: two columns may hold equal texts, and removing by value would take the wrong one.
void removeText(sPubInfo& record, int k) {
    if (record.columnTexts) {
        if (const std::string* text = record.columnTexts->at(k)) {
            record.columnTexts->detachExact(text);
        }
    }
}

} // namespace

bool removeUserColumnTexts(GearDocument& doc, int k) {
    if (k < 1 || doc.hideViewActive()) {
        return false;
    }
    for (int r = 0; r < doc.rowCount(); ++r) {
        // Rows without texts are only looked at: an edit keeps copies of changed rows.
        if (!doc.row(r).record->columnTexts && !doc.row(r).record->members) {
            continue;
        }
        sPubInfo& record = doc.record(r);
        removeText(record, k);
        // Member rows of an expanded group are copies; the members themselves are changed here.
        if (record.members) {
            record.members->forEach([k](sPubInfo& member) { removeText(member, k); });
        }
    }
    doc.userColumnCount = std::max(0, doc.userColumnCount - 1);
    // Each later column's sort direction moves left with its column.
    auto& directions = doc.sortAscending;
    const auto gone = static_cast<std::size_t>(3 + k);
    if (gone < directions.size()) {
        std::move(directions.begin() + static_cast<std::ptrdiff_t>(gone) + 1, directions.end(),
                  directions.begin() + static_cast<std::ptrdiff_t>(gone));
        directions.back() = 0;
    }
    if (doc.rowCount() > 0) {
        doc.rowsEdited(0, doc.rowCount() - 1);
    }
    return true;
}

std::vector<int> deleteUserColumns(GearDocument& doc, std::vector<int> positions) {
    const int columns = doc.userColumnCount;
    std::erase_if(positions, [columns](int p) { return p < 0 || p >= columns; });
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());

    std::vector<int> removed;
    removed.reserve(positions.size());
    int n = 0;
    for (const int p : positions) {
        const int k = p - n + 1;
        if (!removeUserColumnTexts(doc, k)) {
            break;
        }
        removed.push_back(k);
        ++n;
    }
    return removed;
}

} // namespace varnel
