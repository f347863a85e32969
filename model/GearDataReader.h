#pragma once
// Reads a gear data file of any version, or a handheld data file, into a document.

#include "model/FileOutcome.h"
#include "model/GearDataContent.h"
#include "model/GearDocument.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace varnel {

// Reads the whole file, then parses it. A missing file loads nothing and shows no message (status
// CannotOpen); one that is there but cannot be read, or is not a regular file, is Refused and
// never opened in a way that could block.
FileOutcome readGearDataFile(const std::filesystem::path& path, GearDocument& document);

// Fills a document whose rows and collections the caller has emptied. Nothing in the bytes is
// trusted: a truncated or hostile file keeps what was read before the fault.
FileOutcome parseGearData(std::span<const unsigned char> bytes, GearDocument& document);

// The decoding step alone: the records and collections of the file, categories numbered from
// `nextCategoryId`. A refused file decodes to its outcome and nothing else.
GearDataContent decodeGearData(std::span<const unsigned char> bytes,
                               std::int32_t nextCategoryId = kFirstCategoryId);

// The same for a file, read into memory whole first.
GearDataContent decodeGearDataFile(const std::filesystem::path& path,
                                   std::int32_t nextCategoryId = kFirstCategoryId);

} // namespace varnel
