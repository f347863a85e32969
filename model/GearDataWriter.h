#pragma once
// Writes a document as a gear data file in the current format ("Version 5.11").

#include "model/FileOutcome.h"
#include "model/GearDocument.h"

#include <filesystem>
#include <string>

namespace varnel {

// Header, category lines, an empty line, then every top-level row with its members and texts.
// Rows write their check mark as `selected` and groups are stored collapsed; the records in
// memory are left as they are.
std::string serializeGearData(const GearDocument& document);

// The same bytes in pieces, so that a large list need not be written out in one go: the header
// and category lines, then rows [first, first + count) (member rows add nothing), returning the
// row to go on from. The document must not change between the pieces.
void appendGearDataHead(const GearDocument& document, std::string& out);
int appendGearDataRows(const GearDocument& document, int first, int count, std::string& out);

// Replaces `path` only when the whole file is written (see replaceFileAtomically).
FileOutcome writeGearDataFile(const std::filesystem::path& path, const GearDocument& document);

// The longest column text a file line can carry back (the reader keeps 49 characters with CR LF).
constexpr std::size_t kMaxStoredTextLength = 47;
// The longest category line text the reader keeps (59 characters with CR LF).
constexpr std::size_t kMaxStoredCategoryLength = 57;

} // namespace varnel
