#include "output/ExportXml.h"

#include "model/Cp1252Text.h"
#include "model/FixedText.h"
#include "output/ExportRows.h"

#include <vector>

namespace varnel {

using exports::kLineEnd;

namespace {

bool nameStartChar(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
           (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD);
}

bool nameChar(char32_t c) {
    return nameStartChar(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// Tab, LF and CR are the only controls below the blank that XML 1.0 allows.
bool forbiddenControl(unsigned char b) {
    return b < 0x20U && b != '\t' && b != '\n' && b != '\r';
}

void appendElement(std::string& out, std::string_view name, std::string_view text) {
    out += '<';
    out += name;
    out += '>';
    appendXmlText(out, text);
    out += "</";
    out += name;
    out += '>';
    out += kLineEnd;
}

} // namespace

std::string xmlElementName(std::string_view heading) {
    std::string out;
    for (const char b : heading) {
        const char32_t c = cp1252CodePoint(static_cast<unsigned char>(b));
        if (out.empty() && !nameStartChar(c) && nameChar(c)) {
            out += '_';
        }
        if (nameChar(c)) {
            appendUtf8(out, c);
        } else {
            out += '_';
        }
    }
    return out.empty() ? std::string("_") : out;
}

void appendXmlText(std::string& out, std::string_view text, bool attribute) {
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80U) {
            appendUtf8(out, cp1252CodePoint(b));
            continue;
        }
        switch (ch) {
        case '&':
            out += "&amp;";
            continue;
        case '<':
            out += "&lt;";
            continue;
        case '>':
            out += "&gt;";
            continue;
        case '\r':
            out += "&#13;"; // a reader turns a bare CR, or CR LF, into LF
            continue;
        default:
            break;
        }
        if (attribute) {
            switch (ch) {
            case '"':
                out += "&quot;";
                continue;
            case '\'':
                out += "&apos;";
                continue;
            case '\n':
                out += "&#10;";
                continue;
            case '\t':
                out += "&#9;";
                continue;
            default:
                break;
            }
        }
        out += forbiddenControl(b) ? '?' : ch;
    }
}

std::string exportXmlBytes(const GearDocument& document, const ExportHeadings& headings,
                           const ExportOptions& options) {
    const std::string category = xmlElementName(headings.fixed[0]);
    const std::string item = xmlElementName(headings.fixed[1]);
    const std::string weight = xmlElementName(headings.fixed[2]);
    const std::string notes = xmlElementName(headings.fixed[3]);
    std::vector<std::string> user;
    if (options.customColumns) {
        user.reserve(headings.user.size());
        for (const std::string& h : headings.user) {
            user.push_back(xmlElementName(h));
        }
    }

    std::string out;
    out.reserve(static_cast<std::size_t>(document.rowCount()) *
                    (3 * category.size() + 2 * item.size() + 2 * weight.size() + 100 +
                     (options.notes ? 2 * notes.size() + 30 : 0) + user.size() * 30) +
                64);
    out += "<xml>\r\n<Razidevidez_Orav>\r\n";
    exports::forEachExportedRecord(
        document, options.checkedOnly,
        [&](const sPubInfo& record, int /*position*/, bool /*member*/, bool /*counted*/) {
            out += '<';
            out += category;
            out += " attribute=\"";
            appendXmlText(out, fieldText(record.category), true);
            out += "\">\r\n\t";
            appendElement(out, item, fieldText(record.item));
            out += '\t';
            appendElement(out, weight, fieldText(record.weight));
            for (std::size_t k = 0; k < user.size(); ++k) {
                if (!record.columnTexts) {
                    appendElement(out, user[k], {});
                } else if (const std::string* text =
                               record.columnTexts->at(static_cast<int>(k) + 1)) {
                    appendElement(out, user[k], *text);
                }
            }
            if (options.notes) {
                appendElement(out, notes, fieldText(record.notes));
            }
            out += "</";
            out += category;
            out += ">\r\n";
        });
    out += "</Razidevidez_Orav></xml>\r\n";
    return out;
}

} // namespace varnel
