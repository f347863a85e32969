#pragma once
// What the Gear Information dialog shows and hands back: one instance for the program, refilled
// by each command before the dialog runs. Texts are record bytes (Windows-1252).

#include "model/GearDocument.h"
#include "model/ItemEditing.h"

#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace varnel {

struct TPubInfoXfer {
    // The category box: names in the list's order and the index of the chosen one (-1: none).
    std::vector<std::string> categoryNames;
    int categorySelection = -1;
    char item[41]{};
    char notes[51]{};
    char unitWeight[10]{};
    char multiplier[5]{'1'};
    // Headings of the user columns, in column order.
    QStringList columnNames;
    // One text per user column, in column order. Plain strings kept to what the data file
    // reads back, rather than fixed slots with an offset: nothing to overrun, nothing cut later.
    std::vector<std::string> columnTextSlots;
    // Set by whoever runs the Configure Categories dialog for the Configure... button: the box
    // position (names sorted ignoring case, then exactly) to choose once the names are reloaded.
    int configuredCategoryPosition = 0;

    // The names of the category choice list, nothing chosen.
    void setCategories(const std::vector<CategoryChoice>& choices);
    // Chooses the category of this exact name; a name the list lacks is added so that the
    // item keeps its category.
    void selectCategory(std::string_view name);
    [[nodiscard]] std::string selectedCategory() const;

    // The Add command's starting state: first category chosen, texts empty, multiplier "1",
    // one empty slot per column.
    void resetForAdd(const std::vector<CategoryChoice>& choices, const QStringList& columns);
    // Empties item, unit weight and notes, multiplier back to "1", every slot emptied; the
    // category stays.
    void clearForNextItem();
    // A record's fields for Modify.
    void load(const ItemFields& fields, const std::vector<CategoryChoice>& choices,
              const QStringList& columns);
    [[nodiscard]] ItemFields fields() const;
};

} // namespace varnel
