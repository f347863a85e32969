#pragma once
// Reads a gear data file of any version, or a handheld data file, into a document.

#include "model/GearDocument.h"
#include "model/ReadOutcome.h"

#include <filesystem>
#include <span>

namespace varnel {

// Reads the whole file, then parses it. A file that cannot be opened loads nothing and shows no
// message (status CannotOpen).
ReadOutcome readGearDataFile(const std::filesystem::path& path, GearDocument& document);

// Fills a document whose rows and collections the caller has emptied. Nothing in the bytes is
// trusted: a truncated or hostile file keeps what was read before the fault.
ReadOutcome parseGearData(std::span<const unsigned char> bytes, GearDocument& document);

} // namespace varnel
