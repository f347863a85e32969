#pragma once
// Every display, print and export setting of a document, as held in memory and stored in the
// per-file settings file beside the document.

#include "model/ColumnRecord.h"
#include "model/IniFile.h"
#include "model/LogFont.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

inline constexpr std::uint32_t kDefaultBackColor = 0xE0FFFF;
inline constexpr std::uint32_t kDefaultAltColor = 0xC4FFFF;
inline constexpr std::uint32_t kDefaultGroupColor = 0x0099FF;

inline constexpr std::size_t kFixedColumns = 4;
// The list has room for 256 columns, four of them fixed.
inline constexpr std::size_t kColumnSlots = 256;
inline constexpr std::int32_t kMaxUserColumns =
    static_cast<std::int32_t>(kColumnSlots - kFixedColumns);
inline constexpr std::size_t kMaxTitleLength = 80;
inline constexpr std::int32_t kDefaultFontSize = 10;

// Heading of the weight column for the display unit.
std::string weightHeading(bool metric);

// A goal typed or stored: a whole plain number, blanks around it aside, from 0 up to what the
// weights can hold; nothing otherwise.
std::optional<double> goalValue(std::string_view text);

// The goal as Convert turns the weights into the other unit (`toMetric`: ounces to grams).
std::string convertedGoal(std::string_view goal, bool toMetric);

struct DocumentSettings {
    // Category, item, weight, notes.
    std::array<ColumnRecord, kFixedColumns> fixedColumns{{
        {"Category", ColumnRecord::kAlignLeft, 0},
        {"Item", ColumnRecord::kAlignCentre, 0},
        {weightHeading(false), ColumnRecord::kAlignLeft, 0},
        {"Notes", ColumnRecord::kAlignLeft, 0},
    }};
    std::int32_t userColumns = 0; // 0 .. kMaxUserColumns
    // After reading, exactly `userColumns` records, user column 1 first.
    std::vector<ColumnRecord> userColumnRecords;
    // Widths in pixels, fixed columns first; raw values (the list applies the low 16 bits).
    std::vector<std::int32_t> columnWidths = defaultColumnWidths();
    // The list's column order array; empty means the natural order. After reading, either empty
    // or a permutation of 0 .. 4 + userColumns - 1.
    std::vector<std::int32_t> columnOrder;
    std::uint32_t backColor = kDefaultBackColor;
    std::uint32_t altColor = kDefaultAltColor;
    std::uint32_t groupColor = kDefaultGroupColor;
    std::optional<std::array<std::int32_t, 4>> coords; // left, top, right, bottom
    bool metric = false;                               // grams rather than ounces
    LogFont font = LogFont::defaultPrintingFont();
    std::int32_t fontSize = kDefaultFontSize;
    std::int32_t totalCats = 1;
    std::int32_t totalAll = 1;
    std::int32_t printNotes = 1;
    std::string textFile;
    std::string commaFile;
    std::string htmlFile;
    std::string xmlFile;
    // Ours, not read by older programs: stored only while it is set, so that a settings file
    // without it keeps every byte.
    std::string lighterPackFile;
    std::int32_t exportNotes = 0;
    std::int32_t exportColumns = 0;
    std::string title; // at most kMaxTitleLength bytes
    // Ours, like lighterPackFile: the base-weight goal in the document's unit as stored ("%.2f"),
    // empty when there is none. A text that is no goal (see goalValue) is kept as it is.
    std::string baseGoal;

    static std::vector<std::int32_t> defaultColumnWidths();

    friend bool operator==(const DocumentSettings&, const DocumentSettings&) = default;
};

// The per-file settings file of a document: its name with the extension ".ini", or
// "GearData.ini" in `currentFolder` when there is no document name.
std::filesystem::path documentSettingsPath(const std::filesystem::path& document,
                                           const std::filesystem::path& currentFolder);

// The column order the user columns' stored display positions give, for settings without a usable
// order array; empty when those positions are the natural order or do not fit together.
std::vector<std::int32_t> orderFromColumnRecords(const std::vector<ColumnRecord>& userColumns);

// Reads every key that is there; a missing key or a block of another size leaves the value as
// it was. A file without a readable OZ means ounces. The weight heading follows `metric`.
void readDocumentSettings(const IniFile& ini, DocumentSettings& settings);

// Writes every key, COLWIDTHS, COLORDER and COLDATA sized by the actual column count, then the
// font and its size. COORDS only when known.
void writeDocumentSettings(IniFile& ini, const DocumentSettings& settings);

// FONT as "Courier New" at 10 points for `dpi`, and FONTSIZE.
void writeDefaultFont(IniFile& ini, std::int32_t fontSize = kDefaultFontSize, int dpi = 96);

// A list colour as stored (struct 4); 0 (black) counts as not stored.
std::optional<std::uint32_t> readColour(const IniFile& ini, std::string_view key);
void writeColour(IniFile& ini, std::string_view key, std::uint32_t colour);

} // namespace varnel
