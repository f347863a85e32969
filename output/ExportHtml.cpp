#include "output/ExportHtml.h"

#include "model/ColumnIndex.h"
#include "model/FixedText.h"
#include "output/ExportRows.h"

#include <array>

namespace varnel {

namespace {

constexpr std::string_view kCellEnd = "</font></td>";

// The three cell openings of one colour, each up to the text: "<td  align=... bgcolor=#rrggbb>"
// and the font.
struct CellOpenings {
    std::string left;   // category and notes
    std::string centre; // item, weight, user columns

    explicit CellOpenings(std::uint32_t colour) {
        const std::string tail = "bgcolor=#" + htmlColour(colour) + "><font face=Arial>";
        left = "<td  align=left " + tail;
        centre = "<td  align=center " + tail;
    }
};

void appendCell(std::string& out, const std::string& opening, std::string_view text) {
    out += opening;
    appendHtmlEscaped(out, text);
    out += kCellEnd;
}

// What the export makes itself is written as it is.
void appendRawCell(std::string& out, const std::string& opening, std::string_view text) {
    out += opening;
    out += text;
    out += kCellEnd;
}

} // namespace

std::string htmlColour(std::uint32_t colorRef) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out(6, '0');
    for (std::size_t i = 0; i < 3; ++i) {
        const unsigned byte = (colorRef >> (8 * i)) & 0xFFU;
        out[2 * i] = kDigits[byte >> 4U];
        out[2 * i + 1] = kDigits[byte & 0xFU];
    }
    return out;
}

void appendHtmlEscaped(std::string& out, std::string_view text) {
    static constexpr exports::ByteSet kSpecial("&<>\"");
    exports::appendEscaped(out, text, kSpecial, [](std::string& o, char c) {
        switch (c) {
        case '&':
            o += "&amp;";
            break;
        case '<':
            o += "&lt;";
            break;
        case '>':
            o += "&gt;";
            break;
        default:
            o += "&quot;";
            break;
        }
    });
}

std::string exportHtmlBytes(const GearDocument& document, const ExportHeadings& headings,
                            const ExportOptions& options, const ExportColours& colours) {
    const int userColumns = options.customColumns ? static_cast<int>(headings.user.size()) : 0;
    const CellOpenings back(colours.back);
    const CellOpenings alt(colours.alt);
    const CellOpenings group(colours.group);

    std::string out;
    out.reserve(static_cast<std::size_t>(document.rowCount()) *
                    (4 * 70 + 60 + static_cast<std::size_t>(userColumns) * 70) +
                512);
    out += "<html>\r\n<head>\r\n<title>Gear List</title>\r\n</head>\r\n<body>\r\n";
    if (!options.title.empty()) {
        out += "<h1 align=\"center\">";
        appendHtmlEscaped(out, options.title);
        out += "</h1><p align=\"center\">&nbsp;</p>";
    }
    out += "<table border=1 width=100%>\r\n";

    // The heading row ends without a line break: the first item row follows on its line.
    out += "<tr>";
    appendCell(out, back.left, headings.fixed[columnSlot(ColumnIndex::Category)]);
    appendCell(out, back.centre, headings.fixed[columnSlot(ColumnIndex::Item)]);
    appendCell(out, back.centre, headings.fixed[columnSlot(ColumnIndex::Weight)]);
    for (int k = 0; k < userColumns; ++k) {
        appendCell(out, back.centre, headings.user[static_cast<std::size_t>(k)]);
    }
    if (options.notes) {
        appendCell(out, back.left, headings.fixed[columnSlot(ColumnIndex::Notes)]);
    }
    out += "</tr>";

    exports::forEachExportedRecord(
        document, options.checkedOnly,
        [&](const sPubInfo& record, int position, bool member, bool /*counted*/) {
            const CellOpenings& cells = member ? group : (position % 2 == 0 ? back : alt);
            out += "<tr>";
            appendCell(out, cells.left, fieldText(record.category));
            appendCell(out, cells.centre, fieldText(record.item));
            appendCell(out, cells.centre, fieldText(record.weight));
            for (int k = 1; k <= userColumns; ++k) {
                if (const std::string* text = exports::columnTextAt(record, k)) {
                    appendCell(out, cells.centre, *text);
                } else {
                    appendRawCell(out, cells.centre, " ");
                }
            }
            if (options.notes) {
                const std::string_view notes = fieldText(record.notes);
                if (notes.empty()) {
                    appendRawCell(out, cells.left, "&nbsp;");
                } else {
                    appendCell(out, cells.left, notes);
                }
            }
            out += "</tr>\r\n";
        });

    out += "</table></body></html>\r\n";
    return out;
}

} // namespace varnel
