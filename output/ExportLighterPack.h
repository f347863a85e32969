#pragma once
// The list in the CSV form LighterPack imports: its heading, UTF-8, LF line ends, one line per
// item with group members as items of their own.

#include "model/GearDocument.h"
#include "output/ExportWriter.h"

#include <filesystem>
#include <string>
#include <vector>

namespace varnel {

// The file's bytes. Weights are the unit weights in the document's unit (ounce or gram) and qty
// the multiplier, the weight precise enough that weight x qty comes to the line weight; url, price,
// worn and consumable come from the user columns of those names
// (`userHeadings`, user column 1 first, Windows-1252), empty where there is none. Fields are
// quoted as RFC 4180 says. There is no total line: LighterPack adds up itself.
std::string exportLighterPackBytes(const GearDocument& document,
                                   const std::vector<std::string>& userHeadings,
                                   bool checkedOnly = false);

// Writes those bytes through a temporary file beside `file`; the document is not changed. A
// failure is told as the other exports tell theirs ("Unable to Open!").
FileOutcome writeLighterPackExport(const std::filesystem::path& file, const GearDocument& document,
                                   const std::vector<std::string>& userHeadings,
                                   bool checkedOnly = false);

} // namespace varnel
