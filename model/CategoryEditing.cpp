#include "model/CategoryEditing.h"

#include "model/FixedText.h"

#include <algorithm>

namespace varnel {

namespace {

constexpr const char* kApplicationName = "Varnel";

std::vector<sCategory60>::iterator findCategory(GearDocument& doc, std::string_view name) {
    return std::find_if(doc.categoryList.begin(), doc.categoryList.end(),
                        [name](const sCategory60& c) { return c.nameText() == name; });
}

bool hasCategory(const GearDocument& doc, std::string_view name) {
    return std::any_of(doc.categoryList.begin(), doc.categoryList.end(),
                       [name](const sCategory60& c) { return c.nameText() == name; });
}

bool renameField(char (&category)[21], std::string_view oldName, std::string_view newName) {
    if (fieldText(category) != oldName) {
        return false;
    }
    setField(category, newName);
    return true;
}

} // namespace

std::string categoryNameFrom(std::string_view text) {
    return std::string(text.substr(0, sCategory60::kMaxName));
}

bool categoryInUse(const GearDocument& doc, std::string_view name) {
    return std::any_of(doc.rows().begin(), doc.rows().end(), [name](const GearRow& row) {
        if (!row.isGroupRow()) {
            return fieldText(row.record->category) == name;
        }
        bool used = false;
        row.record->members->forEach(
            [&](const sPubInfo& m) { used = used || fieldText(m.category) == name; });
        return used;
    });
}

std::optional<UserMessage> categoryLimitMessage(const GearDocument& doc) {
    if (!doc.handheldDocument || doc.categoryList.size() < kHandheldCategoryLimit) {
        return std::nullopt;
    }
    return UserMessage{"No more than 15 categories allowed in Palm OS applications",
                       kApplicationName, MessageIcon::Stop};
}

CategoryAddOutcome addCategory(GearDocument& doc, std::string_view text) {
    CategoryAddOutcome out;
    out.name = categoryNameFrom(text);
    if (auto limit = categoryLimitMessage(doc)) {
        out.message = std::move(limit);
        return out;
    }
    if (isUnfiled(out.name)) {
        out.message = UserMessage{"'Unfiled' may not be added as a category", kApplicationName,
                                  MessageIcon::Stop};
        return out;
    }
    if (hasCategory(doc, out.name)) {
        out.status = CategoryAddOutcome::Status::AlreadyPresent;
        return out;
    }
    sCategory60 record(out.name, doc.nextCategoryId++);
    record.added = 1;
    doc.categoryList.push_back(record);
    out.status = CategoryAddOutcome::Status::Added;
    out.id = record.id;
    return out;
}

bool deleteCategory(GearDocument& doc, std::string_view name) {
    const auto found = findCategory(doc, name);
    if (found == doc.categoryList.end()) {
        return false;
    }
    found->removed = 1;
    doc.removedCategories.insert(doc.removedCategories.begin(), *found);
    doc.categoryList.erase(found);
    return true;
}

std::optional<UserMessage> renameRefusal(const GearDocument& doc, std::string_view oldName,
                                         std::string_view newName) {
    if (!hasCategory(doc, categoryNameFrom(newName))) {
        return std::nullopt;
    }
    return UserMessage{std::string(oldName), "This category name already exists",
                       MessageIcon::Exclamation};
}

CategoryRenameOutcome renameCategory(GearDocument& doc, std::string_view oldName,
                                     std::string_view newName) {
    CategoryRenameOutcome out;
    out.newName = categoryNameFrom(newName);
    if (auto refusal = renameRefusal(doc, oldName, out.newName)) {
        out.status = CategoryRenameOutcome::Status::Duplicate;
        out.message = std::move(refusal);
        return out;
    }
    // The old name may reach into the caller's own storage; keep it while fields change.
    const std::string old(oldName);
    if (const auto found = findCategory(doc, old); found != doc.categoryList.end()) {
        found->renamed = 1;
        setField(found->name, out.newName);
        out.recordRenamed = true;
    }

    int first = -1;
    int last = -1;
    for (int r = 0; r < doc.rowCount(); ++r) {
        // Rows of other categories are only looked at: an edit keeps copies of changed rows.
        const sPubInfo& shown = *doc.row(r).record;
        bool filed = fieldText(shown.category) == old;
        if (!filed && shown.members) {
            shown.members->forEach(
                [&](const sPubInfo& m) { filed = filed || fieldText(m.category) == old; });
        }
        if (!filed) {
            continue;
        }
        sPubInfo& record = doc.record(r);
        bool changed = renameField(record.category, old, out.newName);
        if (record.members) {
            record.members->forEach([&](sPubInfo& m) {
                changed = renameField(m.category, old, out.newName) || changed;
            });
        }
        if (changed) {
            ++out.rowsChanged;
            first = first < 0 ? r : first;
            last = r;
        }
    }
    if (first >= 0) {
        doc.rowsEdited(first, last);
    }
    return out;
}

void rebuildCategoryChoices(GearDocument& doc) {
    doc.categoryChoices.clear();
    doc.categoryChoices.reserve(doc.categoryList.size());
    for (const sCategory60& c : doc.categoryList) {
        doc.categoryChoices.push_back(CategoryChoice{std::string(c.nameText()), 0});
    }
}

UserMessage deleteInUseQuestion(std::string_view name) {
    return UserMessage{"Items or grouped items already exist under \"" + std::string(name) +
                           "\". Do you still want to delete this category? (Existing items will "
                           "remain unchanged.)",
                       "Confirm Category Delete", MessageIcon::Question};
}

UserMessage renameInUseQuestion(std::string_view name) {
    return UserMessage{"Items already exist under \"" + std::string(name) +
                           "\". Renaming this category will rename the category of existing "
                           "items. Do you wish to continue?",
                       "Rename Category", MessageIcon::Question};
}

} // namespace varnel
