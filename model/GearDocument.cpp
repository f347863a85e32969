#include "model/GearDocument.h"

#include "model/CaseFold.h"
#include "model/FixedText.h"
#include "model/WeightText.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

namespace varnel {

namespace {

std::string_view categoryOf(const GearRow& row) {
    return fieldText(row.record->category);
}

} // namespace

GearDocument::GearDocument() = default;

int GearDocument::insertionIndex(const sPubInfo& record) const {
    const std::string_view category = fieldText(record.category);
    const auto sameCategory = [&](const GearRow& row) {
        return equalNoCase(categoryOf(row), category);
    };
    const auto first = std::find_if(rows_.begin(), rows_.end(), sameCategory);
    if (first == rows_.end()) {
        const auto after = std::find_if(rows_.begin(), rows_.end(), [&](const GearRow& row) {
            return compareNoCase(categoryOf(row), category) >= 0;
        });
        return static_cast<int>(after - rows_.begin());
    }
    // The block runs from the first to the last row of the category.
    const auto lastReverse = std::find_if(rows_.rbegin(), rows_.rend(), sameCategory);
    const auto blockEnd = lastReverse.base();
    const std::string_view item = fieldText(record.item);
    const auto at = std::find_if(first, blockEnd, [&](const GearRow& row) {
        return compareNoCase(fieldText(row.record->item), item) >= 0;
    });
    return static_cast<int>(at - rows_.begin());
}

int GearDocument::insertRecord(std::unique_ptr<sPubInfo> record) {
    const int index = insertionIndex(*record);
    const bool checked = record->selected != 0;
    if (observer_) {
        observer_->rowsAboutToBeInserted(index, index);
    }
    rows_.insert(rows_.begin() + index, GearRow{std::move(record), 1});
    invalidateBlocks();
    if (observer_) {
        observer_->rowsInserted();
        // The category label may have moved from the row below to the new one.
        if (index + 1 < rowCount()) {
            observer_->rowsChanged(index + 1, index + 1);
        }
    }
    if (checked) {
        setStateImage(index, 2);
    }
    return index;
}

void GearDocument::insertRecords(std::vector<std::unique_ptr<sPubInfo>> records) {
    if (!rows_.empty()) {
        for (auto& record : records) {
            insertRecord(std::move(record));
        }
        return;
    }
    // Into an empty list, inserting one by one keeps category blocks and items in folded order,
    // each new record going before the equal ones already there: a stable sort of the reversed
    // input gives the same order.
    struct Key {
        std::string category;
        std::string item;
        std::size_t index;
    };
    std::vector<Key> keys;
    keys.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        keys.push_back({foldedCopy(fieldText(records[i]->category)),
                        foldedCopy(fieldText(records[i]->item)), i});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        const auto byBytes = [](const std::string& x, const std::string& y) {
            return std::lexicographical_compare(
                x.begin(), x.end(), y.begin(), y.end(), [](char p, char q) {
                    return static_cast<unsigned char>(p) < static_cast<unsigned char>(q);
                });
        };
        if (a.category != b.category) {
            return byBytes(a.category, b.category);
        }
        if (a.item != b.item) {
            return byBytes(a.item, b.item);
        }
        return a.index > b.index;
    });

    if (observer_) {
        observer_->rowsAboutToBeReset();
    }
    rows_.reserve(records.size());
    float total = selectedTotal_;
    for (const Key& key : keys) {
        auto& record = records[key.index];
        const bool checked = record->selected != 0;
        rows_.push_back(GearRow{std::move(record), checked ? 2 : 1});
        const GearRow& row = rows_.back();
        if (checked && !row.isMemberRow()) {
            const double w = row.isGroupRow() ? row.record->updateGroupWeight()
                                              : weightValue(fieldText(row.record->weight));
            total += static_cast<float>(w);
        }
    }
    invalidateBlocks();
    selectedTotal_ = total;
    if (observer_) {
        observer_->rowsReset();
        observer_->totalChanged();
    }
}

void GearDocument::loadRecords(std::vector<std::unique_ptr<sPubInfo>> records) {
    if (hideNonSelected || hideSelected) {
        std::erase_if(records, [&](const std::unique_ptr<sPubInfo>& r) {
            const bool selected = r->selected != 0;
            return r->inGroup != 0 || (hideNonSelected ? !selected : selected);
        });
    }
    insertRecords(std::move(records));
}

void GearDocument::clearForReload() {
    if (observer_) {
        observer_->rowsAboutToBeReset();
    }
    rows_.clear();
    invalidateBlocks();
    selectedTotal_ = 0.0F;
    if (observer_) {
        observer_->rowsReset();
        observer_->totalChanged();
    }
}

void GearDocument::resetCollections() {
    categoryList.clear();
    categoryChoices.clear();
    deletedRecords.clear();
    removedCategories.clear();
    nextCategoryId = kFirstCategoryId;
}

void GearDocument::setChecked(int r, bool checked) {
    setStateImage(r, checked ? 2 : 1);
}

void GearDocument::setStateImage(int r, int image) {
    GearRow& row = rows_[static_cast<std::size_t>(r)];
    if (row.isMemberRow()) {
        row.stateImage = 2; // members always show a check mark
        return;
    }
    const int old = row.stateImage;
    row.stateImage = image;
    if (old != 0 && image != 0) {
        applyCheckChange(row, old == 2, image == 2);
    }
    if (observer_) {
        observer_->rowsChanged(r, r);
    }
}

void GearDocument::applyCheckChange(const GearRow& row, bool wasChecked, bool isChecked) {
    if (wasChecked == isChecked || row.isMemberRow()) {
        return;
    }
    const double w = row.isGroupRow() ? weightValue(fieldText(row.record->groupWeight))
                                      : weightValue(fieldText(row.record->weight));
    const auto delta = static_cast<float>(w);
    selectedTotal_ = isChecked ? selectedTotal_ + delta : selectedTotal_ - delta;
    if (observer_) {
        observer_->totalChanged();
    }
}

void GearDocument::setSelectedTotal(float total) {
    selectedTotal_ = total;
    if (observer_) {
        observer_->totalChanged();
    }
}

std::string GearDocument::totalText() const {
    return totalText(selectedTotal_, metric);
}

std::string GearDocument::totalText(float total, bool metric) {
    const double t = total;
    return metric ? formatWeight(t) + " gm. (" + formatWeight(t * 0.001) + " kg)"
                  : formatWeight(t) + " oz. (" + formatWeight(t * 0.0625) + " lbs)";
}

void GearDocument::rebuildBlockCache() const {
    firstOfCategory_.assign(rows_.size(), false);
    std::unordered_set<std::string> seen;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        firstOfCategory_[i] = seen.insert(foldedCopy(categoryOf(rows_[i]))).second;
    }
    blockCacheValid_ = true;
}

std::string GearDocument::displayText(int r, int column) const {
    const GearRow& row = rows_[static_cast<std::size_t>(r)];
    const sPubInfo& rec = *row.record;
    switch (column) {
    case 0:
        if (!sortedView) {
            if (!blockCacheValid_) {
                rebuildBlockCache();
            }
            if (!firstOfCategory_[static_cast<std::size_t>(r)]) {
                return {};
            }
        }
        return std::string(fieldText(rec.category));
    case 1:
        if (row.isGroupRow()) {
            return std::string(rec.expanded ? fieldText(rec.expandedLabel)
                                            : fieldText(rec.collapsedLabel));
        }
        return std::string(fieldText(rec.item));
    case 2:
        if (row.isGroupRow()) {
            row.record->updateGroupWeight();
            return std::string(fieldText(rec.groupWeight));
        }
        return std::string(fieldText(rec.weight));
    case 3:
        return std::string(fieldText(rec.notes));
    default:
        return column > 3 ? std::string(rec.columnText(column - 3)) : std::string();
    }
}

double GearDocument::rowWeight(int r) const {
    const GearRow& row = rows_[static_cast<std::size_t>(r)];
    if (row.isGroupRow()) {
        return row.record->updateGroupWeight();
    }
    return weightValue(fieldText(row.record->weight));
}

void GearDocument::rowsEdited(int first, int last) {
    invalidateBlocks();
    if (observer_) {
        observer_->rowsChanged(first, last);
    }
}

} // namespace varnel
