#include "model/GearDocument.h"

#include "model/CaseFold.h"
#include "model/DocumentSettings.h"
#include "model/FixedText.h"
#include "model/WeightOrderedArray.h"
#include "model/WeightText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

namespace varnel {

namespace {

// Exchanges what two rows hold; the records stay where they are in memory, so that whatever
// points at them (member rows at their group) still does.
void swapRowContent(GearRow& a, GearRow& b) {
    sPubInfo fields;
    fields.copyFixedFields(*a.record);
    a.record->copyFixedFields(*b.record);
    b.record->copyFixedFields(fields);
    std::swap(a.record->members, b.record->members);
    std::swap(a.record->columnTexts, b.record->columnTexts);
    std::swap(a.stateImage, b.stateImage);
    for (sPubInfo* owner : {a.record.get(), b.record.get()}) {
        if (owner->members) {
            owner->members->forEach([owner](sPubInfo& m) { m.group = owner; });
        }
    }
}

std::string_view categoryOf(const GearRow& row) {
    return fieldText(row.record->category);
}

// compareNoCase on two fields, without measuring them first: both end at a NUL inside their
// width, and a NUL sorts before every other byte just as the end of the shorter text does.
template <std::size_t N> int compareFieldsNoCase(const char (&a)[N], const char (&b)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        const auto ca = static_cast<unsigned char>(foldAscii(a[i]));
        const auto cb = static_cast<unsigned char>(foldAscii(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        if (ca == 0) {
            return 0;
        }
    }
    return 0;
}

// Folded category, then folded item: the order of rows within the list.
int compareListOrder(const sPubInfo& a, const sPubInfo& b) {
    const int c = compareFieldsNoCase(a.category, b.category);
    return c != 0 ? c : compareFieldsNoCase(a.item, b.item);
}

// Eight bytes of a field, folded, zero from its terminating NUL on, as a big-endian number:
// comparing such words compares the texts as compareNoCase does (a NUL sorts first, as the
// end of a shorter text does). `ended` carries the NUL over to the words after it.
std::uint64_t foldedWord(const char* p, bool& ended) {
    if (ended) {
        return 0;
    }
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    std::uint64_t w = 0;
    std::memcpy(&w, p, 8);
    if constexpr (std::endian::native == std::endian::big) {
        w = __builtin_bswap64(w);
    }
    // Now byte i of the text is bits 8i..8i+7. The lowest zero byte found this way is exact.
    if (const std::uint64_t zero = (w - kOnes) & ~w & kHigh; zero != 0) {
        const int keep = std::countr_zero(zero) / 8 * 8;
        w = keep == 0 ? 0 : w & (~std::uint64_t{0} >> (64 - keep));
        ended = true;
    }
    // ASCII capitals (a clear high bit, 'A'..'Z') gain 0x20.
    const std::uint64_t low7 = w & ~kHigh;
    const std::uint64_t atLeastA = low7 + (0x80 - 'A') * kOnes;
    const std::uint64_t pastZ = low7 + (0x80 - 'Z' - 1) * kOnes;
    w |= ((atLeastA ^ pastZ) & ~w & kHigh) >> 2;
    return __builtin_bswap64(w);
}

// Distinct folded categories, numbered as first met, found through a hash table: a list has
// few of them, so each record costs one fold and one probe.
class CategoryIds {
public:
    std::uint32_t idOf(const char (&category)[sizeof sPubInfo::category]) {
        bool ended = false;
        char padded[24] = {};
        std::memcpy(padded, category, sizeof sPubInfo::category);
        for (std::size_t w = 0; w < folded_.size(); ++w) {
            folded_[w] = foldedWord(padded + 8 * w, ended);
        }
        std::size_t slot = hashOf(folded_) & (table_.size() - 1);
        while (table_[slot] != 0) {
            if (distinct_[table_[slot] - 1] == folded_) {
                return table_[slot] - 1;
            }
            slot = (slot + 1) & (table_.size() - 1);
        }
        distinct_.push_back(folded_);
        table_[slot] = static_cast<std::uint32_t>(distinct_.size());
        if (distinct_.size() * 2 > table_.size()) {
            grow();
        }
        return static_cast<std::uint32_t>(distinct_.size() - 1);
    }

    // For each id, its place among the distinct categories in folded order.
    [[nodiscard]] std::vector<std::uint32_t> ranks() const {
        std::vector<std::uint32_t> byName(distinct_.size());
        std::iota(byName.begin(), byName.end(), 0U);
        std::sort(byName.begin(), byName.end(),
                  [&](std::uint32_t a, std::uint32_t b) { return distinct_[a] < distinct_[b]; });
        std::vector<std::uint32_t> rankOfId(distinct_.size());
        for (std::uint32_t r = 0; r < byName.size(); ++r) {
            rankOfId[byName[r]] = r;
        }
        return rankOfId;
    }

private:
    using Folded = std::array<std::uint64_t, 3>;

    static std::size_t hashOf(const Folded& f) {
        std::uint64_t h = 0x9e3779b97f4a7c15ULL;
        for (const std::uint64_t w : f) {
            h = (h ^ w) * 0xff51afd7ed558ccdULL;
        }
        return static_cast<std::size_t>(h ^ (h >> 29));
    }

    void grow() {
        std::vector<std::uint32_t> bigger(table_.size() * 2, 0);
        for (std::uint32_t id = 1; id <= distinct_.size(); ++id) {
            std::size_t s = hashOf(distinct_[id - 1]) & (bigger.size() - 1);
            while (bigger[s] != 0) {
                s = (s + 1) & (bigger.size() - 1);
            }
            bigger[s] = id;
        }
        table_ = std::move(bigger);
    }

    Folded folded_{};
    std::vector<Folded> distinct_;
    std::vector<std::uint32_t> table_ = std::vector<std::uint32_t>(64, 0); // id + 1; 0 is empty
};

// What a record adds to the running total when it goes in: its weight when it is checked and
// not a member row. A checked group's weight is recomputed on the way, as checking it does.
float checkedWeight(sPubInfo& record) {
    const bool memberRow = record.inGroup != 0 && !record.members;
    if (record.selected == 0 || memberRow) {
        return 0.0F;
    }
    return static_cast<float>(record.isGroup() ? record.updateGroupWeight()
                                               : weightValue(fieldText(record.weight)));
}

// The rows that inserting the records one by one into an empty list leaves, and the running
// total that checking them on the way gives (summed in file order: float sums depend on it).
// Each record is looked at once, in file order, which is the order it lies in memory.
std::vector<GearRow> rowsInInsertionOrder(std::vector<std::unique_ptr<sPubInfo>>& records,
                                          float& total) {
    const std::size_t n = records.size();
    std::vector<GearRow> rows;
    rows.reserve(n);
    const auto toRow = [](std::unique_ptr<sPubInfo>& r, bool checked) {
        return GearRow{std::move(r), checked ? kCheckedImage : kUncheckedImage};
    };

    // A file comes back in the order it was saved, which is list order: then only the runs of
    // equal records need turning round, with no sort.
    std::vector<std::pair<std::size_t, std::size_t>> equalRuns;
    std::size_t runStart = 0;
    std::size_t summed = 0;
    bool listed = true;
    for (; summed < n; ++summed) {
        if (summed > 0) {
            const int c = compareListOrder(*records[summed - 1], *records[summed]);
            if (c > 0) {
                listed = false;
                break;
            }
            if (c < 0) {
                if (summed - runStart > 1) {
                    equalRuns.emplace_back(runStart, summed);
                }
                runStart = summed;
            }
        }
        total += checkedWeight(*records[summed]);
    }
    if (listed) {
        if (n - runStart > 1) {
            equalRuns.emplace_back(runStart, n);
        }
        for (const auto& [first, end] : equalRuns) {
            std::reverse(records.begin() + static_cast<std::ptrdiff_t>(first),
                         records.begin() + static_cast<std::ptrdiff_t>(end));
        }
        for (auto& r : records) {
            const bool checked = r->selected != 0;
            rows.push_back(toRow(r, checked));
        }
        return rows;
    }

    // Otherwise: category blocks and items in folded order, each new record going before the
    // equal ones already there, so ties go by position from the end. Each record is folded once
    // into a small key; the records are looked at again only for items alike in their first
    // 16 bytes.
    struct Key {
        std::uint32_t rank : 31;
        std::uint32_t checked : 1;
        std::uint32_t fromEnd;
        std::uint64_t item0;
        std::uint64_t item1;
    };
    std::vector<Key> keys(n);
    {
        CategoryIds categories;
        for (std::size_t i = 0; i < n; ++i) {
            sPubInfo& r = *records[i];
            bool ended = false;
            const std::uint64_t item0 = foldedWord(r.item, ended);
            const std::uint64_t item1 = foldedWord(r.item + 8, ended);
            keys[i] = Key{categories.idOf(r.category), r.selected != 0 ? 1U : 0U,
                          static_cast<std::uint32_t>(n - 1 - i), item0, item1};
            if (i >= summed) {
                total += checkedWeight(r);
            }
        }
        const std::vector<std::uint32_t> rankOfId = categories.ranks();
        for (Key& k : keys) {
            k.rank = rankOfId[k.rank] & 0x7fffffffU;
        }
    }
    const auto longerThan16 = [](const Key& k) { return (k.item1 & 0xff) != 0; };
    std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        if (a.rank != b.rank) {
            return a.rank < b.rank;
        }
        if (a.item0 != b.item0) {
            return a.item0 < b.item0;
        }
        if (a.item1 != b.item1) {
            return a.item1 < b.item1;
        }
        if (longerThan16(a)) {
            const int c = compareNoCase(fieldText(records[n - 1 - a.fromEnd]->item).substr(16),
                                        fieldText(records[n - 1 - b.fromEnd]->item).substr(16));
            if (c != 0) {
                return c < 0;
            }
        }
        return a.fromEnd < b.fromEnd;
    });
    for (const Key& k : keys) {
        rows.push_back(toRow(records[n - 1 - k.fromEnd], k.checked != 0));
    }
    return rows;
}

} // namespace

struct GearDocument::Recording {
    EditJournal journal;
    // Rows whose record already has its before-image here; they stay alive until the end.
    std::unordered_set<const sPubInfo*> noted;
    DocumentSettings* settings = nullptr;
    DocumentParts before;
};

RowChange::RowChange() = default;
RowChange::RowChange(RowChange&&) noexcept = default;
RowChange& RowChange::operator=(RowChange&&) noexcept = default;
RowChange::~RowChange() = default;
DocumentParts::DocumentParts() = default;
DocumentParts::DocumentParts(DocumentParts&&) noexcept = default;
DocumentParts& DocumentParts::operator=(DocumentParts&&) noexcept = default;
DocumentParts::~DocumentParts() = default;

GearDocument::GearDocument() = default;
GearDocument::~GearDocument() = default;
GearDocument::GearDocument(GearDocument&&) noexcept = default;
GearDocument& GearDocument::operator=(GearDocument&&) noexcept = default;

int GearDocument::insertionIndex(const sPubInfo& record) const {
    // Member rows are copies shown under their group: they take no part in the order, and a new
    // row never goes between a group and its members.
    const std::string_view category = fieldText(record.category);
    const auto topLevel = [](const GearRow& row) { return !row.isMemberRow(); };
    const auto sameCategory = [&](const GearRow& row) {
        return topLevel(row) && equalNoCase(categoryOf(row), category);
    };
    const auto pastMembers = [&](auto at) {
        while (at != rows_.end() && at->isMemberRow()) {
            ++at;
        }
        return static_cast<int>(at - rows_.begin());
    };
    const auto first = std::find_if(rows_.begin(), rows_.end(), sameCategory);
    if (first == rows_.end()) {
        return pastMembers(std::find_if(rows_.begin(), rows_.end(), [&](const GearRow& row) {
            return topLevel(row) && compareNoCase(categoryOf(row), category) >= 0;
        }));
    }
    // The block runs from the first to the last row of the category.
    const auto lastReverse = std::find_if(rows_.rbegin(), rows_.rend(), sameCategory);
    const auto blockEnd = lastReverse.base();
    const std::string_view item = fieldText(record.item);
    return pastMembers(std::find_if(first, blockEnd, [&](const GearRow& row) {
        return topLevel(row) && compareNoCase(fieldText(row.record->item), item) >= 0;
    }));
}

int GearDocument::insertRecord(std::unique_ptr<sPubInfo> record) {
    const int index = insertionIndex(*record);
    const bool checked = record->selected != 0;
    if (observer_) {
        observer_->rowsAboutToBeInserted(index, index);
    }
    rows_.insert(rows_.begin() + index, GearRow{std::move(record), 1});
    invalidateBlocks();
    if (recording_) {
        noteInserted(index, 1);
    }
    if (observer_) {
        observer_->rowsInserted();
        // The category label may have moved from the row below to the new one.
        if (index + 1 < rowCount()) {
            observer_->rowsChanged(index + 1, index + 1);
        }
    }
    if (checked) {
        setStateImage(index, kCheckedImage);
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
    float total = selectedTotal_;
    std::vector<GearRow> rows = rowsInInsertionOrder(records, total);
    if (observer_) {
        observer_->rowsAboutToBeReset();
    }
    rows_ = std::move(rows);
    invalidateBlocks();
    if (recording_) {
        noteInserted(0, rowCount());
    } else {
        viewChanged();
    }
    selectedTotal_ = total;
    if (observer_) {
        observer_->rowsReset();
        observer_->totalChanged();
    }
}

void GearDocument::loadRecords(std::vector<std::unique_ptr<sPubInfo>> records) {
    // A stored group weight may disagree with the members (another program, an old version):
    // the check marks must add what the totals and the list show.
    for (auto& record : records) {
        if (record->isGroup()) {
            record->updateGroupWeight();
        }
    }
    if (hideNonSelected || hideSelected) {
        std::erase_if(records, [&](const std::unique_ptr<sPubInfo>& r) {
            const bool selected = r->selected != 0;
            return r->inGroup != 0 || (hideNonSelected ? !selected : selected);
        });
    }
    insertRecords(std::move(records));
}

std::unique_ptr<sPubInfo> GearDocument::takeRow(int r) {
    if (observer_) {
        observer_->rowsAboutToBeRemoved(r, r);
    }
    // Its address may be reused by another record while it is away.
    origins_.erase(rows_[static_cast<std::size_t>(r)].record.get());
    std::unique_ptr<sPubInfo> record;
    if (recording_) {
        record = rows_[static_cast<std::size_t>(r)].record->clone();
        std::vector<GearRow> taken;
        taken.push_back(std::move(rows_[static_cast<std::size_t>(r)]));
        rows_.erase(rows_.begin() + r);
        noteRemoved(r, std::move(taken));
    } else {
        record = std::move(rows_[static_cast<std::size_t>(r)].record);
        rows_.erase(rows_.begin() + r);
    }
    invalidateBlocks();
    if (observer_) {
        observer_->rowsRemoved();
        // The category label may move to the row that took its place.
        if (r < rowCount()) {
            observer_->rowsChanged(r, r);
        }
    }
    return record;
}

void GearDocument::clearForReload() {
    if (observer_) {
        observer_->rowsAboutToBeReset();
    }
    viewChanged();
    rows_.clear();
    // Rows set aside by a hide view belong to the document being replaced.
    setAside_.clear();
    origins_.clear();
    setAsideTotal_ = 0.0F;
    hideNonSelected = false;
    hideSelected = false;
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
    setStateImage(r, checked ? kCheckedImage : kUncheckedImage);
}

void GearDocument::setStateImage(int r, int image) {
    GearRow& row = rows_[static_cast<std::size_t>(r)];
    const int old = row.stateImage;
    const int now = row.isMemberRow() ? kCheckedImage : image; // members always show a check mark
    if (recording_ && old != now) {
        noteCheck(r, old);
    }
    row.stateImage = now;
    if (row.isMemberRow()) {
        return;
    }
    if (old != 0 && image != 0) {
        applyCheckChange(row, old == kCheckedImage, image == kCheckedImage);
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
    switch (static_cast<ColumnIndex>(column)) {
    case ColumnIndex::Category:
        if (!sortedView) {
            if (!blockCacheValid_) {
                rebuildBlockCache();
            }
            if (!firstOfCategory_[static_cast<std::size_t>(r)]) {
                return {};
            }
        }
        return std::string(fieldText(rec.category));
    case ColumnIndex::Item:
        if (row.isGroupRow()) {
            return std::string(rec.expanded ? fieldText(rec.expandedLabel)
                                            : fieldText(rec.collapsedLabel));
        }
        return std::string(fieldText(rec.item));
    case ColumnIndex::Weight:
        if (row.isGroupRow()) {
            refreshGroupWeight(r);
            return std::string(fieldText(rec.groupWeight));
        }
        return std::string(fieldText(rec.weight));
    case ColumnIndex::Notes:
        return std::string(fieldText(rec.notes));
    default:
        return column >= columnNumber(ColumnIndex::FirstUser)
                   ? std::string(rec.columnText(userColumnText(column)))
                   : std::string();
    }
}

double GearDocument::rowWeight(int r) const {
    const GearRow& row = rows_[static_cast<std::size_t>(r)];
    if (row.isGroupRow()) {
        refreshGroupWeight(r);
        return weightValue(fieldText(row.record->groupWeight));
    }
    return weightValue(fieldText(row.record->weight));
}

void GearDocument::refreshGroupWeight(int r) const {
    if (recording_) {
        noteChange(r);
    }
    rows_[static_cast<std::size_t>(r)].record->updateGroupWeight();
}

void GearDocument::rowsEdited(int first, int last) {
    invalidateBlocks();
    if (observer_) {
        observer_->rowsChanged(first, last);
    }
}

namespace {

// Member row `r` of `rows`: the index of its group row above it (-1 when there is none).
int groupRowAbove(const std::vector<GearRow>& rows, int r) {
    const sPubInfo* owner = rows[static_cast<std::size_t>(r)].record->group;
    for (int g = r - 1; g >= 0; --g) {
        const GearRow& above = rows[static_cast<std::size_t>(g)];
        if (!above.isMemberRow()) {
            return above.record.get() == owner || above.isGroupRow() ? g : -1;
        }
    }
    return -1;
}

// The f-th member from the front: an expanded group shows its members front to back.
sPubInfo* memberFromFront(const sPubInfo& group, int f) {
    return group.members ? group.members->at(group.members->count() - f + 1) : nullptr;
}

} // namespace

std::vector<sPubInfo*> GearDocument::recordsShownAt(int r) {
    std::vector<sPubInfo*> out;
    if (r < 0 || r >= rowCount()) {
        return out;
    }
    if (recording_) {
        noteChange(r);
    }
    const GearRow& row = rows_[static_cast<std::size_t>(r)];
    out.push_back(row.record.get());
    int f = 0;
    const sPubInfo* top = row.record.get();
    if (row.isMemberRow()) {
        const int g = groupRowAbove(rows_, r);
        if (g < 0) {
            return out;
        }
        if (recording_) {
            noteChange(g);
        }
        f = r - g;
        top = rows_[static_cast<std::size_t>(g)].record.get();
        if (sPubInfo* member = memberFromFront(*top, f)) {
            out.push_back(member);
        }
    }
    const auto origin = origins_.find(top);
    if (origin == origins_.end()) {
        return out;
    }
    if (f == 0) {
        out.push_back(origin->second);
        return out;
    }
    if (sPubInfo* member = memberFromFront(*origin->second, f)) {
        out.push_back(member);
    }
    // A group expanded when the view began comes back with its member rows as they were.
    for (std::size_t g = 0; g < setAside_.size(); ++g) {
        if (setAside_[g].record.get() == origin->second) {
            const std::size_t m = g + static_cast<std::size_t>(f);
            if (m < setAside_.size() && setAside_[m].isMemberRow()) {
                out.push_back(setAside_[m].record.get());
            }
            break;
        }
    }
    return out;
}

void GearDocument::notifyReset(const std::function<void()>& change) {
    if (observer_) {
        observer_->rowsAboutToBeReset();
    }
    change();
    invalidateBlocks();
    if (observer_) {
        observer_->rowsReset();
        observer_->totalChanged();
    }
}

void GearDocument::selectAll() {
    for (int r = 0; r < rowCount(); ++r) {
        setStateImage(r, kCheckedImage);
    }
}

void GearDocument::clearSelected() {
    for (int r = 0; r < rowCount(); ++r) {
        if (rows_[static_cast<std::size_t>(r)].stateImage != kUncheckedImage) {
            setStateImage(r, kUncheckedImage);
        }
    }
}

bool GearDocument::hasUncheckedRow() const {
    return std::any_of(rows_.begin(), rows_.end(), [](const GearRow& r) { return !r.checked(); });
}

bool GearDocument::hasGroupRow() const {
    return std::any_of(rows_.begin(), rows_.end(), [](const GearRow& r) { return r.isGroupRow(); });
}

int GearDocument::toggleGroup(int g) {
    if (g < 0 || g >= rowCount() || !rows_[static_cast<std::size_t>(g)].isGroupRow()) {
        return 0;
    }
    viewChanged();
    if (recording_) {
        noteChange(g);
    }
    sPubInfo& group = *rows_[static_cast<std::size_t>(g)].record;
    const int n = group.members->count();
    if (group.expanded) {
        group.expanded = 0;
        // Only the member rows below it go, however many members the group has by now.
        int last = g;
        while (last - g < n && last + 1 < rowCount() &&
               rows_[static_cast<std::size_t>(last) + 1].isMemberRow()) {
            ++last;
        }
        if (last > g) {
            if (observer_) {
                observer_->rowsAboutToBeRemoved(g + 1, last);
            }
            if (recording_) {
                noteRemoved(
                    g + 1, std::vector<GearRow>(std::make_move_iterator(rows_.begin() + g + 1),
                                                std::make_move_iterator(rows_.begin() + last + 1)));
            }
            rows_.erase(rows_.begin() + g + 1, rows_.begin() + last + 1);
            invalidateBlocks();
            if (observer_) {
                observer_->rowsRemoved();
            }
        }
    } else {
        group.expanded = 1;
        std::vector<GearRow> memberRows;
        memberRows.reserve(static_cast<std::size_t>(n));
        group.members->forEach([&](const sPubInfo& m) {
            memberRows.push_back(GearRow{m.clone(), 2});
        });
        if (n > 0) {
            if (observer_) {
                observer_->rowsAboutToBeInserted(g + 1, g + n);
            }
            rows_.insert(rows_.begin() + g + 1, std::make_move_iterator(memberRows.begin()),
                         std::make_move_iterator(memberRows.end()));
            invalidateBlocks();
            if (recording_) {
                noteInserted(g + 1, n);
            }
            if (observer_) {
                observer_->rowsInserted();
            }
        }
    }
    if (observer_) {
        observer_->rowsChanged(g, rowCount() - 1);
    }
    return n;
}

void GearDocument::expandAll() {
    for (int r = 0; r < rowCount(); ++r) {
        const GearRow& row = rows_[static_cast<std::size_t>(r)];
        if (row.isGroupRow() && row.record->expanded == 0) {
            toggleGroup(r);
        }
    }
}

void GearDocument::collapseAll() {
    for (int r = 0; r < rowCount(); ++r) {
        const GearRow& row = rows_[static_cast<std::size_t>(r)];
        if (row.isGroupRow() && row.record->expanded == 1) {
            toggleGroup(r);
        }
    }
}

namespace {

// A stable merge sort that stays within bounds whatever the comparison answers: the column
// comparisons are not orderings (a missing text "equals" everything).
template <typename Follows> void mergeSort(std::vector<GearRow>& rows, Follows follows) {
    std::vector<GearRow> buffer(rows.size());
    for (std::size_t width = 1; width < rows.size(); width *= 2) {
        for (std::size_t lo = 0; lo < rows.size(); lo += 2 * width) {
            const std::size_t mid = std::min(lo + width, rows.size());
            const std::size_t hi = std::min(lo + 2 * width, rows.size());
            std::size_t i = lo;
            std::size_t j = mid;
            std::size_t k = lo;
            while (i < mid && j < hi) {
                buffer[k++] =
                    follows(rows[i], rows[j]) ? std::move(rows[j++]) : std::move(rows[i++]);
            }
            while (i < mid) {
                buffer[k++] = std::move(rows[i++]);
            }
            while (j < hi) {
                buffer[k++] = std::move(rows[j++]);
            }
        }
        rows.swap(buffer);
    }
}

float shownWeightKey(const GearRow& row) {
    return static_cast<float>(weightValue(row.record->shownWeight()));
}

} // namespace

bool GearDocument::sortByColumn(int column) {
    if (!isSortColumn(column) || column < 0 || column > 255) {
        return false;
    }
    viewChanged();
    collapseAll();
    auto& ascending = sortAscending[static_cast<std::size_t>(column)];
    ascending = ascending ? 0 : 1;
    sortedView = column != columnNumber(ColumnIndex::Category);
    const bool up = ascending != 0;
    std::vector<const sPubInfo*> before;
    if (recording_) {
        for (int r = 0; r < rowCount(); ++r) {
            if (rows_[static_cast<std::size_t>(r)].isGroupRow()) {
                noteChange(r);
            }
            before.push_back(rows_[static_cast<std::size_t>(r)].record.get());
        }
    }
    notifyReset([&] {
        for (GearRow& row : rows_) {
            if (row.isGroupRow()) {
                row.record->updateGroupWeight();
            }
        }
        if (column == columnNumber(ColumnIndex::Category)) {
            mergeSort(rows_, [](const GearRow& a, const GearRow& b) {
                const int c = compareNoCase(categoryOf(a), categoryOf(b));
                return c != 0 ? c > 0
                              : compareNoCase(fieldText(a.record->item),
                                              fieldText(b.record->item)) > 0;
            });
        } else if (column == columnNumber(ColumnIndex::Weight)) {
            mergeSort(rows_, [up](const GearRow& a, const GearRow& b) {
                return up ? shownWeightKey(a) > shownWeightKey(b)
                          : shownWeightKey(a) < shownWeightKey(b);
            });
        } else {
            const int k = userColumnText(column);
            const auto textOf = [k](const GearRow& row) {
                return row.record->columnTexts ? row.record->columnTexts->at(k) : nullptr;
            };
            // A row without the text "equals" every other, which orders nothing: such rows go
            // after the others, in the order they had, and the rest are sorted among themselves.
            const auto withText = std::stable_partition(
                rows_.begin(), rows_.end(), [&](const GearRow& row) { return textOf(row); });
            std::vector<GearRow> blank(std::make_move_iterator(withText),
                                       std::make_move_iterator(rows_.end()));
            rows_.erase(withText, rows_.end());
            mergeSort(rows_, [up, &textOf](const GearRow& a, const GearRow& b) {
                const int c = textOf(a)->compare(*textOf(b)); // bytewise, as unsigned values
                return up ? c > 0 : c < 0;
            });
            rows_.insert(rows_.end(), std::make_move_iterator(blank.begin()),
                         std::make_move_iterator(blank.end()));
        }
    });
    if (recording_) {
        noteReordered(before);
    }
    if (column == columnNumber(ColumnIndex::Weight)) {
        reorderMembersByWeight(up);
    }
    return true;
}

void GearDocument::reorderMembersByWeight(bool ascending) {
    for (GearRow& row : rows_) {
        if (!row.isGroupRow()) {
            continue;
        }
        auto owned = row.record->members->takeAll();
        WeightOrderedArray order;
        for (auto& m : owned) {
            order.insert(m.release());
        }
        // `add` puts at the front, which is shown first: add the heaviest first when ascending.
        const auto& items = order.items();
        if (ascending) {
            for (auto it = items.rbegin(); it != items.rend(); ++it) {
                row.record->members->add(std::unique_ptr<sPubInfo>(*it));
            }
        } else {
            for (sPubInfo* m : items) {
                row.record->members->add(std::unique_ptr<sPubInfo>(m));
            }
        }
    }
}

std::string GearDocument::convertUnits() {
    // The unit flag, not the heading the user may have renamed, says what the numbers are in.
    const bool toGrams = !metric;
    const auto convert = [toGrams](sPubInfo& r) {
        const auto u = static_cast<float>(weightValue(fieldText(r.unitWeight)));
        const auto m = static_cast<float>(weightValue(fieldText(r.multiplier)));
        if (toGrams) {
            const float f = 28.375F;
            setField(r.weight, formatWeight(f * u * m));
            setField(r.unitWeight, formatWeight(f * u));
        } else {
            const double f = 0.03524;
            setField(r.weight, formatWeight(f * u * m));
            setField(r.unitWeight, formatWeight(f * u));
        }
    };
    metric = !metric;
    if (recording_) {
        for (int r = 0; r < rowCount(); ++r) {
            noteChange(r);
        }
    }
    float total = 0.0F;
    for (GearRow& row : rows_) {
        sPubInfo& r = *row.record;
        if (row.isGroupRow()) {
            float sum = 0.0F;
            r.members->forEach([&](sPubInfo& member) {
                convert(member);
                sum += static_cast<float>(weightValue(fieldText(member.weight)));
            });
            setField(r.groupWeight, formatWeight(sum));
            if (row.checked()) {
                total += sum;
            }
        } else {
            convert(r);
            if (!row.isMemberRow() && row.checked()) {
                total += static_cast<float>(weightValue(fieldText(r.weight)));
            }
        }
    }
    selectedTotal_ = total;
    // Unchecking and checking again rewrites the total through the usual rule.
    for (int i = 0; i < rowCount(); ++i) {
        const GearRow& row = rows_[static_cast<std::size_t>(i)];
        if (row.checked() && !row.isMemberRow()) {
            setStateImage(i, kUncheckedImage);
            setStateImage(i, kCheckedImage);
        }
    }
    if (observer_) {
        observer_->rowsChanged(0, rowCount() - 1);
        observer_->totalChanged();
    }
    return metric ? "Weight (gm)" : "Weight (oz)";
}

void GearDocument::enterHideView(bool hideSelectedRows) {
    std::vector<std::unique_ptr<sPubInfo>> shown;
    for (const GearRow& row : rows_) {
        if (row.isMemberRow()) {
            continue;
        }
        auto copy = row.record->clone();
        copy->selected = row.checked() ? 1 : 0;
        copy->expanded = 0;
        origins_[copy.get()] = row.record.get();
        shown.push_back(std::move(copy));
    }
    notifyReset([&] {
        setAside_ = std::move(rows_);
        rows_.clear();
        setAsideTotal_ = selectedTotal_;
        setAsideSorted_ = sortedView;
        selectedTotal_ = 0.0F;
    });
    hideSelected = hideSelectedRows;
    hideNonSelected = !hideSelectedRows;
    setAsideLayout_ = layout_;
    loadRecords(std::move(shown));
    // Copies the filter dropped are gone; their addresses must not find an origin later.
    std::unordered_map<const sPubInfo*, sPubInfo*> kept;
    for (const GearRow& row : rows_) {
        if (const auto it = origins_.find(row.record.get()); it != origins_.end()) {
            kept.insert(*it);
        }
    }
    origins_ = std::move(kept);
    viewChanged();
}

void GearDocument::leaveHideView() {
    if (!hideViewActive()) {
        return;
    }
    hideSelected = false;
    hideNonSelected = false;
    origins_.clear();
    notifyReset([&] {
        rows_ = std::move(setAside_);
        setAside_.clear();
        selectedTotal_ = setAsideTotal_;
        // The rows come back in the order they had, so the view is sorted as it was then.
        sortedView = setAsideSorted_;
        layout_ = setAsideLayout_;
    });
}

// --- edits

namespace {

bool sameCategories(const std::vector<sCategory60>& a, const std::vector<sCategory60>& b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [](const sCategory60& x, const sCategory60& y) {
            return std::memcmp(x.name, y.name, sizeof x.name) == 0 && x.id == y.id &&
                   x.added == y.added && x.renamed == y.renamed && x.removed == y.removed;
        });
}

std::vector<std::string> groupNamesOf(const CMMIList<std::string>& names) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(names.count()));
    names.forEachReverse([&](const std::string& name) { out.push_back(name); });
    return out;
}

void setGroupNames(CMMIList<std::string>& names, const std::vector<std::string>& from) {
    names.clear();
    for (const std::string& name : from) {
        names.add(std::make_unique<std::string>(name));
    }
}

} // namespace

void GearDocument::beginRecording(DocumentSettings* settings) {
    auto rec = std::make_unique<Recording>();
    rec->settings = settings;
    DocumentParts& p = rec->before;
    p.total = selectedTotal_;
    p.metric = metric;
    p.sortedView = sortedView;
    p.sortAscending = sortAscending;
    p.userColumnCount = userColumnCount;
    p.nextCategoryId = nextCategoryId;
    p.categoryList = categoryList;
    p.removedCategories = removedCategories;
    p.choices = categoryChoices;
    p.groupNames = groupNamesOf(groupNames);
    if (settings) {
        p.fixedColumns = settings->fixedColumns;
        p.userColumns = settings->userColumns;
        p.userColumnRecords = settings->userColumnRecords;
        p.columnWidths = settings->columnWidths;
        p.columnOrder = settings->columnOrder;
        p.settingsMetric = settings->metric;
        p.baseGoal = settings->baseGoal;
    }
    rec->journal.deletedBase = deletedRecords.size();
    recording_ = std::move(rec);
}

EditJournal GearDocument::endRecording() {
    if (!recording_) {
        return {};
    }
    std::unique_ptr<Recording> rec = std::move(recording_);
    EditJournal journal = std::move(rec->journal);
    DocumentParts& p = rec->before;
    std::uint32_t changed = 0;
    const auto mark = [&](bool same, DocumentParts::Part part) {
        if (!same) {
            changed |= part;
        }
    };
    mark(std::memcmp(&p.total, &selectedTotal_, sizeof p.total) == 0, DocumentParts::Total);
    mark(p.metric == metric, DocumentParts::Metric);
    mark(p.sortedView == sortedView && p.sortAscending == sortAscending, DocumentParts::Sorting);
    mark(p.userColumnCount == userColumnCount, DocumentParts::UserColumnCount);
    mark(p.nextCategoryId == nextCategoryId, DocumentParts::NextCategoryId);
    mark(sameCategories(p.categoryList, categoryList), DocumentParts::Categories);
    mark(sameCategories(p.removedCategories, removedCategories), DocumentParts::RemovedCategories);
    mark(p.choices == categoryChoices, DocumentParts::Choices);
    mark(p.groupNames == groupNamesOf(groupNames), DocumentParts::GroupNames);
    if (const DocumentSettings* s = rec->settings) {
        mark(p.fixedColumns == s->fixedColumns && p.userColumns == s->userColumns &&
                 p.userColumnRecords == s->userColumnRecords && p.settingsMetric == s->metric &&
                 p.baseGoal == s->baseGoal,
             DocumentParts::Columns);
        mark(p.columnWidths == s->columnWidths && p.columnOrder == s->columnOrder,
             DocumentParts::ColumnLayout);
    }
    // Only what changed is kept.
    const auto keep = [&](DocumentParts::Part part, auto& value) {
        if ((changed & part) == 0) {
            std::decay_t<decltype(value)>().swap(value);
        }
    };
    keep(DocumentParts::Categories, p.categoryList);
    keep(DocumentParts::RemovedCategories, p.removedCategories);
    keep(DocumentParts::Choices, p.choices);
    keep(DocumentParts::GroupNames, p.groupNames);
    keep(DocumentParts::Columns, p.userColumnRecords);
    keep(DocumentParts::ColumnLayout, p.columnWidths);
    keep(DocumentParts::ColumnLayout, p.columnOrder);
    journal.changedParts = changed;
    journal.parts = std::move(p);
    // Deleting only ever appends handheld copies.
    const auto base =
        static_cast<std::ptrdiff_t>(std::min(journal.deletedBase, deletedRecords.size()));
    journal.deletedBase = static_cast<std::size_t>(base);
    journal.deletedTail.assign(deletedRecords.begin() + base, deletedRecords.end());
    journal.deletedInDocument = true;
    journal.layout = layout_;
    return journal;
}

void GearDocument::noteChange(int r) const {
    const GearRow& row = rows_[static_cast<std::size_t>(r)];
    if (!recording_->noted.insert(row.record.get()).second) {
        return;
    }
    RowChange change;
    change.kind = RowChange::Kind::Changed;
    change.at.push_back(r);
    change.rows.push_back(GearRow{row.record->clone(), row.stateImage});
    recording_->journal.rows.push_back(std::move(change));
}

void GearDocument::noteCheck(int r, int oldImage) {
    auto& changes = recording_->journal.rows;
    if (changes.empty() || changes.back().kind != RowChange::Kind::Checks) {
        changes.emplace_back().kind = RowChange::Kind::Checks;
    }
    changes.back().at.push_back(r);
    changes.back().values.push_back(oldImage);
}

void GearDocument::noteInserted(int first, int count) {
    RowChange change;
    change.kind = RowChange::Kind::Inserted;
    change.at.resize(static_cast<std::size_t>(count));
    std::iota(change.at.begin(), change.at.end(), first);
    recording_->journal.rows.push_back(std::move(change));
}

void GearDocument::noteRemoved(int first, std::vector<GearRow> rows) {
    auto& changes = recording_->journal.rows;
    for (const GearRow& row : rows) {
        recording_->noted.insert(row.record.get());
    }
    // A row changed just before it goes leaves with its content as it was: nothing else saw the
    // change, and the removals of a multiple delete then stay one change.
    if (rows.size() == 1 && !changes.empty() && changes.back().kind == RowChange::Kind::Changed &&
        changes.back().at.front() == first) {
        swapRowContent(rows.front(), changes.back().rows.front());
        changes.pop_back();
    }
    // Removals from the top down, as a multiple delete makes them, become one change: a row
    // taken after all those taken before it was at its row number plus their count.
    if (!changes.empty() && changes.back().kind == RowChange::Kind::Removed) {
        RowChange& last = changes.back();
        const int before = static_cast<int>(last.at.size());
        if (first + before > last.at.back()) {
            for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
                last.at.push_back(first + before + i);
            }
            last.rows.insert(last.rows.end(), std::make_move_iterator(rows.begin()),
                             std::make_move_iterator(rows.end()));
            return;
        }
    }
    RowChange change;
    change.kind = RowChange::Kind::Removed;
    change.at.resize(rows.size());
    std::iota(change.at.begin(), change.at.end(), first);
    change.rows = std::move(rows);
    changes.push_back(std::move(change));
}

void GearDocument::noteReordered(const std::vector<const sPubInfo*>& before) {
    std::unordered_map<const sPubInfo*, int> was;
    was.reserve(before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        was.emplace(before[i], static_cast<int>(i));
    }
    RowChange change;
    change.kind = RowChange::Kind::Reordered;
    change.values.reserve(rows_.size());
    for (const GearRow& row : rows_) {
        change.values.push_back(was.at(row.record.get()));
    }
    recording_->journal.rows.push_back(std::move(change));
}

void GearDocument::viewChanged() {
    if (!recording_) {
        layout_ = ++layoutCounter_;
    }
}

void GearDocument::replayRows(RowChange& change, std::vector<RowChange>& inverse) {
    using Kind = RowChange::Kind;
    switch (change.kind) {
    case Kind::Inserted: {
        // Taken out again in one pass.
        std::vector<GearRow> kept;
        kept.reserve(rows_.size() - change.at.size());
        std::size_t next = 0;
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (next < change.at.size() && static_cast<std::size_t>(change.at[next]) == i) {
                change.rows.push_back(std::move(rows_[i]));
                ++next;
            } else {
                kept.push_back(std::move(rows_[i]));
            }
        }
        rows_ = std::move(kept);
        change.kind = Kind::Removed;
        break;
    }
    case Kind::Removed: {
        std::vector<GearRow> merged;
        merged.reserve(rows_.size() + change.rows.size());
        std::size_t from = 0;
        for (std::size_t k = 0; k < change.rows.size(); ++k) {
            while (merged.size() < static_cast<std::size_t>(change.at[k]) && from < rows_.size()) {
                merged.push_back(std::move(rows_[from++]));
            }
            merged.push_back(std::move(change.rows[k]));
        }
        while (from < rows_.size()) {
            merged.push_back(std::move(rows_[from++]));
        }
        rows_ = std::move(merged);
        change.rows.clear();
        change.kind = Kind::Inserted;
        break;
    }
    case Kind::Changed:
        swapRowContent(rows_[static_cast<std::size_t>(change.at.front())], change.rows.front());
        break;
    case Kind::Checks: {
        RowChange back;
        back.kind = Kind::Checks;
        for (std::size_t j = change.at.size(); j-- > 0;) {
            int& image = rows_[static_cast<std::size_t>(change.at[j])].stateImage;
            back.at.push_back(change.at[j]);
            back.values.push_back(image);
            image = change.values[j];
        }
        change = std::move(back);
        break;
    }
    case Kind::Reordered: {
        std::vector<GearRow> was(rows_.size());
        std::vector<int> now(rows_.size());
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const auto from = static_cast<std::size_t>(change.values[i]);
            was[from] = std::move(rows_[i]);
            now[from] = static_cast<int>(i);
        }
        rows_ = std::move(was);
        change.values = std::move(now);
        break;
    }
    }
    inverse.push_back(std::move(change));
}

EditJournal GearDocument::replay(EditJournal journal, DocumentSettings* settings) {
    EditJournal inverse;
    notifyReset([&] {
        for (auto it = journal.rows.rbegin(); it != journal.rows.rend(); ++it) {
            replayRows(*it, inverse.rows);
        }
        const std::uint32_t changed = journal.changedParts;
        DocumentParts& p = journal.parts;
        if (changed & DocumentParts::Total) {
            std::swap(selectedTotal_, p.total);
        }
        if (changed & DocumentParts::Metric) {
            std::swap(metric, p.metric);
        }
        if (changed & DocumentParts::Sorting) {
            std::swap(sortedView, p.sortedView);
            std::swap(sortAscending, p.sortAscending);
        }
        if (changed & DocumentParts::UserColumnCount) {
            std::swap(userColumnCount, p.userColumnCount);
        }
        if (changed & DocumentParts::NextCategoryId) {
            std::swap(nextCategoryId, p.nextCategoryId);
        }
        if (changed & DocumentParts::Categories) {
            categoryList.swap(p.categoryList);
        }
        if (changed & DocumentParts::RemovedCategories) {
            removedCategories.swap(p.removedCategories);
        }
        if (changed & DocumentParts::Choices) {
            categoryChoices.swap(p.choices);
        }
        if (changed & DocumentParts::GroupNames) {
            std::vector<std::string> now = groupNamesOf(groupNames);
            setGroupNames(groupNames, p.groupNames);
            p.groupNames = std::move(now);
        }
        if ((changed & DocumentParts::Columns) && settings) {
            std::swap(settings->fixedColumns, p.fixedColumns);
            std::swap(settings->userColumns, p.userColumns);
            settings->userColumnRecords.swap(p.userColumnRecords);
            std::swap(settings->metric, p.settingsMetric);
            settings->baseGoal.swap(p.baseGoal);
        }
        if ((changed & DocumentParts::ColumnLayout) && settings) {
            settings->columnWidths.swap(p.columnWidths);
            settings->columnOrder.swap(p.columnOrder);
        }
        const auto base =
            static_cast<std::ptrdiff_t>(std::min(journal.deletedBase, deletedRecords.size()));
        if (journal.deletedInDocument) {
            deletedRecords.erase(deletedRecords.begin() + base, deletedRecords.end());
        } else {
            deletedRecords.insert(deletedRecords.end(), journal.deletedTail.begin(),
                                  journal.deletedTail.end());
        }
    });
    inverse.changedParts = journal.changedParts;
    inverse.parts = std::move(journal.parts);
    inverse.deletedBase = journal.deletedBase;
    inverse.deletedTail = std::move(journal.deletedTail);
    inverse.deletedInDocument = !journal.deletedInDocument;
    inverse.layout = layout_;
    return inverse;
}

} // namespace varnel
