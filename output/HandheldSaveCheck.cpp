#include "output/HandheldSaveCheck.h"

#include "model/CaseFold.h"
#include "model/CategoryEditing.h"
#include "model/FixedText.h"

#include <set>
#include <string>

namespace varnel {

namespace {

UserMessage refusal(const char* text) {
    return {text, "Cannot Save PalmData.dat", MessageIcon::Stop};
}

} // namespace

std::optional<UserMessage> handheldSaveRefusal(const GearDocument& document) {
    std::set<std::string> categories;
    bool tooLong = false;
    bool groups = false;
    for (const GearRow& row : document.rows()) {
        if (row.isMemberRow()) {
            continue; // its group row answers for it
        }
        const std::string_view category = fieldText(row.record->category);
        categories.insert(foldedCopy(category));
        tooLong = tooLong || category.size() > sCategory60::kMaxName;
        groups = groups || row.isGroupRow();
    }
    if (categories.size() > kHandheldCategoryLimit) {
        return refusal("No more than 15 categories allowed");
    }
    if (tooLong) {
        return refusal("Categories may be no longer than 16 characters");
    }
    if (groups) {
        return refusal("Groups not allowed");
    }
    return std::nullopt;
}

UserMessage handheldCustomColumnsQuestion() {
    return {"Custom columns are not saved to PalmData.dat\nContinue anyway?", "Varnel",
            MessageIcon::Question};
}

} // namespace varnel
