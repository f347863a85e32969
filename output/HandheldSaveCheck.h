#pragma once
// Whether the list can go to the handheld as it is, asked before the handheld file is saved on
// purpose: the handheld keeps at most 15 categories of at most 16 characters, and no groups.

#include "model/GearDocument.h"
#include "model/UserMessage.h"

#include <optional>

namespace varnel {

// The first reason the list does not fit the handheld ("Cannot Save PalmData.dat", stop icon),
// or nothing. Categories count among the rows, without regard to ASCII case.
std::optional<UserMessage> handheldSaveRefusal(const GearDocument& document);

// Asked (Yes/No) when the document has user columns, which the handheld file does not keep.
UserMessage handheldCustomColumnsQuestion();

} // namespace varnel
