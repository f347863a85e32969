#include "output/ExportLighterPack.h"

#include "model/AtomicFile.h"
#include "model/FixedText.h"
#include "model/LighterPackImport.h"
#include "model/WeightText.h"
#include "model/Windows1252.h"
#include "output/ExportComma.h"
#include "output/ExportRows.h"

#include <array>
#include <charconv>
#include <cmath>

namespace varnel {

namespace {

constexpr std::string_view kHeading =
    "Item Name,Category,desc,qty,weight,unit,url,price,worn,consumable\n";

void appendField(std::string& out, std::string_view windows1252) {
    appendCsvField(out, windows1252ToUtf8(windows1252));
}

// The multiplier as stored when it is a plain number (it then fits back), else the number the
// list counts it as, so that a text that counts as 0 here is 0 there too.
std::string quantity(std::string_view multiplier) {
    if (lighterPackNumber(multiplier)) {
        return std::string(multiplier);
    }
    std::array<char, 32> buffer{};
    const auto [end, ec] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), weightValue(multiplier));
    return ec == std::errc() ? std::string(buffer.data(), end) : std::string("0");
}

// The unit weight as typed when it is a plain number, else the number the list counts it as;
// when that times `qty` would not come to the record's line weight (a unit weight rounded to fit
// its field, or one that is not a number), the line weight divided by `qty`, with as many
// decimals as it takes, so that LighterPack adds up what the list shows.
std::string weightText(const sPubInfo& record, std::string_view qty) {
    const std::string_view unitWeight = fieldText(record.unitWeight);
    std::string text = lighterPackNumber(unitWeight) ? std::string(unitWeight)
                                                     : formatWeight(weightValue(unitWeight));
    const double count = weightValue(qty);
    const double line = weightValue(fieldText(record.weight));
    const std::string shown = formatWeight(line);
    const auto comesTo = [&](const std::string& unit) {
        return formatWeight(weightValue(unit) * count) == shown;
    };
    if (comesTo(text) || !(count > 0) || !(line >= 0) || !std::isfinite(line / count)) {
        return text;
    }
    for (int decimals = 2; decimals <= 17; ++decimals) {
        std::string exact = formatFixed(line / count, 0, decimals);
        if (comesTo(exact)) {
            return exact;
        }
    }
    return text;
}

} // namespace

std::string exportLighterPackBytes(const GearDocument& document,
                                   const std::vector<std::string>& userHeadings, bool checkedOnly) {
    const auto columns = lighterPackColumns(userHeadings);
    const std::string_view unit = document.metric ? "gram" : "ounce";
    std::string out(kHeading);
    exports::forEachExportedRecord(
        document, checkedOnly, [&](const sPubInfo& record, int, bool, bool) {
            appendField(out, fieldText(record.item));
            out += ',';
            appendField(out, fieldText(record.category));
            out += ',';
            appendField(out, fieldText(record.notes));
            out += ',';
            const std::string qty = quantity(fieldText(record.multiplier));
            out += qty;
            out += ',';
            out += weightText(record, qty);
            out += ',';
            out += unit;
            for (const int column : columns) {
                out += ',';
                if (const std::string* text =
                        column >= 0 ? exports::columnTextAt(record, column + 1) : nullptr) {
                    appendField(out, *text);
                }
            }
            out += '\n';
        });
    return out;
}

FileOutcome writeLighterPackExport(const std::filesystem::path& file, const GearDocument& document,
                                   const std::vector<std::string>& userHeadings, bool checkedOnly) {
    return FileOutcome::written(
        FileOutcome::Task::Export, file,
        writeOutputFile(file, exportLighterPackBytes(document, userHeadings, checkedOnly)));
}

} // namespace varnel
