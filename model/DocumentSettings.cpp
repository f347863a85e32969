#include "model/DocumentSettings.h"

#include "model/ByteOrder.h"
#include "model/ColumnIndex.h"
#include "model/SettingsTable.h"
#include "model/WeightText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace varnel {

namespace {

constexpr std::string_view kColumns = "COLUMNS";
constexpr std::string_view kColors = "COLORS";
constexpr std::string_view kMisc = "MISC";
constexpr std::string_view kExport = "EXPORT";
constexpr std::string_view kSummary = "SUMMARY";
// The largest goal whose "%.2f" fits a weight field.
constexpr double kLargestGoal = 999999.99;

std::size_t columnCount(std::int32_t userColumns) {
    return kFixedColumns + static_cast<std::size_t>(std::clamp(userColumns, 0, kMaxUserColumns));
}

std::vector<std::int32_t> int32s(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::int32_t> values(bytes.size() / 4);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = getInt32(bytes.data() + 4 * i);
    }
    return values;
}

std::vector<std::uint8_t> bytesOf(const std::vector<std::int32_t>& values) {
    std::vector<std::uint8_t> bytes(values.size() * 4);
    for (std::size_t i = 0; i < values.size(); ++i) {
        putInt32(bytes.data() + 4 * i, values[i]);
    }
    return bytes;
}

std::vector<ColumnRecord> columnRecords(const std::vector<std::uint8_t>& bytes) {
    std::vector<ColumnRecord> records;
    records.reserve(bytes.size() / ColumnRecord::kSize);
    for (std::size_t at = 0; at + ColumnRecord::kSize <= bytes.size(); at += ColumnRecord::kSize) {
        records.push_back(ColumnRecord::decode(bytes.data() + at));
    }
    return records;
}

bool isPermutation(const std::vector<std::int32_t>& order) {
    std::vector<bool> seen(order.size());
    for (std::int32_t index : order) {
        if (index < 0 || static_cast<std::size_t>(index) >= order.size() || seen[index]) {
            return false;
        }
        seen[index] = true;
    }
    return true;
}

// The column layout: MAINCOLDATA, and the blocks sized by the user column count.

void readFixedColumns(const IniFile& ini, std::string_view section, std::string_view key,
                      DocumentSettings& s) {
    if (auto bytes = ini.readStruct(section, key, kFixedColumns * ColumnRecord::kSize)) {
        const auto records = columnRecords(*bytes);
        std::copy(records.begin(), records.end(), s.fixedColumns.begin());
    }
}

void writeFixedColumns(IniFile& ini, std::string_view section, std::string_view key,
                       const DocumentSettings& s) {
    std::vector<std::uint8_t> main(kFixedColumns * ColumnRecord::kSize);
    for (std::size_t i = 0; i < kFixedColumns; ++i) {
        ColumnRecord record = s.fixedColumns[i];
        record.order = 0;
        record.encode(main.data() + i * ColumnRecord::kSize);
    }
    ini.writeStruct(section, key, main);
}

void readUserColumnCount(const IniFile& ini, std::string_view section, std::string_view key,
                         DocumentSettings& s) {
    // A count beyond the list's column slots would size every block after it; such a file is
    // damaged, so the count is not taken.
    if (auto n = ini.readInt32(section, key); n && *n >= 0 && *n <= kMaxUserColumns) {
        s.userColumns = *n;
    }
    s.userColumns = std::clamp(s.userColumns, 0, kMaxUserColumns);
}

void writeUserColumnCount(IniFile& ini, std::string_view section, std::string_view key,
                          const DocumentSettings& s) {
    ini.writeInt32(section, key,
                   static_cast<std::int32_t>(columnCount(s.userColumns) - kFixedColumns));
}

void readColumnWidths(const IniFile& ini, std::string_view section, std::string_view key,
                      DocumentSettings& s) {
    const std::size_t columns = columnCount(s.userColumns);
    if (auto bytes = ini.readStruct(section, key, columns * 4)) {
        const auto widths = int32s(*bytes);
        if (s.columnWidths.size() < std::max(columns, kColumnSlots)) {
            s.columnWidths.resize(std::max(columns, kColumnSlots), 0);
        }
        std::copy(widths.begin(), widths.end(), s.columnWidths.begin());
    }
}

void writeColumnWidths(IniFile& ini, std::string_view section, std::string_view key,
                       const DocumentSettings& s) {
    const std::size_t columns = columnCount(s.userColumns);
    std::vector<std::int32_t> widths(columns, 0);
    std::copy_n(s.columnWidths.begin(), std::min(columns, s.columnWidths.size()), widths.begin());
    ini.writeStruct(section, key, bytesOf(widths));
}

void readUserColumnRecords(const IniFile& ini, std::string_view section, std::string_view key,
                           DocumentSettings& s) {
    // Without definition records no user columns are shown, whatever the count says; the rows
    // keep their texts, so nothing is lost. Records from another document must never stay.
    s.userColumnRecords.clear();
    if (s.userColumns == 0) {
        return;
    }
    if (auto bytes = ini.readStruct(
            section, key, (columnCount(s.userColumns) - kFixedColumns) * ColumnRecord::kSize)) {
        s.userColumnRecords = columnRecords(*bytes);
        return;
    }
    s.userColumns = 0;
    // Widths of columns that are not there would come back as nothing after a save.
    if (s.columnWidths.size() > kFixedColumns) {
        std::fill(s.columnWidths.begin() + kFixedColumns, s.columnWidths.end(), 0);
    }
}

void writeUserColumnRecords(IniFile& ini, std::string_view section, std::string_view key,
                            const DocumentSettings& s) {
    const std::size_t userColumns = columnCount(s.userColumns) - kFixedColumns;
    std::vector<std::uint8_t> data(userColumns * ColumnRecord::kSize);
    for (std::size_t i = 0; i < userColumns; ++i) {
        const ColumnRecord record =
            i < s.userColumnRecords.size() ? s.userColumnRecords[i] : ColumnRecord{};
        record.encode(data.data() + i * ColumnRecord::kSize);
    }
    ini.writeStruct(section, key, data);
}

void readColumnOrder(const IniFile& ini, std::string_view section, std::string_view key,
                     DocumentSettings& s) {
    s.columnOrder.clear();
    if (auto bytes = ini.readStruct(section, key, columnCount(s.userColumns) * 4)) {
        auto order = int32s(*bytes);
        if (isPermutation(order)) {
            s.columnOrder = std::move(order);
        }
    }
    if (s.columnOrder.empty()) {
        s.columnOrder = orderFromColumnRecords(s.userColumnRecords);
    }
}

void writeColumnOrder(IniFile& ini, std::string_view section, std::string_view key,
                      const DocumentSettings& s) {
    const std::size_t columns = columnCount(s.userColumns);
    std::vector<std::int32_t> order = s.columnOrder;
    if (order.size() != columns || !isPermutation(order)) {
        order.resize(columns);
        for (std::size_t i = 0; i < columns; ++i) {
            order[i] = static_cast<std::int32_t>(i);
        }
    }
    ini.writeStruct(section, key, bytesOf(order));
}

using Row = SettingRow<DocumentSettings>;
using Codec = SettingCodec<DocumentSettings>;
using Kind = SettingKind;

// Every key, in the order they are written; a section of ours goes last, after every section the
// file had. The blocks sized by USERCOLS are read after it:
// count, widths, records (whose absence drops the columns), then the order they allow.
constexpr Row kRows[] = {
    {kColumns, "MAINCOLDATA", Kind::Custom, Codec{readFixedColumns, writeFixedColumns}},
    {kColors, "BACKCOLOR", Kind::Colour, &DocumentSettings::backColor},
    {kColors, "ALTCOLOR", Kind::Colour, &DocumentSettings::altColor},
    {kColors, "GROUPCOLOR", Kind::Colour, &DocumentSettings::groupColor},
    {.section = kMisc,
     .key = "COORDS",
     .kind = Kind::Rect,
     .member = &DocumentSettings::coords,
     .stored = Stored::WhileKnown},
    {.section = kColumns,
     .key = "COLWIDTHS",
     .kind = Kind::Custom,
     .member = Codec{readColumnWidths, writeColumnWidths},
     .readStep = 2},
    {.section = kColumns,
     .key = "COLORDER",
     .kind = Kind::Custom,
     .member = Codec{readColumnOrder, writeColumnOrder},
     .readStep = 4},
    // A file without a readable OZ means ounces.
    {.section = kMisc,
     .key = "OZ",
     .kind = Kind::Flag,
     .member = &DocumentSettings::metric,
     .missing = Missing::Empties},
    {.section = kColumns,
     .key = "USERCOLS",
     .kind = Kind::Custom,
     .member = Codec{readUserColumnCount, writeUserColumnCount},
     .readStep = 1},
    {.section = kColumns,
     .key = "COLDATA",
     .kind = Kind::Custom,
     .member = Codec{readUserColumnRecords, writeUserColumnRecords},
     .readStep = 3},
    {kMisc, "TOTALCATS", Kind::Int32, &DocumentSettings::totalCats},
    {kMisc, "TOTALAll", Kind::Int32, &DocumentSettings::totalAll},
    {kMisc, "PRINTNOTES", Kind::Int32, &DocumentSettings::printNotes},
    {kExport, "TEXTFILE", Kind::Text, &DocumentSettings::textFile},
    {kExport, "COMMAFILE", Kind::Text, &DocumentSettings::commaFile},
    {kExport, "HTMLFILE", Kind::Text, &DocumentSettings::htmlFile},
    {kExport, "XMLFILE", Kind::Text, &DocumentSettings::xmlFile},
    {kExport, "EXPORTNOTES", Kind::Int32, &DocumentSettings::exportNotes},
    {.section = kExport,
     .key = "TITLE",
     .kind = Kind::Text,
     .member = &DocumentSettings::title,
     .limit = kMaxTitleLength},
    {kExport, "EXPORTCOLUMNS", Kind::Int32, &DocumentSettings::exportColumns},
    {.section = kExport,
     .key = "LIGHTERPACKFILE",
     .kind = Kind::Text,
     .member = &DocumentSettings::lighterPackFile,
     .stored = Stored::WhileSet},
    {kMisc, "FONT", Kind::Font, &DocumentSettings::font},
    {kMisc, "FONTSIZE", Kind::Int32, &DocumentSettings::fontSize},
    // Last, so that a new section of ours comes after every section the file had. A goal belongs
    // to its document: one without a goal has none.
    {.section = kSummary,
     .key = "BASEGOAL",
     .kind = Kind::Text,
     .member = &DocumentSettings::baseGoal,
     .stored = Stored::WhileSet,
     .missing = Missing::Empties},
};
static_assert(kindsMatchMembers<DocumentSettings>(kRows));

} // namespace

std::optional<double> goalValue(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    double value = 0.0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc{} || end != text.data() + text.size() || !(value >= 0.0) ||
        value > kLargestGoal) {
        return std::nullopt;
    }
    return value;
}

std::string convertedGoal(std::string_view goal, bool toMetric) {
    const auto value = goalValue(goal);
    if (!value) {
        return std::string(goal);
    }
    // The factors Convert gives the weights, in the same precision.
    const auto u = static_cast<float>(*value);
    const double converted = toMetric ? static_cast<double>(28.375F * u) : 0.03524 * u;
    return formatWeight(std::min(converted, kLargestGoal));
}

std::string weightHeading(bool metric) {
    return metric ? "Weight (gm)" : "Weight (oz)";
}

std::vector<std::int32_t> DocumentSettings::defaultColumnWidths() {
    std::vector<std::int32_t> widths(kColumnSlots, 0);
    std::fill_n(widths.begin(), kFixedColumns, 100);
    return widths;
}

std::filesystem::path documentSettingsPath(const std::filesystem::path& document,
                                           const std::filesystem::path& currentFolder) {
    if (document.empty()) {
        return currentFolder / "GearData.ini";
    }
    auto path = document;
    return path.replace_extension(".ini");
}

std::optional<std::uint32_t> readColour(const IniFile& ini, std::string_view key) {
    return settings_detail::read(ini, kColors, key, 0, static_cast<std::uint32_t*>(nullptr));
}

void writeColour(IniFile& ini, std::string_view key, std::uint32_t colour) {
    settings_detail::write(ini, kColors, key, 0, colour);
}

std::vector<std::int32_t> orderFromColumnRecords(const std::vector<ColumnRecord>& userColumns) {
    const std::size_t columns = kFixedColumns + userColumns.size();
    std::vector<std::int32_t> order(columns, -1);
    bool moved = false;
    for (std::size_t i = 0; i < userColumns.size(); ++i) {
        const std::int32_t place = userColumns[i].order;
        if (place < 0 || static_cast<std::size_t>(place) >= columns ||
            order[static_cast<std::size_t>(place)] != -1) {
            return {};
        }
        order[static_cast<std::size_t>(place)] = static_cast<std::int32_t>(kFixedColumns + i);
        moved = moved || static_cast<std::size_t>(place) != kFixedColumns + i;
    }
    if (!moved) {
        return {};
    }
    // The fixed columns take the places left, in their own order.
    std::int32_t next = 0;
    for (std::int32_t& slot : order) {
        if (slot == -1) {
            slot = next++;
        }
    }
    return order;
}

void readDocumentSettings(const IniFile& ini, DocumentSettings& s) {
    readSettings(ini, kRows, s);
    // The heading follows OZ, whatever MAINCOLDATA holds.
    s.fixedColumns[columnSlot(ColumnIndex::Weight)].heading = weightHeading(s.metric);
}

void writeDocumentSettings(IniFile& ini, const DocumentSettings& s) {
    writeSettings(ini, kRows, s);
}

void writeDefaultFont(IniFile& ini, std::int32_t fontSize, int dpi) {
    DocumentSettings s;
    s.font = LogFont::defaultPrintingFont(dpi);
    s.fontSize = fontSize;
    for (const Row& row : kRows) {
        if (row.kind == Kind::Font ||
            row.member == SettingMember<DocumentSettings>(&DocumentSettings::fontSize)) {
            writeSettingRow(ini, row, s);
        }
    }
}

} // namespace varnel
