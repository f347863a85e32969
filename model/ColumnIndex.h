#pragma once
// The list's columns as every layer numbers them: four fixed ones, then the user's.

#include <cstddef>

namespace varnel {

enum class ColumnIndex { Category = 0, Item = 1, Weight = 2, Notes = 3, FirstUser = 4 };

[[nodiscard]] constexpr int columnNumber(ColumnIndex column) {
    return static_cast<int>(column);
}
// Its place in the arrays kept per column (headings, widths, sort directions).
[[nodiscard]] constexpr std::size_t columnSlot(ColumnIndex column) {
    return static_cast<std::size_t>(column);
}
// A heading click sorts by every column but Item and Notes.
[[nodiscard]] constexpr bool isSortColumn(int column) {
    return column != columnNumber(ColumnIndex::Item) && column != columnNumber(ColumnIndex::Notes);
}
// Where a user column's text is in a record's texts: the first user column's is 1.
[[nodiscard]] constexpr int userColumnText(int column) {
    return column - columnNumber(ColumnIndex::FirstUser) + 1;
}

} // namespace varnel
