#pragma once
// The one refusal of every command that cannot be right while a hide view shows part of the list.

#include "model/UserMessage.h"

#include <optional>
#include <string_view>

namespace varnel {

class GearDocument;

// Why `doing` must wait while a hide view is on, naming the way out of that view; nothing when
// none is. `doing` ends the sentence ("saving", "renaming a category").
std::optional<UserMessage> hideViewRefusal(const GearDocument& doc, std::string_view doing);

} // namespace varnel
