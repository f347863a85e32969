#pragma once
// The rules behind "Configure Categories": adding, deleting and renaming the document's
// categories, and carrying a rename into the rows. Every name comparison here is exact; only
// "Unfiled" is recognised in any letter case.

#include "model/GearDocument.h"
#include "model/UserMessage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

// The handheld application keeps no more categories than this.
constexpr std::size_t kHandheldCategoryLimit = 15;

struct CategoryAddOutcome {
    enum class Status { Added, AlreadyPresent, Refused };

    Status status = Status::Refused;
    std::optional<UserMessage> message; // why it was refused
    std::string name;                   // the name as stored, at most 16 characters
    std::int32_t id = 0;                // the number the new category got

    [[nodiscard]] bool added() const { return status == Status::Added; }
};

struct CategoryRenameOutcome {
    enum class Status { Renamed, Duplicate };

    Status status = Status::Renamed;
    std::optional<UserMessage> message; // the duplicate's message
    std::string newName;                // as stored, at most 16 characters
    bool recordRenamed = false;         // a record of the category list carried the old name
    int rowsChanged = 0;                // rows whose own category or members' categories changed

    [[nodiscard]] bool renamed() const { return status == Status::Renamed; }
};

// A typed name as a category can hold it.
std::string categoryNameFrom(std::string_view text);

// An ordinary row filed under `name`, or a group member filed under it, among the rows shown. A
// group row's own category does not count: deleting or renaming asks only about items.
bool categoryInUse(const GearDocument& doc, std::string_view name);

// The refusal when a handheld document already has the most categories it may have.
std::optional<UserMessage> categoryLimitMessage(const GearDocument& doc);

// Appends a new category numbered from nextCategoryId and flagged as added. "Unfiled" in any
// case and a handheld document at its limit are refused; an exact duplicate is left alone.
CategoryAddOutcome addCategory(GearDocument& doc, std::string_view text);

// Moves the first category named exactly `name` to the front of removedCategories, flagged as
// removed. Rows keep their category. Returns whether a category was found.
bool deleteCategory(GearDocument& doc, std::string_view name);

// The refusal when `newName` (as it would be stored) is already a category.
std::optional<UserMessage> renameRefusal(const GearDocument& doc, std::string_view oldName,
                                         std::string_view newName);

// Renames the first category named `oldName` (flagged as renamed) and every row, group row and
// group member filed under it, member rows of expanded groups included; other rows are left
// alone. Refused when the new name is already a category.
CategoryRenameOutcome renameCategory(GearDocument& doc, std::string_view oldName,
                                     std::string_view newName);

// The choices of the item dialog's category box: every category's name in list order, without
// numbers.
void rebuildCategoryChoices(GearDocument& doc);

// The questions asked before a category that items use is deleted or renamed.
UserMessage deleteInUseQuestion(std::string_view name);
UserMessage renameInUseQuestion(std::string_view name);

} // namespace varnel
