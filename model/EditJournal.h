#pragma once
// What one edit changed in a document, recorded as it happened: enough to take it back, and what
// taking it back records is enough to make it again. It holds the changed rows and collections
// only, never a copy of the whole document.

#include "model/ColumnRecord.h"
#include "model/sCategory60.h"
#include "model/sPubInfo60.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varnel {

struct GearRow;
struct CategoryChoice;

// One change to the row list, in the row numbers of the moment it was made.
struct RowChange {
    enum class Kind : std::uint8_t {
        Inserted,  // rows now at `at` (ascending) were put in
        Removed,   // `rows` were taken from `at` (ascending, numbered as before the removal)
        Changed,   // the row at `at[0]` had the record and mark in `rows[0]` (the same object)
        Checks,    // the rows at `at` had the marks in `values`, the first change first
        Reordered, // the row now at i was at `values[i]`
    };
    Kind kind = Kind::Changed;
    std::vector<int> at;
    std::vector<GearRow> rows;
    std::vector<int> values;

    RowChange();
    RowChange(RowChange&&) noexcept;
    RowChange& operator=(RowChange&&) noexcept;
    ~RowChange();
};

// The small parts of a document and its column settings that an edit may change. A journal keeps
// the other side of those it changed, so that swapping them in goes back and forth.
struct DocumentParts {
    enum Part : std::uint32_t {
        Total = 1U << 0,
        Metric = 1U << 1,
        Sorting = 1U << 2,
        UserColumnCount = 1U << 3,
        NextCategoryId = 1U << 4,
        Categories = 1U << 5,
        RemovedCategories = 1U << 6,
        Choices = 1U << 7,
        GroupNames = 1U << 8,
        Columns = 1U << 9,
        ColumnLayout = 1U << 10, // widths and order: kept apart, few edits change them
    };
    float total = 0.0F;
    bool metric = false;
    bool sortedView = false;
    std::array<std::uint8_t, 256> sortAscending{};
    int userColumnCount = 0;
    std::int32_t nextCategoryId = 0;
    std::vector<sCategory60> categoryList;
    std::vector<sCategory60> removedCategories;
    std::vector<CategoryChoice> choices;
    std::vector<std::string> groupNames; // back to front, as they were added
    // The column settings.
    std::array<ColumnRecord, 4> fixedColumns{};
    std::int32_t userColumns = 0;
    std::vector<ColumnRecord> userColumnRecords;
    std::vector<std::int32_t> columnWidths;
    std::vector<std::int32_t> columnOrder;
    bool settingsMetric = false;
    std::string baseGoal; // kept in the list's unit, so Convert changes it

    DocumentParts();
    DocumentParts(DocumentParts&&) noexcept;
    DocumentParts& operator=(DocumentParts&&) noexcept;
    ~DocumentParts();
};

struct EditJournal {
    std::vector<RowChange> rows;
    std::uint32_t changedParts = 0; // DocumentParts::Part bits
    DocumentParts parts;            // the other side of the changed parts
    // Handheld copies of deleted records that the edit appended after the first `deletedBase`;
    // `deletedInDocument` says whether the document holds them now.
    std::size_t deletedBase = 0;
    std::vector<sPubInfo60> deletedTail;
    bool deletedInDocument = false;
    // The row order the row changes are numbered in (see GearDocument::layout).
    std::uint64_t layout = 0;

    [[nodiscard]] bool empty() const {
        return rows.empty() && changedParts == 0 && deletedTail.empty();
    }
};

} // namespace varnel
