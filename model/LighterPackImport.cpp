#include "model/LighterPackImport.h"

#include "model/CaseFold.h"
#include "model/CategoryEditing.h"
#include "model/FixedText.h"
#include "model/RegularFile.h"
#include "model/WeightText.h"
#include "model/Windows1252.h"
#include "model/sCategory60.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <unordered_set>

namespace varnel {

namespace {

constexpr std::array<std::string_view, 10> kHeading{
    "Item Name", "Category", "desc", "qty", "weight", "unit", "url", "price", "worn", "consumable"};
constexpr std::size_t kOlderHeadingSize = 6;

enum Field : std::size_t { ItemName, Category, Desc, Qty, Weight, Unit, FirstExtra };

constexpr double kGramsPerOunce = 28.349523125;

struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
    std::string error;     // why the record cannot be read; empty when it can
    bool unclosed = false; // a quote ran to the end of the file
    std::string_view raw;  // the record's bytes as they stand in the file
};

// RFC 4180 records, ended by LF, CR LF or a lone CR; a quoted field may hold any of them.
class CsvReader {
public:
    explicit CsvReader(std::string_view bytes) : in_(bytes) {}

    [[nodiscard]] bool atEnd() const { return at_ >= in_.size(); }

    CsvRecord next() {
        CsvRecord record;
        record.line = line_;
        const std::size_t start = at_;
        const auto done = [&] {
            record.raw = in_.substr(start, at_ - start);
            return std::move(record);
        };
        std::string field;
        for (;;) {
            if (atEnd()) {
                record.fields.push_back(std::move(field));
                return done();
            }
            const char c = in_[at_++];
            if (c == '"' && field.empty()) {
                if (!readQuoted(field)) {
                    record.error = "a quoted field is not closed before the end of the file";
                    record.unclosed = true;
                }
                if (!atEnd() && !isSeparator(in_[at_])) {
                    record.error = "text follows a closing quote";
                    while (!atEnd() && !isSeparator(in_[at_])) {
                        ++at_;
                    }
                }
                continue;
            }
            if (c == ',') {
                record.fields.push_back(std::move(field));
                field.clear();
                continue;
            }
            if (c == '\r' || c == '\n') {
                endLine(c);
                record.fields.push_back(std::move(field));
                return done();
            }
            field += c;
        }
    }

private:
    static bool isSeparator(char c) { return c == ',' || c == '\r' || c == '\n'; }

    void endLine(char c) {
        if (c == '\r' && !atEnd() && in_[at_] == '\n') {
            ++at_;
        }
        ++line_;
    }

    // After the opening quote; false when the file ends first.
    bool readQuoted(std::string& field) {
        while (!atEnd()) {
            const char c = in_[at_++];
            if (c == '"') {
                if (!atEnd() && in_[at_] == '"') {
                    field += '"';
                    ++at_;
                    continue;
                }
                return true;
            }
            if (c == '\n' || (c == '\r' && (atEnd() || in_[at_] != '\n'))) {
                ++line_;
            }
            field += c;
        }
        return false;
    }

    std::string_view in_;
    std::size_t at_ = 0;
    int line_ = 1;
};

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

// 0 when the record is not a LighterPack heading, else its field count.
std::size_t headingSize(const CsvRecord& record) {
    const std::size_t n = record.fields.size();
    if (!record.error.empty() || (n != kHeading.size() && n != kOlderHeadingSize)) {
        return 0;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (!equalNoCase(trimmed(record.fields[i]), kHeading[i])) {
            return 0;
        }
    }
    return n;
}

bool blankRecord(const CsvRecord& record) {
    return record.error.empty() && record.fields.size() == 1 && record.fields[0].empty();
}

} // namespace

// LighterPack writes plain numbers; a sign, an exponent or a thousands separator is more likely
// a damaged row than a weight, so it is listed rather than guessed at.
std::optional<double> lighterPackNumber(std::string_view text) {
    text = trimmed(text);
    const bool plain = !text.empty() && text != "." &&
                       std::count(text.begin(), text.end(), '.') <= 1 &&
                       std::all_of(text.begin(), text.end(),
                                   [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
    if (!plain) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

namespace {

// How many of the document's unit one of `unit` is; nothing for a unit we do not know.
std::optional<double> unitFactor(std::string_view unit, bool metric) {
    const std::string u = foldedCopy(trimmed(unit));
    const auto is = [&u](std::initializer_list<std::string_view> names) {
        return std::find(names.begin(), names.end(), u) != names.end();
    };
    // Ounces and pounds into ounces, and grams and kilograms into grams, are exact; only the
    // crossing between the two systems goes through the gram value of an ounce.
    if (is({"ounce", "ounces", "oz", "ozs"})) {
        return metric ? kGramsPerOunce : 1.0;
    }
    if (is({"pound", "pounds", "lb", "lbs"})) {
        return metric ? 16.0 * kGramsPerOunce : 16.0;
    }
    if (is({"gram", "grams", "g", "gm", "gms"})) {
        return metric ? 1.0 : 1.0 / kGramsPerOunce;
    }
    if (is({"kilogram", "kilograms", "kg", "kgs"})) {
        return metric ? 1000.0 : 1000.0 / kGramsPerOunce;
    }
    return std::nullopt;
}

bool near(double a, double b, double tolerance) {
    return std::abs(a - b) <= tolerance + 1e-12 * std::max(1.0, std::abs(b));
}

struct StoredWeight {
    std::string text;
    bool rounded = false;
};

// The line weight is recomputed from the stored texts whenever the item changes, so it is the
// unit weight text that must multiply out right, not just this import's arithmetic.
std::optional<StoredWeight> storedUnitWeight(double unit, std::string_view qtyText) {
    const double exact = unit * weightValue(qtyText);
    std::optional<std::string> nearest;
    for (int decimals = 2;; ++decimals) {
        std::string text = formatFixed(unit, 0, decimals);
        if (text.size() > kMaxUnitWeightLength) {
            break;
        }
        const auto line = lineWeightText(text, qtyText);
        if (!line) {
            continue;
        }
        if (near(weightValue(text), unit, 0.0)) {
            return StoredWeight{std::move(text), false};
        }
        if (!nearest && near(weightValue(*line), exact, 0.005)) {
            nearest = std::move(text);
        }
    }
    if (!nearest) {
        return std::nullopt;
    }
    return StoredWeight{std::move(*nearest), true};
}

std::string shownText(std::string_view text) {
    constexpr std::size_t kShown = 30;
    std::string out = "\"";
    out += text.substr(0, kShown);
    if (text.size() > kShown) {
        out += "...";
    }
    out += '"';
    return out;
}

std::string shownUtf8(std::string_view utf8) {
    return shownText(utf8ToWindows1252(utf8));
}

// Turns one UTF-8 field into record bytes and tells what had to change.
class TextFitter {
public:
    TextFitter(int line, LighterPackList& list) : line_(line), list_(list) {}

    std::string fit(std::string_view utf8, std::string_view fieldName, std::size_t width) {
        std::string oneLine;
        oneLine.reserve(utf8.size());
        bool broken = false;
        bool control = false;
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            const char c = utf8[i];
            if (c == '\r' || c == '\n' || c == '\t') {
                // A record text is one line of the list; CR LF is one break.
                if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') {
                    ++i;
                }
                oneLine += ' ';
                broken = true;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                // A NUL would end the text where it stands.
                oneLine += '?';
                control = true;
            } else {
                oneLine += c;
            }
        }
        std::string bytes = utf8ToWindows1252(oneLine);
        // Every character keeps its own byte unless it has none, and '?' is its own byte: more
        // '?' afterwards means characters were replaced.
        const auto marks = [](std::string_view s) { return std::count(s.begin(), s.end(), '?'); };
        const bool replaced = marks(bytes) > marks(oneLine);
        const std::string name(fieldName);
        if (replaced || control) {
            list_.changed.push_back({line_, name +
                                                ": a character that cannot be stored became "
                                                "\"?\" in " +
                                                shownText(bytes)});
        }
        if (broken) {
            list_.changed.push_back({line_, name + ": line breaks and tabs became blanks"});
        }
        // One byte is one character now, so any cut falls between characters.
        if (bytes.size() > width) {
            list_.cut.push_back({line_, name + " " + shownText(bytes) + " was cut to " +
                                            std::to_string(width) + " characters"});
            bytes.resize(width);
        }
        return bytes;
    }

private:
    int line_;
    LighterPackList& list_;
};

// Reads one data row into `item`; the reason when it cannot be imported.
std::optional<std::string> readRow(const CsvRecord& record, std::size_t fieldCount, bool metric,
                                   LighterPackItem& item, LighterPackList& list) {
    if (!record.error.empty()) {
        return record.error;
    }
    if (record.fields.size() != fieldCount) {
        return std::to_string(record.fields.size()) + " fields where the heading has " +
               std::to_string(fieldCount);
    }
    const auto& f = record.fields;
    const auto weight = lighterPackNumber(f[Weight]);
    if (!weight) {
        return "the weight " + shownUtf8(f[Weight]) + " is not a number";
    }
    const auto factor = unitFactor(f[Unit], metric);
    if (!factor) {
        return "the unit " + shownUtf8(f[Unit]) + " is not ounce, pound, gram or kilogram";
    }
    const auto qty = lighterPackNumber(f[Qty]);
    if (!qty) {
        return "the qty " + shownUtf8(f[Qty]) + " is not a number";
    }
    const std::string_view qtyText = trimmed(f[Qty]);
    // A number cut short would be another number.
    if (qtyText.size() > kMaxMultiplierLength) {
        return "the qty " + shownUtf8(qtyText) + " has more than " +
               std::to_string(kMaxMultiplierLength) + " characters";
    }
    const double unit = *weight * *factor;
    const std::string weightAndUnit =
        shownUtf8(f[Weight]) + " " + utf8ToWindows1252(trimmed(f[Unit]));
    const std::string roughly = formatWeight(unit);
    if (roughly.size() > kMaxUnitWeightLength || !lineWeightText(roughly, qtyText).has_value()) {
        return "the weight " + weightAndUnit + " times the qty " + utf8ToWindows1252(qtyText) +
               " is too large to be stored";
    }
    const auto stored = storedUnitWeight(unit, qtyText);
    if (!stored) {
        return "the weight " + weightAndUnit + " times the qty " + utf8ToWindows1252(qtyText) +
               " cannot be stored to within 0.005";
    }

    // Only a row that is imported is told about its texts.
    LighterPackList notes;
    TextFitter fitter(record.line, notes);
    item.line = record.line;
    item.fields.category =
        fitter.fit(trimmed(f[Category]), kHeading[Category], sCategory60::kMaxName);
    if (item.fields.category.empty()) {
        item.fields.category = "Unfiled";
    }
    item.fields.item = fitter.fit(f[ItemName], kHeading[ItemName], kMaxItemLength);
    item.fields.notes = fitter.fit(f[Desc], kHeading[Desc], kMaxNotesLength);
    item.fields.unitWeight = stored->text;
    item.fields.multiplier = std::string(qtyText);
    for (std::size_t k = 0; k < kLighterPackExtras && FirstExtra + k < fieldCount; ++k) {
        item.extras[k] =
            fitter.fit(trimmed(f[FirstExtra + k]), kHeading[FirstExtra + k], kMaxColumnTextLength);
    }
    list.changed.insert(list.changed.end(), notes.changed.begin(), notes.changed.end());
    list.cut.insert(list.cut.end(), notes.cut.begin(), notes.cut.end());
    if (stored->rounded) {
        list.rounded.push_back(
            {record.line, weightAndUnit + " became " + stored->text + (metric ? " gm." : " oz.")});
    }
    return std::nullopt;
}

// Each line after the first that an unclosed quote took in, so that the user can find the rows
// that went with it.
void noteSwallowedLines(const CsvRecord& record, std::vector<LighterPackNote>& skipped) {
    std::string_view rest = record.raw;
    int line = record.line;
    bool first = true;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
        if (!first) {
            skipped.push_back({line, "inside the quote opened on line " +
                                         std::to_string(record.line) + ": " +
                                         shownUtf8(rest.substr(0, end))});
        }
        first = false;
        std::size_t next = end;
        if (next < rest.size()) {
            next += rest.substr(next, 2) == "\r\n" ? 2 : 1;
        }
        rest.remove_prefix(next);
        ++line;
    }
}

void appendNotes(std::string& out, std::string_view title,
                 const std::vector<LighterPackNote>& notes) {
    if (notes.empty()) {
        return;
    }
    out += "\n\n";
    out += title;
    for (const LighterPackNote& note : notes) {
        out += "\n  line " + std::to_string(note.line) + ": " + note.text;
    }
}

} // namespace

FileOutcome readLighterPackFile(const std::filesystem::path& path, std::string& bytes) {
    RegularFile file;
    std::error_code ec = file.open(path);
    if (!ec) {
        bytes.clear();
        char buffer[65536];
        while (const std::size_t n = file.read(buffer, sizeof buffer, ec)) {
            bytes.append(buffer, n);
        }
    }
    FileOutcome outcome;
    outcome.task = FileOutcome::Task::Import;
    outcome.file = path;
    if (ec) {
        outcome.status = ec == std::errc::no_such_file_or_directory
                             ? FileOutcome::Status::CannotOpen
                             : FileOutcome::Status::Refused;
        outcome.error = ec;
        outcome.reason = ec.message();
    }
    return outcome;
}

LighterPackList parseLighterPackCsv(std::string_view bytes, bool metric) {
    LighterPackList list;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    // A spreadsheet saves its CSV in the system's code page; read as UTF-8, every accented
    // letter would become "?".
    std::string recoded;
    const bool windows1252 = !isValidUtf8(bytes);
    if (windows1252) {
        recoded = windows1252ToUtf8(bytes);
        bytes = recoded;
    }
    CsvReader reader(bytes);
    if (reader.atEnd()) {
        return list;
    }
    const std::size_t fieldCount = headingSize(reader.next());
    if (fieldCount == 0) {
        return list;
    }
    list.recognised = true;
    list.windows1252 = windows1252;
    while (!reader.atEnd()) {
        const CsvRecord record = reader.next();
        if (blankRecord(record)) {
            continue;
        }
        LighterPackItem item;
        if (auto why = readRow(record, fieldCount, metric, item, list)) {
            list.skipped.push_back({record.line, *why});
            if (record.unclosed) {
                noteSwallowedLines(record, list.skipped);
            }
            continue;
        }
        for (std::size_t k = 0; k < kLighterPackExtras; ++k) {
            list.extraUsed[k] = list.extraUsed[k] || !item.extras[k].empty();
        }
        list.items.push_back(std::move(item));
    }
    return list;
}

std::array<int, kLighterPackExtras>
lighterPackColumns(const std::vector<std::string>& userHeadings) {
    std::array<int, kLighterPackExtras> columns{};
    for (std::size_t k = 0; k < kLighterPackExtras; ++k) {
        const auto at =
            std::find_if(userHeadings.begin(), userHeadings.end(), [&](const std::string& h) {
                return equalNoCase(h, kLighterPackExtraNames[k]);
            });
        columns[k] = at == userHeadings.end() ? -1 : static_cast<int>(at - userHeadings.begin());
    }
    return columns;
}

std::vector<std::string> missingLighterPackColumns(const LighterPackList& list,
                                                   const std::vector<std::string>& userHeadings) {
    const auto columns = lighterPackColumns(userHeadings);
    std::vector<std::string> missing;
    for (std::size_t k = 0; k < kLighterPackExtras; ++k) {
        if (list.extraUsed[k] && columns[k] < 0) {
            missing.emplace_back(kLighterPackExtraNames[k]);
        }
    }
    return missing;
}

LighterPackAdded addLighterPackItems(GearDocument& document, const LighterPackList& list,
                                     const std::vector<std::string>& userHeadings) {
    LighterPackAdded added;
    added.leftOut = missingLighterPackColumns(list, userHeadings);
    const auto columns = lighterPackColumns(userHeadings);
    const int userColumns = document.userColumnCount;

    std::unordered_set<std::string> known;
    for (const sCategory60& c : document.categoryList) {
        known.emplace(c.nameText());
    }
    std::vector<std::unique_ptr<sPubInfo>> records;
    records.reserve(list.items.size());
    for (const LighterPackItem& item : list.items) {
        const std::string& category = item.fields.category;
        if (!isUnfiled(category) && known.insert(category).second) {
            const CategoryAddOutcome outcome = addCategory(document, category);
            if (outcome.added()) {
                document.categoryChoices.push_back({outcome.name, outcome.id});
                added.newCategories.push_back(outcome.name);
            }
        }
        ItemFields fields = item.fields;
        fields.columnTexts.assign(static_cast<std::size_t>(std::max(userColumns, 0)), {});
        for (std::size_t k = 0; k < kLighterPackExtras; ++k) {
            if (columns[k] >= 0 && columns[k] < userColumns) {
                fields.columnTexts[static_cast<std::size_t>(columns[k])] = item.extras[k];
            }
        }
        auto record = makeItemRecord(fields, userColumns);
        if (!record) {
            continue; // parsing has already refused every row whose weight does not fit
        }
        record->selected = 1;
        records.push_back(std::move(record));
    }
    added.items = static_cast<int>(records.size());
    document.insertRecords(std::move(records));
    if (document.sortedView && added.items > 0) {
        // Sorting turns the direction round first; turning it round keeps the one shown.
        auto& ascending = document.sortAscending[columnSlot(ColumnIndex::Weight)];
        ascending = ascending ? 0 : 1;
        document.sortByColumn(columnNumber(ColumnIndex::Weight));
    }
    return added;
}

UserMessage notLighterPackMessage() {
    return {"Not a LighterPack CSV file: its first line is not \"Item Name,Category,desc,qty,"
            "weight,unit...\". Nothing was imported.",
            "Import LighterPack CSV", MessageIcon::Exclamation};
}

std::string lighterPackReport(const LighterPackList& list, const LighterPackAdded& added) {
    std::string out = std::to_string(added.items) + (added.items == 1 ? " item" : " items") +
                      " imported and checked.";
    if (list.windows1252) {
        out += "\n\nThe file is not UTF-8: it was read as Windows-1252.";
    }
    if (!added.newCategories.empty()) {
        out += "\n\nNew categories:";
        for (const std::string& name : added.newCategories) {
            out += ' ';
            out += name;
        }
    }
    if (!added.leftOut.empty()) {
        out += "\n\nNot imported, for want of user columns of these names:";
        for (const std::string& name : added.leftOut) {
            out += ' ';
            out += name;
        }
    }
    appendNotes(out, "Changed:", list.changed);
    appendNotes(out, "Unit weights rounded (each line weight is within 0.005 of the exact one):",
                list.rounded);
    appendNotes(out, "Cut to fit:", list.cut);
    appendNotes(out, "Skipped (not imported):", list.skipped);
    return out;
}

} // namespace varnel
