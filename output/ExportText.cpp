#include "output/ExportText.h"

#include "model/ColumnIndex.h"
#include "model/FixedText.h"
#include "output/ExportRows.h"

#include <cstring>

namespace varnel {

using exports::appendPadded;
using exports::kLineEnd;

namespace {

constexpr std::size_t kTitleWidth = 80;
constexpr std::size_t kColumnWidth = 40;

void appendTitle(std::string& out, const std::string& title) {
    if (title.empty()) {
        return;
    }
    if (title.size() < kTitleWidth) {
        out.append((kTitleWidth - title.size()) / 2, ' ');
    }
    out += title;
    out += "\r\n\r\n";
}

void appendHeading(std::string& out, const ExportHeadings& headings, const ExportOptions& options) {
    const std::size_t start = out.size();
    appendPadded(out, headings.fixed[columnSlot(ColumnIndex::Category)], 20);
    appendPadded(out, headings.fixed[columnSlot(ColumnIndex::Item)], 40);
    appendPadded(out, headings.fixed[columnSlot(ColumnIndex::Weight)], 9);
    if (!options.customColumns) {
        if (options.notes) {
            appendPadded(out, headings.fixed[columnSlot(ColumnIndex::Notes)], 40);
        }
        out += kLineEnd;
        out.append(options.notes ? 79 : 71, '-');
        out += kLineEnd;
        return;
    }
    for (const std::string& h : headings.user) {
        appendPadded(out, h, kColumnWidth);
    }
    if (options.notes) {
        // The notes heading brings its own line end, so an empty line follows the heading and
        // the rule, drawn under all of it, is two longer than the heading text.
        out += headings.fixed[columnSlot(ColumnIndex::Notes)];
        out += kLineEnd;
    }
    const std::size_t ruleLength = out.size() - start;
    out += kLineEnd;
    out.append(ruleLength, '-');
    out += kLineEnd;
}

// "%-21s%-41s%-9s": the first part of every item line. The fields nearly always fit their
// widths, so the line is blanked once and the texts are put in their places.
void appendItemFields(std::string& out, std::string_view category, std::string_view item,
                      std::string_view weight) {
    if (category.size() > 21 || item.size() > 41 || weight.size() > 9) {
        appendPadded(out, category, 21);
        appendPadded(out, item, 41);
        appendPadded(out, weight, 9);
        return;
    }
    const std::size_t at = out.size();
    out.append(21 + 41 + 9, ' ');
    char* line = out.data() + at;
    std::memcpy(line, category.data(), category.size());
    std::memcpy(line + 21, item.data(), item.size());
    std::memcpy(line + 21 + 41, weight.data(), weight.size());
}

} // namespace

std::string exportTextBytes(const GearDocument& document, const ExportHeadings& headings,
                            const ExportOptions& options) {
    const int userColumns = options.customColumns ? static_cast<int>(headings.user.size()) : 0;
    std::string out;
    out.reserve(static_cast<std::size_t>(document.rowCount()) *
                    (75 + 50 + static_cast<std::size_t>(userColumns) * kColumnWidth) +
                512);
    appendTitle(out, options.title);
    appendHeading(out, headings, options);

    float total = 0.0F;
    exports::forEachExportedRecord(
        document, options.checkedOnly,
        [&](const sPubInfo& record, int /*position*/, bool member, bool counted) {
            const std::string_view weight = fieldText(record.weight);
            appendItemFields(out, fieldText(record.category), fieldText(record.item), weight);
            if (member) {
                out += '*';
            }
            // One cell per user column, whatever the record holds: a record made before a
            // column was added has fewer texts, and its later cells would shift left.
            for (int k = 1; k <= userColumns; ++k) {
                const std::string* text = exports::columnTextAt(record, k);
                appendPadded(out, text ? std::string_view(*text) : std::string_view(),
                             kColumnWidth);
            }
            if (options.notes) {
                out += fieldText(record.notes);
            }
            out += kLineEnd;
            if (counted) {
                exports::addToTotal(total, weight);
            }
        });

    out += kLineEnd;
    out.append(21, ' ');
    appendPadded(out, exports::kTotalCaption, 40);
    out += formatFixed(total, 7);
    out += kLineEnd;
    return out;
}

} // namespace varnel
