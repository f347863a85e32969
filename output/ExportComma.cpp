#include "output/ExportComma.h"

#include "model/FixedText.h"
#include "output/ExportRows.h"

namespace varnel {

using exports::kLineEnd;

namespace {
constexpr exports::ByteSet kNeedsQuotes(",\"\r\n");
constexpr exports::ByteSet kQuote("\"");
} // namespace

void appendCsvField(std::string& out, std::string_view field) {
    if (kNeedsQuotes.find(field) == field.size()) {
        out += field;
        return;
    }
    out += '"';
    exports::appendEscaped(out, field, kQuote, [](std::string& o, char) { o += "\"\""; });
    out += '"';
}

std::string exportCommaBytes(const GearDocument& document, const ExportHeadings& headings,
                             const ExportOptions& options) {
    const int userColumns = options.customColumns ? static_cast<int>(headings.user.size()) : 0;
    std::string out;
    out.reserve(static_cast<std::size_t>(document.rowCount()) *
                    (40 + 30 + static_cast<std::size_t>(userColumns) * 8) +
                256);

    appendCsvField(out, headings.fixed[0]);
    out += ',';
    appendCsvField(out, headings.fixed[1]);
    out += ',';
    appendCsvField(out, headings.fixed[2]);
    for (int k = 0; k < userColumns; ++k) {
        out += ',';
        appendCsvField(out, headings.user[static_cast<std::size_t>(k)]);
    }
    if (options.notes) {
        out += ',';
        appendCsvField(out, headings.fixed[3]);
    }
    out += kLineEnd;

    float total = 0.0F;
    exports::forEachExportedRecord(
        document, options.checkedOnly,
        [&](const sPubInfo& record, int /*position*/, bool /*member*/, bool counted) {
            const std::string_view weight = fieldText(record.weight);
            appendCsvField(out, fieldText(record.category));
            out += ',';
            appendCsvField(out, fieldText(record.item));
            out += ',';
            appendCsvField(out, weight);
            for (int k = 1; k <= userColumns; ++k) {
                out += ',';
                if (const std::string* text = exports::columnTextAt(record, k)) {
                    appendCsvField(out, *text);
                }
            }
            if (options.notes) {
                out += ',';
                appendCsvField(out, fieldText(record.notes));
            }
            out += kLineEnd;
            if (counted) {
                exports::addToTotal(total, weight);
            }
        });

    out += ',';
    out += exports::kTotalCaption;
    out += ',';
    out += formatFixed(total, 7);
    out += ",\r\n";
    return out;
}

} // namespace varnel
