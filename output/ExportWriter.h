#pragma once
// Writing one export to its file, for the Export dialog and the headless `--export` alike.

#include "model/FileOutcome.h"
#include "model/GearDocument.h"
#include "output/ExportOptions.h"

#include <filesystem>
#include <string>

namespace varnel {

enum class ExportFormat { Text, Comma, Html, Xml, LighterPack };

// The bytes of one format (see ExportText.h, ExportComma.h, ExportHtml.h, ExportXml.h,
// ExportLighterPack.h); `colours` matter to HTML only.
std::string exportBytes(ExportFormat format, const GearDocument& document,
                        const ExportHeadings& headings, const ExportOptions& options,
                        const ExportColours& colours = {});

// Writes the export as writeOutputFile does (the old file survives a failure) and, once it is
// written, refreshes the `selected` field of every ordinary row it wrote (not for LighterPack,
// which leaves the document alone). That is the only change to the document, which is why it is
// taken by reference; nothing the view shows changes, so no observer is told. A file that could
// not be written is told by its name, with the caption "Unable to Open!"; the Export command then
// goes on with its next export.
FileOutcome writeExport(ExportFormat format, const std::filesystem::path& file,
                        GearDocument& document, const ExportHeadings& headings,
                        const ExportOptions& options, const ExportColours& colours = {});

// Sets the `selected` field of each ordinary row that an export with this scope writes from
// its check mark (group rows, their members and shown member rows are left alone).
void refreshSelectedFields(GearDocument& document, bool checkedOnly);

} // namespace varnel
