#pragma once
// The gear list as one HTML table coloured like the list on screen: heading cells and ordinary
// rows in the background and alternate-row colours, group members in the group colour.

#include "model/GearDocument.h"
#include "output/ExportOptions.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

// The file's bytes (Windows-1252 as stored, CR LF where the format breaks lines). "&", "<",
// ">" and the double quote of every text from the document or the user are written as
// entities. The colour of an ordinary row follows its place in the list, hidden or skipped
// rows counted. No total is written. Reads the rows only: writeExport (ExportWriter.h)
// refreshes the rows' `selected` fields.
std::string exportHtmlBytes(const GearDocument& document, const ExportHeadings& headings,
                            const ExportOptions& options, const ExportColours& colours);

// A 0x00BBGGRR colour as "rrggbb", lower case.
std::string htmlColour(std::uint32_t colorRef);

void appendHtmlEscaped(std::string& out, std::string_view text);

} // namespace varnel
