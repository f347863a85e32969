#pragma once
// The fixed-width plain-text report: an optional centred title, a heading line with a rule under
// it, one line per exported item and the total weight of the checked items.

#include "model/GearDocument.h"
#include "output/ExportOptions.h"

#include <string>

namespace varnel {

// The file's bytes (Windows-1252 as stored, CR LF line ends). Fields are left-aligned and
// padded, never cut; a group's members end their weight field with "*". Reads the rows only:
// writeExport (ExportWriter.h) refreshes the rows' `selected` fields.
std::string exportTextBytes(const GearDocument& document, const ExportHeadings& headings,
                            const ExportOptions& options);

} // namespace varnel
