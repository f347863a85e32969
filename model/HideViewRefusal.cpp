#include "model/HideViewRefusal.h"

#include "model/GearDocument.h"

#include <string>

namespace varnel {

std::optional<UserMessage> hideViewRefusal(const GearDocument& doc, std::string_view doing) {
    if (doc.hideNonSelected) {
        return UserMessage{"Please uncheck the \"Hide Non-Selected Items\" checkbox before " +
                               std::string(doing),
                           "Important!", MessageIcon::Exclamation};
    }
    if (doc.hideSelected) {
        return UserMessage{"Please select the \"Show Selected\" menu item before " +
                               std::string(doing),
                           "Important!", MessageIcon::Exclamation};
    }
    return std::nullopt;
}

} // namespace varnel
