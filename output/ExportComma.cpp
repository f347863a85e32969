#include "output/ExportComma.h"

#include "model/ColumnIndex.h"
#include "model/FixedText.h"
#include "output/ExportRows.h"

#include <cstring>

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

    appendCsvField(out, headings.fixed[columnSlot(ColumnIndex::Category)]);
    out += ',';
    appendCsvField(out, headings.fixed[columnSlot(ColumnIndex::Item)]);
    out += ',';
    appendCsvField(out, headings.fixed[columnSlot(ColumnIndex::Weight)]);
    for (int k = 0; k < userColumns; ++k) {
        out += ',';
        appendCsvField(out, headings.user[static_cast<std::size_t>(k)]);
    }
    if (options.notes) {
        out += ',';
        appendCsvField(out, headings.fixed[columnSlot(ColumnIndex::Notes)]);
    }
    out += kLineEnd;

    float total = 0.0F;
    exports::forEachExportedRecord(
        document, options.checkedOnly,
        [&](const sPubInfo& record, int /*position*/, bool /*member*/, bool counted) {
            const std::string_view category = fieldText(record.category);
            const std::string_view item = fieldText(record.item);
            const std::string_view weight = fieldText(record.weight);
            if (kNeedsQuotes.find(category) == category.size() &&
                kNeedsQuotes.find(item) == item.size() &&
                kNeedsQuotes.find(weight) == weight.size()) {
                // The usual line: one growth for the three fixed fields instead of five appends.
                const std::size_t at = out.size();
                out.resize(at + category.size() + item.size() + weight.size() + 2);
                char* p = out.data() + at;
                std::memcpy(p, category.data(), category.size());
                p += category.size();
                *p++ = ',';
                std::memcpy(p, item.data(), item.size());
                p += item.size();
                *p++ = ',';
                std::memcpy(p, weight.data(), weight.size());
            } else {
                appendCsvField(out, category);
                out += ',';
                appendCsvField(out, item);
                out += ',';
                appendCsvField(out, weight);
            }
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
