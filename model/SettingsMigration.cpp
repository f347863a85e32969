#include "model/SettingsMigration.h"

#include "model/ByteOrder.h"

namespace varnel {

namespace {

constexpr std::string_view kColumns = "COLUMNS";
constexpr std::string_view kMisc = "MISC";
constexpr std::string_view kExport = "EXPORT";

// The list's column slots bound every per-column block; a longer value is damaged.
constexpr std::size_t kMaxColumnBlock = kColumnSlots * 4;
constexpr std::size_t kMaxColumnData = static_cast<std::size_t>(kMaxUserColumns) * 49;

bool isColumnBlock(const std::vector<std::uint8_t>& bytes) {
    return !bytes.empty() && bytes.size() % 4 == 0 && bytes.size() <= kMaxColumnBlock;
}

class Writer {
public:
    Writer(IniFile& ini, MigrationReport& report) : ini_(ini), report_(report) {}

    void bytes(std::string_view section, std::string_view key,
               std::span<const std::uint8_t> value) {
        ini_.writeStruct(section, key, value);
        report_.steps.emplace_back(key);
    }
    void int32(std::string_view section, std::string_view key, std::int32_t value) {
        ini_.writeInt32(section, key, value);
        report_.steps.emplace_back(key);
    }
    void text(std::string_view section, std::string_view key, std::string_view value) {
        ini_.writeString(section, key, value);
        report_.steps.emplace_back(key);
    }
    void defaultFont(std::int32_t size, int dpi) {
        writeDefaultFont(ini_, size, dpi);
        report_.steps.emplace_back("FONT");
        report_.steps.emplace_back("FONTSIZE");
    }
    void askUnit(const std::function<bool()>& askMetric) {
        report_.askedForUnit = true;
        report_.steps.emplace_back(kWeightDialogStep);
        report_.metric = askMetric ? askMetric() : false;
        // The choice is stored at once: a settings file without OZ reads as ounces.
        oz(report_.metric);
    }
    void oz(bool metric) {
        report_.metric = metric;
        const std::uint8_t value[1] = {static_cast<std::uint8_t>(metric ? 1 : 0)};
        bytes(kMisc, "OZ", value);
    }

private:
    IniFile& ini_;
    MigrationReport& report_;
};

std::vector<std::uint8_t> defaultWidths() {
    std::vector<std::uint8_t> bytes(kFixedColumns * 4);
    for (std::size_t i = 0; i < kFixedColumns; ++i) {
        putInt32(bytes.data() + 4 * i, 100);
    }
    return bytes;
}

} // namespace

MigrationReport migrateSettings(const RegistrySource& registry, IniFile& settings,
                                const DocumentSettings& current,
                                const std::function<bool()>& askMetric, int dpi) {
    MigrationReport report;
    Writer w(settings, report);
    const auto key = registry.open(kSettingsRegistryKey);
    if (!key) {
        w.defaultFont(current.fontSize, dpi);
        w.askUnit(askMetric);
        w.int32(kColumns, "USERCOLS", 0);
        w.bytes(kColumns, "COLWIDTHS", defaultWidths());
        return report;
    }
    report.registryFound = true;

    auto dwordOr = [&key](std::string_view name, std::int32_t fallback) {
        const auto value = key->dword(name);
        return value ? static_cast<std::int32_t>(*value) : fallback;
    };

    if (auto coords = key->binary("Coords"); coords && coords->size() == 16) {
        w.bytes(kMisc, "COORDS", *coords);
    }
    if (auto cols = key->binary("Cols"); cols && isColumnBlock(*cols)) {
        w.bytes(kColumns, "COLWIDTHS", *cols);
    } else {
        w.bytes(kColumns, "COLWIDTHS", defaultWidths());
    }
    if (auto order = key->binary("ColOrder"); order && isColumnBlock(*order)) {
        w.bytes(kColumns, "COLORDER", *order);
    }
    if (auto oz = key->dword("Oz")) {
        w.oz(*oz != 0);
    } else {
        w.askUnit(askMetric);
    }
    std::int32_t userColumns = dwordOr("UserColumns", current.userColumns);
    if (userColumns < 0 || userColumns > kMaxUserColumns) {
        userColumns = current.userColumns;
    }
    w.int32(kColumns, "USERCOLS", userColumns);
    if (auto data = key->binary("ColData"); data && data->size() <= kMaxColumnData) {
        w.bytes(kColumns, "COLDATA", *data);
    }
    w.int32(kMisc, "TOTALCATS", dwordOr("TotalCategories", current.totalCats));
    w.int32(kMisc, "TOTALAll", dwordOr("TotalAll", current.totalAll));
    w.int32(kMisc, "PRINTNOTES", dwordOr("PrintNotes", current.printNotes));
    w.text(kExport, "TEXTFILE", key->string("TextFile").value_or(current.textFile));
    w.text(kExport, "COMMAFILE", key->string("CommaFile").value_or(current.commaFile));
    w.text(kExport, "HTMLFILE", key->string("HTMLFile").value_or(current.htmlFile));
    w.text(kExport, "XMLFILE", key->string("XMLFile").value_or(current.xmlFile));
    w.int32(kExport, "EXPORTNOTES", dwordOr("ExportNotes", current.exportNotes));
    w.int32(kExport, "EXPORTCOLUMNS", current.exportColumns);
    w.text(kExport, "TITLE", std::string_view(current.title).substr(0, kMaxTitleLength));
    const std::int32_t fontSize = dwordOr("FontSize", kDefaultFontSize);
    w.int32(kMisc, "FONTSIZE", fontSize);
    if (auto font = key->binary("Font"); font && font->size() == LogFont::kSize) {
        w.bytes(kMisc, "FONT", *font);
    } else {
        w.defaultFont(fontSize, dpi);
    }
    return report;
}

} // namespace varnel
