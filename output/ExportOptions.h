#pragma once
// What every export is given besides the rows: the user's choices, the list's column headings
// and, for HTML, the list colours. The Export dialog and the headless `--export` fill these the
// same way, so both write the same bytes.

#include "model/DocumentSettings.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace varnel {

struct ExportOptions {
    bool checkedOnly = false;   // "Export only Checked Items" rather than "Export All Items"
    bool notes = false;         // "Export Notes"
    bool customColumns = false; // "Export Custom Columns"
    std::string title;          // text and HTML only; may be empty
};

// The headings as the list shows them (Windows-1252), taken when the Export command starts.
struct ExportHeadings {
    // Category, item, weight (it names the unit), notes.
    std::array<std::string, kFixedColumns> fixed;
    // User column 1 first; its size is the number of user columns.
    std::vector<std::string> user;
};

// The list colours as 0x00BBGGRR (the high byte is ignored). The caller resolves a colour that
// names a system colour to that colour's current value first.
struct ExportColours {
    std::uint32_t back = kDefaultBackColor;
    std::uint32_t alt = kDefaultAltColor;
    std::uint32_t group = kDefaultGroupColor;
};

// The headings the list builds from a document's settings: the fixed columns' headings (the
// weight heading following the unit) and every user column's.
ExportHeadings exportHeadings(const DocumentSettings& settings);

// The stored colours, each passed through `resolve` when given: the caller's way to the current
// value of a colour that names a system colour.
ExportColours exportColours(const DocumentSettings& settings,
                            std::uint32_t (*resolve)(std::uint32_t stored) = nullptr);

// The options stored with the document (notes, custom columns, title); the scope is not stored,
// the dialog always offers all items first.
ExportOptions exportOptions(const DocumentSettings& settings, bool checkedOnly = false);

} // namespace varnel
