#include "model/ClipboardRows.h"

#include "model/CaseFold.h"
#include "model/CategoryEditing.h"
#include "model/FixedText.h"
#include "model/GearDocument.h"
#include "model/GroupEditing.h"
#include "model/ItemEditing.h"
#include "model/LighterPackImport.h"
#include "model/WeightText.h"
#include "model/sCategory60.h"
#include "model/sPubInfo.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace varnel {

namespace {

constexpr double kGramsPerOunce = 28.349523125;
constexpr std::string_view kOwnFormFirstLine = "Varnel rows 1";
constexpr std::size_t kMaxCategoryLength = 16; // what a category of the list holds

enum class Field { Category, Item, Weight, Multiplier, Notes, User, None };

ClipRecord recordOf(const sPubInfo& r, bool checked, const std::vector<std::string>& headings) {
    ClipRecord c;
    c.category = fieldText(r.category);
    c.item = fieldText(r.item);
    c.unitWeight = fieldText(r.unitWeight);
    c.weight = fieldText(r.weight);
    c.multiplier = fieldText(r.multiplier);
    c.notes = fieldText(r.notes);
    c.checked = checked;
    for (std::size_t k = 0; k < headings.size(); ++k) {
        const std::string_view text = r.columnText(static_cast<int>(k) + 1);
        if (!text.empty()) {
            c.columns.emplace_back(headings[k], std::string(text));
        }
    }
    if (r.isGroup()) {
        c.group = true;
        r.members->forEach([&](const sPubInfo& m) {
            c.members.push_back(recordOf(m, m.selected != 0, headings));
        });
    }
    return c;
}

void escapeInto(std::string& out, std::string_view text) {
    for (const char ch : text) {
        switch (ch) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += ch;
        }
    }
}

std::vector<std::string> splitEscaped(std::string_view line) {
    std::vector<std::string> cells(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (ch == '\t') {
            cells.emplace_back();
        } else if (ch == '\\' && i + 1 < line.size()) {
            const char n = line[++i];
            cells.back() += n == 't' ? '\t' : n == 'n' ? '\n' : n == 'r' ? '\r' : n;
        } else {
            cells.back() += ch;
        }
    }
    return cells;
}

void writeOwnLine(std::string& out, std::string_view kind, const ClipRecord& c) {
    out += kind;
    for (const std::string* f :
         {&c.category, &c.item, &c.unitWeight, &c.weight, &c.multiplier, &c.notes}) {
        out += '\t';
        escapeInto(out, *f);
    }
    out += c.checked ? "\t1" : "\t0";
    for (const auto& [heading, text] : c.columns) {
        out += '\t';
        escapeInto(out, heading);
        out += '\t';
        escapeInto(out, text);
    }
    out += '\n';
}

bool readOwnLine(const std::vector<std::string>& cells, ClipRecord& c) {
    if (cells.size() < 8 || (cells.size() - 8) % 2 != 0) {
        return false;
    }
    c.category = cells[1];
    c.item = cells[2];
    c.unitWeight = cells[3];
    c.weight = cells[4];
    c.multiplier = cells[5];
    c.notes = cells[6];
    c.checked = cells[7] != "0";
    for (std::size_t i = 8; i + 1 < cells.size(); i += 2) {
        c.columns.emplace_back(cells[i], cells[i + 1]);
    }
    return true;
}

void convertRecord(ClipRecord& c, double factor) {
    const double u = weightValue(c.unitWeight);
    const double m = weightValue(c.multiplier);
    c.weight = formatWeight(factor * u * m);
    c.unitWeight = formatWeight(factor * u);
    for (ClipRecord& member : c.members) {
        convertRecord(member, factor);
    }
}

std::string shownWeight(const ClipRecord& c) {
    if (!c.group) {
        return c.weight;
    }
    double sum = weightValue(c.weight);
    for (const ClipRecord& m : c.members) {
        sum += weightValue(m.weight);
    }
    return formatWeight(sum);
}

std::string_view columnOf(const ClipRecord& c, std::string_view heading) {
    for (const auto& [h, text] : c.columns) {
        if (equalNoCase(h, heading)) {
            return text;
        }
    }
    return {};
}

// The item lines of the text and HTML forms: a group stands for its members.
template <typename Fn> void forEachItem(const ClipRows& rows, Fn&& fn) {
    for (const ClipRecord& c : rows.records) {
        if (c.group) {
            for (const ClipRecord& m : c.members) {
                fn(m);
            }
        } else {
            fn(c);
        }
    }
}

std::vector<std::string> cellsOf(const ClipRecord& c, const std::vector<std::string>& headings) {
    std::vector<std::string> cells{c.category, c.item, shownWeight(c), c.multiplier, c.notes};
    for (const std::string& h : headings) {
        cells.emplace_back(columnOf(c, h));
    }
    return cells;
}

std::vector<std::string> headingCells(const std::vector<std::string>& headings) {
    std::vector<std::string> cells{"Category", "Item", "Weight", "Multiply by", "Notes"};
    cells.insert(cells.end(), headings.begin(), headings.end());
    return cells;
}

// A cell as a spreadsheet reads it back whole: quoted when it holds a tab, a line end or a
// quote at its start.
std::string textCell(const std::string& cell) {
    if (cell.find_first_of("\t\r\n") == std::string::npos && (cell.empty() || cell[0] != '"')) {
        return cell;
    }
    std::string out = "\"";
    for (const char ch : cell) {
        out += ch;
        if (ch == '"') {
            out += '"';
        }
    }
    return out + '"';
}

std::string htmlEscaped(std::string_view text) {
    std::string out;
    for (const char ch : text) {
        switch (ch) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\n':
            out += "<br>";
            break;
        case '\r':
            break;
        default:
            out += ch;
        }
    }
    return out;
}

struct TextRow {
    int line = 0;
    std::vector<std::string> cells;
};

// Tab-separated cells as spreadsheets write them.
std::vector<TextRow> splitTextRows(std::string_view bytes) {
    std::vector<TextRow> rows;
    int line = 1;
    std::size_t i = 0;
    while (i < bytes.size()) {
        TextRow row{line, {std::string()}};
        bool ended = false;
        while (i < bytes.size() && !ended) {
            std::string& cell = row.cells.back();
            if (cell.empty() && bytes[i] == '"') {
                // Quoted: up to the quote that is not doubled.
                std::size_t j = i + 1;
                std::string text;
                bool closed = false;
                while (j < bytes.size()) {
                    if (bytes[j] == '"') {
                        if (j + 1 < bytes.size() && bytes[j + 1] == '"') {
                            text += '"';
                            j += 2;
                            continue;
                        }
                        closed = true;
                        ++j;
                        break;
                    }
                    if (bytes[j] == '\n') {
                        ++line;
                    }
                    text += bytes[j++];
                }
                if (closed) {
                    cell = std::move(text);
                    i = j;
                    continue;
                }
                // An unclosed quote is text of its own line, as it stands.
                line = row.line;
            }
            const char ch = bytes[i++];
            if (ch == '\t') {
                row.cells.emplace_back();
            } else if (ch == '\n') {
                ended = true;
            } else if (ch == '\r' && i < bytes.size() && bytes[i] == '\n') {
                ++i;
                ended = true;
            } else {
                cell += ch;
            }
        }
        ++line;
        rows.push_back(std::move(row));
    }
    return rows;
}

Field fieldNamed(std::string_view heading) {
    const std::string h = foldedCopy(heading);
    if (h == "category") {
        return Field::Category;
    }
    if (h == "item") {
        return Field::Item;
    }
    if (h == "weight" || h.starts_with("weight (")) {
        return Field::Weight;
    }
    if (h == "qty" || h == "multiply by" || h == "quantity") {
        return Field::Multiplier;
    }
    if (h == "notes") {
        return Field::Notes;
    }
    return Field::None;
}

int userColumnNamed(std::string_view heading, const std::vector<std::string>& headings) {
    for (std::size_t k = 0; k < headings.size(); ++k) {
        if (equalNoCase(headings[k], heading)) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// Why a record cannot be stored as it stands, or nothing.
std::optional<std::string> widthRefusal(const ClipRecord& c) {
    const auto tooLong = [](std::string_view what) {
        return std::string(what) + " longer than its field";
    };
    // A record of a list may carry a longer category than the category list keeps; typed text
    // may not.
    if (c.category.size() > (c.line > 0 ? kMaxCategoryLength : sizeof(sPubInfo::category) - 1)) {
        return tooLong("category");
    }
    if (c.item.size() > kMaxItemLength) {
        return tooLong("item");
    }
    if (c.notes.size() > kMaxNotesLength) {
        return tooLong("notes");
    }
    if (c.unitWeight.size() > kMaxUnitWeightLength || c.multiplier.size() > kMaxMultiplierLength) {
        return tooLong("weight");
    }
    for (const auto& [heading, text] : c.columns) {
        if (text.size() > kMaxColumnTextLength) {
            return tooLong(heading);
        }
    }
    if (!c.group && !lineWeightText(c.unitWeight, c.multiplier)) {
        return std::string("line weight too large");
    }
    return std::nullopt;
}

// Tabs and line ends, which a spreadsheet's cell may hold, would break the list's one line and
// the data file's category lines.
std::string oneLine(std::string_view text) {
    std::string out(text);
    std::replace_if(
        out.begin(), out.end(), [](char ch) { return ch == '\t' || ch == '\r' || ch == '\n'; },
        ' ');
    return out;
}

std::unique_ptr<sPubInfo> makeRecord(const ClipRecord& c,
                                     const std::vector<std::string>& userHeadings) {
    ItemFields fields{oneLine(c.category), oneLine(c.item), oneLine(c.notes),
                      c.unitWeight,        c.multiplier,    {}};
    fields.columnTexts.resize(userHeadings.size());
    for (std::size_t k = 0; k < userHeadings.size(); ++k) {
        fields.columnTexts[k] = oneLine(columnOf(c, userHeadings[k]));
    }
    auto record = makeItemRecord(fields, static_cast<int>(userHeadings.size()));
    if (record) {
        record->selected = c.checked ? 1 : 0;
    }
    return record;
}

// The name itself when free, else the first "name (n)" that is.
std::string freeGroupName(const GearDocument& document, const std::string& name) {
    if (!groupNameRefusal(document, name)) {
        return name;
    }
    for (int n = 2;; ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        const std::string candidate =
            name.substr(0, kMaxGroupNameLength - std::min(kMaxGroupNameLength, suffix.size())) +
            suffix;
        if (!groupNameRefusal(document, candidate)) {
            return candidate;
        }
    }
}

std::string recordName(const ClipRecord& c) {
    return c.line > 0 ? std::string() : "\"" + c.item + "\": ";
}

} // namespace

ClipRows copyRows(const GearDocument& document, std::vector<int> rows,
                  const std::vector<std::string>& userHeadings) {
    ClipRows out;
    out.metric = document.metric;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int r : rows) {
        if (r < 0 || r >= document.rowCount()) {
            continue;
        }
        const GearRow& row = document.row(r);
        if (row.isMemberRow()) {
            const int g = groupRowOfMember(document, r);
            if (std::binary_search(rows.begin(), rows.end(), g)) {
                continue;
            }
            out.records.push_back(recordOf(*row.record, row.record->selected != 0, userHeadings));
            continue;
        }
        out.records.push_back(recordOf(*row.record, row.checked(), userHeadings));
    }
    return out;
}

std::string ownFormBytes(const ClipRows& rows) {
    std::string out(kOwnFormFirstLine);
    out += rows.metric ? "\nunit\tgrams\n" : "\nunit\tounces\n";
    for (const ClipRecord& c : rows.records) {
        writeOwnLine(out, c.group ? "group" : "item", c);
        for (const ClipRecord& m : c.members) {
            writeOwnLine(out, "member", m);
        }
    }
    return out;
}

bool readOwnForm(std::string_view bytes, bool metric, ClipRows& out) {
    out = {};
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    if (lines.size() < 2 || lines[0] != kOwnFormFirstLine) {
        return false;
    }
    if (lines[1] == "unit\tgrams") {
        out.metric = true;
    } else if (lines[1] != "unit\tounces") {
        return false;
    }
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const std::vector<std::string> cells = splitEscaped(lines[i]);
        ClipRecord c;
        if (!readOwnLine(cells, c)) {
            return false;
        }
        if (cells[0] == "member") {
            if (out.records.empty() || !out.records.back().group) {
                return false;
            }
            out.records.back().members.push_back(std::move(c));
            continue;
        }
        if (cells[0] != "item" && cells[0] != "group") {
            return false;
        }
        c.group = cells[0] == "group";
        out.records.push_back(std::move(c));
    }
    // A group is never without members.
    std::erase_if(out.records, [](const ClipRecord& c) { return c.group && c.members.empty(); });
    if (out.metric != metric) {
        const double factor = metric ? kGramsPerOunce : 1.0 / kGramsPerOunce;
        for (ClipRecord& c : out.records) {
            convertRecord(c, factor);
        }
        out.metric = metric;
    }
    return true;
}

std::string textForm(const ClipRows& rows, const std::vector<std::string>& userHeadings) {
    std::string out;
    const auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            out += (i > 0 ? "\t" : "") + textCell(cells[i]);
        }
        out += "\r\n";
    };
    line(headingCells(userHeadings));
    forEachItem(rows, [&](const ClipRecord& c) { line(cellsOf(c, userHeadings)); });
    return out;
}

std::string htmlForm(const ClipRows& rows, const std::vector<std::string>& userHeadings) {
    std::string out = "<table>\r\n<tr>";
    for (const std::string& h : headingCells(userHeadings)) {
        out += "<th>" + htmlEscaped(h) + "</th>";
    }
    out += "</tr>\r\n";
    forEachItem(rows, [&](const ClipRecord& c) {
        out += "<tr>";
        const std::vector<std::string> cells = cellsOf(c, userHeadings);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            out += i == 2 || i == 3 ? "<td align=\"right\">" : "<td>";
            out += htmlEscaped(cells[i]) + "</td>";
        }
        out += "</tr>\r\n";
    });
    return out + "</table>\r\n";
}

TextRows readTextForm(std::string_view bytes, const std::vector<std::string>& userHeadings) {
    TextRows out;
    std::vector<TextRow> rows = splitTextRows(bytes);
    // Where each cell goes: a field, or user column k.
    std::vector<std::pair<Field, int>> layout;
    std::size_t first = 0;
    if (!rows.empty()) {
        bool heading = false;
        for (const std::string& cell : rows[0].cells) {
            const Field f = fieldNamed(trimmed(cell));
            heading = heading || f == Field::Item || f == Field::Weight;
        }
        if (heading) {
            first = 1;
            for (const std::string& cell : rows[0].cells) {
                const std::string name = trimmed(cell);
                Field f = fieldNamed(name);
                int k = -1;
                if (f == Field::None && !name.empty()) {
                    k = userColumnNamed(name, userHeadings);
                    if (k >= 0) {
                        f = Field::User;
                    } else if (std::none_of(
                                   out.unknownHeadings.begin(), out.unknownHeadings.end(),
                                   [&](const std::string& u) { return equalNoCase(u, name); })) {
                        out.unknownHeadings.push_back(name);
                    }
                }
                layout.emplace_back(f, f == Field::None ? -2 - static_cast<int>(layout.size()) : k);
            }
        }
    }
    if (first == 0) {
        for (const Field f :
             {Field::Category, Field::Item, Field::Weight, Field::Multiplier, Field::Notes}) {
            layout.emplace_back(f, -1);
        }
        for (std::size_t k = 0; k < userHeadings.size(); ++k) {
            layout.emplace_back(Field::User, static_cast<int>(k));
        }
    }
    const auto headingOf = [&](std::size_t i) { return trimmed(rows[0].cells[i]); };
    for (std::size_t r = first; r < rows.size(); ++r) {
        const TextRow& row = rows[r];
        if (std::all_of(row.cells.begin(), row.cells.end(),
                        [](const std::string& c) { return trimmed(c).empty(); })) {
            continue;
        }
        ClipRecord c;
        c.line = row.line;
        c.checked = true;
        std::string weight;
        std::string qty;
        bool extra = false;
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            const std::string& cell = row.cells[i];
            if (i >= layout.size()) {
                extra = extra || !trimmed(cell).empty();
                continue;
            }
            switch (layout[i].first) {
            case Field::Category:
                c.category = trimmed(cell);
                break;
            case Field::Item:
                c.item = cell;
                break;
            case Field::Weight:
                weight = trimmed(cell);
                break;
            case Field::Multiplier:
                qty = trimmed(cell);
                break;
            case Field::Notes:
                c.notes = cell;
                break;
            case Field::User:
                if (!cell.empty()) {
                    c.columns.emplace_back(
                        first == 1 ? headingOf(i)
                                   : userHeadings[static_cast<std::size_t>(layout[i].second)],
                        cell);
                }
                break;
            case Field::None:
                if (!cell.empty() && first == 1 && !headingOf(i).empty()) {
                    c.columns.emplace_back(headingOf(i), cell);
                }
                break;
            }
        }
        const auto w = weight.empty() ? std::optional<double>(0.0) : lighterPackNumber(weight);
        const auto q = qty.empty() ? std::optional<double>(1.0) : lighterPackNumber(qty);
        std::optional<std::string> why;
        if (extra) {
            why = "more cells than columns";
        } else if (!w) {
            why = "the weight \"" + weight + "\" is not a number";
        } else if (!q || *q <= 0.0) {
            why = "the quantity \"" + qty + "\" is not a number above 0";
        }
        if (!why) {
            c.multiplier = qty.empty() ? "1" : qty;
            // The weight shown is the line weight: the unit weight is its share of one.
            c.unitWeight = formatWeight(*w / *q);
            if (c.category.empty()) {
                c.category = "Unfiled";
            }
            why = widthRefusal(c);
        }
        if (why) {
            out.unreadable.push_back({row.line, *why});
            continue;
        }
        const auto line = lineWeightText(c.unitWeight, c.multiplier);
        c.weight = line ? *line : std::string();
        out.records.push_back(std::move(c));
    }
    return out;
}

std::vector<std::string> missingHeadings(const std::vector<ClipRecord>& records,
                                         const std::vector<std::string>& userHeadings) {
    std::vector<std::string> missing;
    const auto visit = [&](const ClipRecord& c, const auto& self) -> void {
        for (const auto& [heading, text] : c.columns) {
            if (userColumnNamed(heading, userHeadings) < 0 &&
                userColumnNamed(heading, missing) < 0) {
                missing.push_back(heading);
            }
        }
        for (const ClipRecord& m : c.members) {
            self(m, self);
        }
    };
    for (const ClipRecord& c : records) {
        visit(c, visit);
    }
    return missing;
}

PasteOutcome pasteRecords(GearDocument& document, const std::vector<ClipRecord>& records,
                          const std::vector<std::string>& userHeadings) {
    PasteOutcome out;
    const auto categoryReady = [&](const ClipRecord& record) -> std::optional<std::string> {
        const std::string category = oneLine(record.category);
        if (isUnfiled(category)) {
            return std::nullopt;
        }
        for (const sCategory60& known : document.categoryList) {
            if (known.nameText() == category) {
                return std::nullopt;
            }
        }
        const CategoryAddOutcome added = addCategory(document, category);
        if (added.added()) {
            document.categoryChoices.push_back({added.name, added.id});
            out.newCategories.push_back(added.name);
            return std::nullopt;
        }
        if (added.status == CategoryAddOutcome::Status::AlreadyPresent) {
            return std::nullopt;
        }
        return "no room for the category \"" + category + "\"";
    };
    bool any = false;
    for (const ClipRecord& c : records) {
        std::optional<std::string> why = widthRefusal(c);
        for (const ClipRecord& m : c.members) {
            why = why ? why : widthRefusal(m);
        }
        if (!why) {
            why = categoryReady(c);
        }
        for (const ClipRecord& m : c.members) {
            why = why ? why : categoryReady(m);
        }
        auto record = why ? nullptr : makeRecord(c, userHeadings);
        if (!record) {
            out.refused.push_back({c.line, recordName(c) + (why ? *why : "not stored")});
            continue;
        }
        if (c.group) {
            const std::string name = freeGroupName(document, oneLine(c.item));
            setField(record->item, name);
            setField(record->collapsedLabel, "+ " + name);
            setField(record->expandedLabel, "- " + name);
            // A group row's own weight fields are as they came.
            setField(record->unitWeight, c.unitWeight);
            setField(record->weight, c.weight);
            record->members = std::make_unique<CMMIList<sPubInfo>>();
            // `add` puts in front: the last member goes in first.
            for (auto m = c.members.rbegin(); m != c.members.rend(); ++m) {
                auto member = makeRecord(*m, userHeadings);
                if (!member) {
                    continue;
                }
                member->inGroup = 1;
                member->group = record.get();
                record->members->add(std::move(member));
            }
            record->updateGroupWeight();
            document.groupNames.add(std::make_unique<std::string>(name));
        }
        out.pasted.push_back(record.get());
        document.insertRecord(std::move(record));
        any = true;
    }
    if (any) {
        document.setSelectedTotal(checkedRowsTotal(document));
        if (document.sortedView) {
            // Sorting turns the direction round first; turning it round keeps the one shown.
            auto& ascending = document.sortAscending[columnSlot(ColumnIndex::Weight)];
            ascending = ascending ? 0 : 1;
            document.sortByColumn(columnNumber(ColumnIndex::Weight));
        }
    }
    return out;
}

std::string pasteReport(const std::vector<ClipNote>& unreadable,
                        const std::vector<ClipNote>& refused) {
    std::string out;
    for (const auto* notes : {&unreadable, &refused}) {
        for (const ClipNote& note : *notes) {
            out += note.line > 0 ? "\n  line " + std::to_string(note.line) + ": " + note.text
                                 : "\n  " + note.text;
        }
    }
    return out.empty() ? out : "Not pasted:" + out;
}

} // namespace varnel
