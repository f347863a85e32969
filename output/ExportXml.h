#pragma once
// The gear list as a simple tagged file: one element per exported item, named after the first
// column heading, with the category as an attribute and the other values as child elements
// named after their column headings.

#include "model/GearDocument.h"
#include "output/ExportOptions.h"

#include <string>
#include <string_view>

namespace varnel {

// The file's bytes: UTF-8 (the encoding of a file without an XML declaration), CR LF line ends,
// always well-formed. Texts are converted from Windows-1252 and escaped; a control character
// that XML 1.0 cannot carry becomes "?". Reads the rows only: writeExport (ExportWriter.h)
// refreshes the rows' `selected` fields.
std::string exportXmlBytes(const GearDocument& document, const ExportHeadings& headings,
                           const ExportOptions& options);

// A heading as an element name of ASCII letters, digits, "_", "-" and "." only: every other
// character (blanks, parentheses, colons and every non-ASCII character among them) becomes "_",
// a name that may not start as it does gets a leading "_", and an empty heading is "_".
std::string xmlElementName(std::string_view heading);

// Windows-1252 text as UTF-8 character data, escaped for element content ("&", "<", ">" and the
// double quote) or, with `attribute`, for a double-quoted attribute value (the single quote too,
// and line ends and tabs as references, so that a reader gets them back rather than blanks).
void appendXmlText(std::string& out, std::string_view text, bool attribute = false);

} // namespace varnel
