#include "output/ExportXml.h"

#include "model/ColumnIndex.h"
#include "model/FixedText.h"
#include "model/Windows1252.h"
#include "output/ExportRows.h"

#include <vector>

namespace varnel {

namespace {

// Names keep to ASCII so that readers following the older XML name rules take them too.
bool nameStartChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool nameChar(char c) {
    return nameStartChar(c) || c == '-' || c == '.' || (c >= '0' && c <= '9');
}

// The tags of one element, made once per export: "<name>" (after `indent`) and "</name>\r\n".
struct Element {
    std::string open;
    std::string close;

    Element(std::string_view name, std::string_view indent)
        : open(std::string(indent) + "<" + std::string(name) + ">"),
          close("</" + std::string(name) + ">\r\n") {}

    void append(std::string& out, std::string_view text) const {
        out += open;
        appendXmlText(out, text);
        out += close;
    }
};

} // namespace

std::string xmlElementName(std::string_view heading) {
    std::string out;
    for (const char c : heading) {
        if (out.empty() && !nameStartChar(c) && nameChar(c)) {
            out += '_';
        }
        out += nameChar(c) ? c : '_';
    }
    return out.empty() ? std::string("_") : out;
}

void appendXmlText(std::string& out, std::string_view text, bool attribute) {
    // Every control below the blank is special: tab and LF only in attribute values, where a
    // reader would turn them into blanks.
    static constexpr exports::ByteSet kContent =
        exports::ByteSet("&<>\"").addRange(0x00, 0x08).addRange(0x0B, 0x1F).addRange(0x80, 0xFF);
    static constexpr exports::ByteSet kAttribute =
        exports::ByteSet("&<>\"'").addRange(0x00, 0x1F).addRange(0x80, 0xFF);
    exports::appendEscaped(out, text, attribute ? kAttribute : kContent,
                           [](std::string& o, char c) {
                               switch (c) {
                               case '&':
                                   o += "&amp;";
                                   return;
                               case '<':
                                   o += "&lt;";
                                   return;
                               case '>':
                                   o += "&gt;";
                                   return;
                               case '"':
                                   o += "&quot;";
                                   return;
                               case '\'':
                                   o += "&apos;";
                                   return;
                               case '\r':
                                   o += "&#13;"; // a reader turns a bare CR, or CR LF, into LF
                                   return;
                               case '\n':
                                   o += "&#10;";
                                   return;
                               case '\t':
                                   o += "&#9;";
                                   return;
                               default:
                                   break;
                               }
                               const auto b = static_cast<unsigned char>(c);
                               if (b >= 0x80U) {
                                   appendUtf8(o, windows1252ToCodePoint(b));
                               } else {
                                   o += '?'; // XML 1.0 has no way to carry the other controls
                               }
                           });
}

std::string exportXmlBytes(const GearDocument& document, const ExportHeadings& headings,
                           const ExportOptions& options) {
    const std::string category = xmlElementName(headings.fixed[columnSlot(ColumnIndex::Category)]);
    const std::string itemOpen = "<" + category + " attribute=\"";
    const std::string itemClose = "</" + category + ">\r\n";
    const Element item(xmlElementName(headings.fixed[columnSlot(ColumnIndex::Item)]), "\">\r\n\t");
    const Element weight(xmlElementName(headings.fixed[columnSlot(ColumnIndex::Weight)]), "\t");
    const Element notes(xmlElementName(headings.fixed[columnSlot(ColumnIndex::Notes)]), "");
    std::vector<Element> user;
    if (options.customColumns) {
        user.reserve(headings.user.size());
        for (const std::string& h : headings.user) {
            user.emplace_back(xmlElementName(h), "");
        }
    }

    std::string out;
    std::size_t perItem = itemOpen.size() + itemClose.size() + item.open.size() +
                          item.close.size() + weight.open.size() + weight.close.size() + 70;
    if (options.notes) {
        perItem += notes.open.size() + notes.close.size() + 20;
    }
    for (const Element& e : user) {
        perItem += e.open.size() + e.close.size() + 8;
    }
    out.reserve(static_cast<std::size_t>(document.rowCount()) * perItem + 64);
    out += "<xml>\r\n<Razidevidez_Orav>\r\n";
    exports::forEachExportedRecord(
        document, options.checkedOnly,
        [&](const sPubInfo& record, int /*position*/, bool /*member*/, bool /*counted*/) {
            out += itemOpen;
            appendXmlText(out, fieldText(record.category), true);
            item.append(out, fieldText(record.item)); // closes the opening tag first
            weight.append(out, fieldText(record.weight));
            for (std::size_t k = 0; k < user.size(); ++k) {
                if (!record.columnTexts) {
                    user[k].append(out, {});
                } else if (const std::string* text =
                               record.columnTexts->at(static_cast<int>(k) + 1)) {
                    user[k].append(out, *text);
                }
            }
            if (options.notes) {
                notes.append(out, fieldText(record.notes));
            }
            out += itemClose;
        });
    out += "</Razidevidez_Orav></xml>\r\n";
    return out;
}

} // namespace varnel
