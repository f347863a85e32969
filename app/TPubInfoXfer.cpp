#include "app/TPubInfoXfer.h"

#include "model/FixedText.h"

#include <algorithm>

namespace varnel {

void TPubInfoXfer::setCategories(const std::vector<CategoryChoice>& choices) {
    categoryNames.clear();
    categoryNames.reserve(choices.size());
    for (const CategoryChoice& c : choices) {
        categoryNames.push_back(c.name);
    }
    categorySelection = -1;
}

void TPubInfoXfer::selectCategory(std::string_view name) {
    const auto at = std::find(categoryNames.begin(), categoryNames.end(), name);
    if (at != categoryNames.end()) {
        categorySelection = static_cast<int>(at - categoryNames.begin());
        return;
    }
    categoryNames.emplace_back(name);
    categorySelection = static_cast<int>(categoryNames.size()) - 1;
}

std::string TPubInfoXfer::selectedCategory() const {
    if (categorySelection < 0 || categorySelection >= static_cast<int>(categoryNames.size())) {
        return {};
    }
    return categoryNames[static_cast<std::size_t>(categorySelection)];
}

void TPubInfoXfer::resetForAdd(const std::vector<CategoryChoice>& choices,
                               const QStringList& columns) {
    setCategories(choices);
    categorySelection = categoryNames.empty() ? -1 : 0;
    columnNames = columns;
    clearForNextItem();
    configuredCategoryPosition = 0;
}

void TPubInfoXfer::clearForNextItem() {
    setField(item, "");
    setField(unitWeight, "");
    setField(notes, "");
    setField(multiplier, "1");
    columnTextSlots.assign(static_cast<std::size_t>(columnNames.size()), std::string());
}

void TPubInfoXfer::load(const ItemFields& fields, const std::vector<CategoryChoice>& choices,
                        const QStringList& columns) {
    setCategories(choices);
    selectCategory(fields.category);
    setField(item, fields.item);
    setField(notes, fields.notes);
    setField(unitWeight, fields.unitWeight);
    setField(multiplier, fields.multiplier);
    columnNames = columns;
    columnTextSlots.assign(static_cast<std::size_t>(columns.size()), std::string());
    for (std::size_t k = 0; k < columnTextSlots.size() && k < fields.columnTexts.size(); ++k) {
        columnTextSlots[k] = fields.columnTexts[k].substr(0, kMaxColumnTextLength);
    }
    configuredCategoryPosition = 0;
}

ItemFields TPubInfoXfer::fields() const {
    ItemFields f;
    f.category = selectedCategory();
    f.item = fieldText(item);
    f.notes = fieldText(notes);
    f.unitWeight = fieldText(unitWeight);
    f.multiplier = fieldText(multiplier);
    f.columnTexts = columnTextSlots;
    return f;
}

} // namespace varnel
