#pragma once
// Reading a document with the settings file beside it, the way every opening does.

#include "model/DocumentSettings.h"
#include "model/GearDocument.h"
#include "model/ReadOutcome.h"

#include <filesystem>

namespace varnel {

// Reads the per-file settings beside `document` (its name with ".ini"), applies the display unit
// and the user column count to the document, then reads the gear data file into it. The caller
// has emptied the document.
ReadOutcome readDocumentWithSettings(const std::filesystem::path& document,
                                     const std::filesystem::path& currentFolder, GearDocument& into,
                                     DocumentSettings& settings);

} // namespace varnel
