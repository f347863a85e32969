#include "model/GearMarks.h"

#include "model/CaseFold.h"

#include <array>

namespace varnel {

namespace {

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

} // namespace

std::string_view markHeading(GearMark mark) {
    return mark == GearMark::Worn ? "Worn" : "Consumable";
}

MarkColumns markColumns(const std::vector<std::string>& userHeadings) {
    MarkColumns out;
    for (std::size_t i = userHeadings.size(); i-- > 0;) {
        const std::string_view heading = trimmed(userHeadings[i]);
        const int column = static_cast<int>(i) + 1;
        if (equalNoCase(heading, markHeading(GearMark::Worn))) {
            out.worn = column;
        } else if (equalNoCase(heading, markHeading(GearMark::Consumable))) {
            out.consumable = column;
        }
    }
    return out;
}

bool isMarkText(std::string_view text) {
    static constexpr std::array<std::string_view, 4> kUnmarked{"no", "n", "0", "false"};
    text = trimmed(text);
    if (text.empty()) {
        return false;
    }
    for (const std::string_view no : kUnmarked) {
        if (equalNoCase(text, no)) {
            return false;
        }
    }
    return true;
}

bool hasMark(const sPubInfo& record, int column) {
    return column > 0 && isMarkText(record.columnText(column));
}

bool setRowColumnText(GearDocument& document, int row, int column, std::string_view text) {
    if (row < 0 || row >= document.rowCount() || document.row(row).isGroupRow() || column < 1 ||
        column > document.userColumnCount || document.row(row).record->columnText(column) == text) {
        return false;
    }
    for (sPubInfo* record : document.recordsShownAt(row)) {
        if (!record->columnTexts) {
            record->columnTexts = std::make_unique<CMMIList<std::string>>();
        }
        // Columns before it without a text get an empty one, so that each text stays in its
        // column.
        while (record->columnTexts->count() < column) {
            record->columnTexts->add(std::make_unique<std::string>());
        }
        *record->columnTexts->at(column) = text;
        record->modified = 1;
    }
    document.rowsEdited(row, row);
    return true;
}

bool setRowMark(GearDocument& document, int row, int column, GearMark mark, bool marked) {
    return setRowColumnText(document, row, column, marked ? markHeading(mark) : std::string_view());
}

} // namespace varnel
