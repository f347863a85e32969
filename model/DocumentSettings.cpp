#include "model/DocumentSettings.h"

#include "model/ByteOrder.h"
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
constexpr std::string_view kBaseGoal = "BASEGOAL";
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

void readInt(const IniFile& ini, std::string_view section, std::string_view key,
             std::int32_t& value) {
    if (auto v = ini.readInt32(section, key)) {
        value = *v;
    }
}

void readText(const IniFile& ini, std::string_view key, std::string& value) {
    if (auto v = ini.readString(kExport, key)) {
        value = std::move(*v);
    }
}

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
    const auto value = ini.readInt32(kColors, key);
    if (!value || *value == 0) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

void writeColour(IniFile& ini, std::string_view key, std::uint32_t colour) {
    ini.writeInt32(kColors, key, static_cast<std::int32_t>(colour));
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
    if (auto bytes = ini.readStruct(kColumns, "MAINCOLDATA", kFixedColumns * ColumnRecord::kSize)) {
        const auto records = columnRecords(*bytes);
        std::copy(records.begin(), records.end(), s.fixedColumns.begin());
    }
    // Black is no list colour: a stored 0 counts as not stored, as it does at start-up.
    if (auto c = readColour(ini, "ALTCOLOR")) {
        s.altColor = *c;
    }
    if (auto c = readColour(ini, "BACKCOLOR")) {
        s.backColor = *c;
    }
    if (auto c = readColour(ini, "GROUPCOLOR")) {
        s.groupColor = *c;
    }
    if (auto bytes = ini.readStruct(kMisc, "COORDS", 16)) {
        const auto v = int32s(*bytes);
        s.coords = std::array<std::int32_t, 4>{v[0], v[1], v[2], v[3]};
    }
    // A count beyond the list's column slots would size every block after it; such a file is
    // damaged, so the count is not taken.
    if (auto n = ini.readInt32(kColumns, "USERCOLS"); n && *n >= 0 && *n <= kMaxUserColumns) {
        s.userColumns = *n;
    }
    s.userColumns = std::clamp(s.userColumns, 0, kMaxUserColumns);
    const std::size_t columns = columnCount(s.userColumns);
    if (auto bytes = ini.readStruct(kColumns, "COLWIDTHS", columns * 4)) {
        const auto widths = int32s(*bytes);
        if (s.columnWidths.size() < std::max(columns, kColumnSlots)) {
            s.columnWidths.resize(std::max(columns, kColumnSlots), 0);
        }
        std::copy(widths.begin(), widths.end(), s.columnWidths.begin());
    }
    if (auto bytes = ini.readStruct(kMisc, "FONT", LogFont::kSize)) {
        s.font = LogFont::decode(bytes->data());
    }
    readInt(ini, kMisc, "FONTSIZE", s.fontSize);
    readInt(ini, kMisc, "TOTALCATS", s.totalCats);
    readInt(ini, kMisc, "TOTALAll", s.totalAll);
    readInt(ini, kMisc, "PRINTNOTES", s.printNotes);
    readText(ini, "TEXTFILE", s.textFile);
    readText(ini, "COMMAFILE", s.commaFile);
    readText(ini, "HTMLFILE", s.htmlFile);
    readText(ini, "XMLFILE", s.xmlFile);
    readText(ini, "LIGHTERPACKFILE", s.lighterPackFile);
    // A goal belongs to its document: one without a goal has none.
    s.baseGoal = ini.readString(kSummary, kBaseGoal).value_or(std::string());
    readInt(ini, kExport, "EXPORTNOTES", s.exportNotes);
    readInt(ini, kExport, "EXPORTCOLUMNS", s.exportColumns);
    readText(ini, "TITLE", s.title);
    if (s.title.size() > kMaxTitleLength) {
        s.title.resize(kMaxTitleLength);
    }
    // Without definition records no user columns are shown, whatever the count says; the rows
    // keep their texts, so nothing is lost. Records from another document must never stay.
    s.userColumnRecords.clear();
    if (s.userColumns > 0) {
        if (auto bytes = ini.readStruct(kColumns, "COLDATA",
                                        (columns - kFixedColumns) * ColumnRecord::kSize)) {
            s.userColumnRecords = columnRecords(*bytes);
        } else {
            s.userColumns = 0;
            // Widths of columns that are not there would come back as nothing after a save.
            if (s.columnWidths.size() > kFixedColumns) {
                std::fill(s.columnWidths.begin() + kFixedColumns, s.columnWidths.end(), 0);
            }
        }
    }
    const std::size_t shown = columnCount(s.userColumns);
    s.columnOrder.clear();
    if (auto bytes = ini.readStruct(kColumns, "COLORDER", shown * 4)) {
        auto order = int32s(*bytes);
        if (isPermutation(order)) {
            s.columnOrder = std::move(order);
        }
    }
    if (s.columnOrder.empty()) {
        s.columnOrder = orderFromColumnRecords(s.userColumnRecords);
    }
    const auto oz = ini.readStruct(kMisc, "OZ", 1);
    s.metric = oz && (*oz)[0] != 0;
    s.fixedColumns[2].heading = weightHeading(s.metric);
}

void writeDocumentSettings(IniFile& ini, const DocumentSettings& s) {
    const std::size_t columns = columnCount(s.userColumns);
    const std::size_t userColumns = columns - kFixedColumns;

    std::vector<std::uint8_t> main(kFixedColumns * ColumnRecord::kSize);
    for (std::size_t i = 0; i < kFixedColumns; ++i) {
        ColumnRecord record = s.fixedColumns[i];
        record.order = 0;
        record.encode(main.data() + i * ColumnRecord::kSize);
    }
    ini.writeStruct(kColumns, "MAINCOLDATA", main);
    writeColour(ini, "BACKCOLOR", s.backColor);
    writeColour(ini, "ALTCOLOR", s.altColor);
    writeColour(ini, "GROUPCOLOR", s.groupColor);
    if (s.coords) {
        ini.writeStruct(kMisc, "COORDS",
                        bytesOf({(*s.coords)[0], (*s.coords)[1], (*s.coords)[2], (*s.coords)[3]}));
    }

    std::vector<std::int32_t> widths(columns, 0);
    std::copy_n(s.columnWidths.begin(), std::min(columns, s.columnWidths.size()), widths.begin());
    ini.writeStruct(kColumns, "COLWIDTHS", bytesOf(widths));
    std::vector<std::int32_t> order = s.columnOrder;
    if (order.size() != columns || !isPermutation(order)) {
        order.resize(columns);
        for (std::size_t i = 0; i < columns; ++i) {
            order[i] = static_cast<std::int32_t>(i);
        }
    }
    ini.writeStruct(kColumns, "COLORDER", bytesOf(order));

    const std::uint8_t oz[1] = {static_cast<std::uint8_t>(s.metric ? 1 : 0)};
    ini.writeStruct(kMisc, "OZ", oz);
    ini.writeInt32(kColumns, "USERCOLS", static_cast<std::int32_t>(userColumns));
    std::vector<std::uint8_t> data(userColumns * ColumnRecord::kSize);
    for (std::size_t i = 0; i < userColumns; ++i) {
        const ColumnRecord record =
            i < s.userColumnRecords.size() ? s.userColumnRecords[i] : ColumnRecord{};
        record.encode(data.data() + i * ColumnRecord::kSize);
    }
    ini.writeStruct(kColumns, "COLDATA", data);

    ini.writeInt32(kMisc, "TOTALCATS", s.totalCats);
    ini.writeInt32(kMisc, "TOTALAll", s.totalAll);
    ini.writeInt32(kMisc, "PRINTNOTES", s.printNotes);
    ini.writeString(kExport, "TEXTFILE", s.textFile);
    ini.writeString(kExport, "COMMAFILE", s.commaFile);
    ini.writeString(kExport, "HTMLFILE", s.htmlFile);
    ini.writeString(kExport, "XMLFILE", s.xmlFile);
    ini.writeInt32(kExport, "EXPORTNOTES", s.exportNotes);
    ini.writeString(kExport, "TITLE", std::string_view(s.title).substr(0, kMaxTitleLength));
    ini.writeInt32(kExport, "EXPORTCOLUMNS", s.exportColumns);
    if (s.lighterPackFile.empty()) {
        ini.removeKey(kExport, "LIGHTERPACKFILE");
    } else {
        ini.writeString(kExport, "LIGHTERPACKFILE", s.lighterPackFile);
    }
    const auto font = s.font.encode();
    ini.writeStruct(kMisc, "FONT", font);
    ini.writeInt32(kMisc, "FONTSIZE", s.fontSize);
    // Last, so that a new section of ours comes after every section the file had.
    if (s.baseGoal.empty()) {
        if (ini.removeKey(kSummary, kBaseGoal)) {
            ini.removeLastSectionIfEmpty(kSummary);
        }
    } else {
        ini.writeString(kSummary, kBaseGoal, s.baseGoal);
    }
}

void writeDefaultFont(IniFile& ini, std::int32_t fontSize, int dpi) {
    const auto font = LogFont::defaultPrintingFont(dpi).encode();
    ini.writeStruct(kMisc, "FONT", font);
    ini.writeInt32(kMisc, "FONTSIZE", fontSize);
}

} // namespace varnel
