#pragma once
// The comma-delimited file for spreadsheets: a heading line, one line per exported item and a
// closing line with the total weight of the checked items.

#include "model/GearDocument.h"
#include "output/ExportOptions.h"

#include <string>
#include <string_view>

namespace varnel {

// The file's bytes (Windows-1252 as stored, CR LF line ends). A field holding a comma, a double
// quote, a CR or an LF is quoted with its quotes doubled (RFC 4180); every other field is
// written as it is. Every item line has one field per user column. Reads the rows only:
// writeExport (ExportWriter.h) refreshes the rows' `selected` fields.
std::string exportCommaBytes(const GearDocument& document, const ExportHeadings& headings,
                             const ExportOptions& options);

// One field as the comma-delimited file writes it.
void appendCsvField(std::string& out, std::string_view field);

} // namespace varnel
