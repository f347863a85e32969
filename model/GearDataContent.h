#pragma once
// What one gear data file holds, decoded but not yet in a document.

#include "model/FileOutcome.h"
#include "model/GearDocument.h"
#include "model/sCategory60.h"
#include "model/sPubInfo.h"
#include "model/sPubInfo60.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varnel {

struct GearDataContent {
    FileOutcome outcome;
    bool handheld = false;
    std::vector<unsigned char> handheldBlock;
    // The category set is replaced only when the file gets as far as its categories.
    bool categoriesRead = false;
    std::vector<sCategory60> categories;
    std::vector<CategoryChoice> choices;
    std::int32_t nextCategoryId = kFirstCategoryId;
    std::vector<std::string> groupNames;
    std::vector<sPubInfo60> deletedRecords;
    // Top-level records in file order; groups own their members.
    std::vector<std::unique_ptr<sPubInfo>> records;
};

} // namespace varnel
