#pragma once
// Writes the document as the handheld data file ("Version 6.0"): the carried block, the category
// set with "Unfiled" first and the deleted categories, then one record per item and the deleted
// items.

#include "model/FileOutcome.h"
#include "model/GearDocument.h"
#include "model/sCategory60.h"
#include "model/sPubInfo60.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

inline constexpr std::string_view kHandheldHeader = "Varnel data file. Version 6.0\r\n";

// The category set as the file has it: the first category named "Unfiled" in any letter case
// (or a new "Unfiled" when there is none) first, with id 0, then the others in their order.
std::vector<sCategory60> handheldCategorySet(const std::vector<sCategory60>& set);

// The position in `set` of the first category named `category` ignoring case; `current` when
// there is none.
std::int32_t handheldCategoryIndex(const std::vector<sCategory60>& set, std::string_view category,
                                   std::int32_t current);

// One record per item of the list, top to bottom, with `categoryIndex` taken against `set`.
// The handheld keeps no groups: a group row stands for its members (front to back), which are
// written as items checked like their group, and the rows that show an expanded group's members
// are skipped. A row is checked as its check box is, and is written as not deleted. Texts too
// long for a field are cut to fit with their terminating NUL.
std::vector<sPubInfo60> handheldItems(const GearDocument& document,
                                      const std::vector<sCategory60>& set);

// The whole file. Category names are written in their 16 characters and 4 zero bytes.
std::string serializeHandheldFile(const GearDocument& document);

// Makes the file's missing folders (failures ignored), then replaces `path` through a temporary
// file: a failure leaves the previous file as it was and is reported, a failed write included.
// As the file has them, the document's category set then starts with "Unfiled" and the rows'
// records hold their check mark as `selected` and their `categoryIndex`. On success the caller
// adds `path` to the recent files. A failure is told as "Error Creating PalmData.dat file".
FileOutcome WriteHandheldFile(GearDocument& document, const std::filesystem::path& path);

} // namespace varnel
