#pragma once
// Reading a list exported by LighterPack (CSV, UTF-8; a spreadsheet's Windows-1252 is taken too)
// into gear records. Parsing and adding are
// two steps so that the caller can refuse the file or ask its questions before anything changes.

#include "model/FileOutcome.h"
#include "model/GearDocument.h"
#include "model/ItemEditing.h"
#include "model/UserMessage.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace varnel {

// The fields a LighterPack list has beyond the six every version writes; each goes into the
// user column of that name.
inline constexpr std::size_t kLighterPackExtras = 4;
inline constexpr std::array<std::string_view, kLighterPackExtras> kLighterPackExtraNames{
    "url", "price", "worn", "consumable"};

// One row that can be imported, already as record bytes (Windows-1252, cut to the fields).
struct LighterPackItem {
    int line = 0; // where the row starts in the file, from 1
    ItemFields fields;
    std::array<std::string, kLighterPackExtras> extras;
};

// What the user is told about one row (Windows-1252, like the record texts it quotes).
struct LighterPackNote {
    int line = 0;
    std::string text;
    bool operator==(const LighterPackNote&) const = default;
};

struct LighterPackList {
    // The first line is a LighterPack heading; otherwise nothing else here is filled.
    bool recognised = false;
    std::vector<LighterPackItem> items;
    // The file was not valid UTF-8, so it was read as Windows-1252.
    bool windows1252 = false;
    // Rows whose texts were changed to fit Windows-1252 or one line of the list.
    std::vector<LighterPackNote> changed;
    // Rows whose unit weight is stored as a rounded figure (their line weights are still within
    // 0.005 of the exact total).
    std::vector<LighterPackNote> rounded;
    // Rows whose texts were longer than their fields.
    std::vector<LighterPackNote> cut;
    // Rows that could not be read; they are not in `items`.
    std::vector<LighterPackNote> skipped;
    // Whether any item has a value for each extra field.
    std::array<bool, kLighterPackExtras> extraUsed{};
};

// The bytes of the file at `path`; a FIFO, device or folder is refused without being read. A
// failure is told as "Cannot read FILE: why.", a missing file too.
FileOutcome readLighterPackFile(const std::filesystem::path& path, std::string& bytes);

// Reads the whole file. Weights become the document's unit (grams when `metric`, else ounces):
// the converted figure when it fits the unit weight, else the fewest decimals (at least two)
// that keep unit weight x qty within 0.005 of the exact total.
LighterPackList parseLighterPackCsv(std::string_view bytes, bool metric);

// The user column (0-based among the user columns) each extra field goes into: the first whose
// heading equals its name ignoring case; -1 when there is none.
std::array<int, kLighterPackExtras>
lighterPackColumns(const std::vector<std::string>& userHeadings);

// The names of the extra fields that hold values but have no user column to go into.
std::vector<std::string> missingLighterPackColumns(const LighterPackList& list,
                                                   const std::vector<std::string>& userHeadings);

struct LighterPackAdded {
    int items = 0;
    std::vector<std::string> newCategories;
    // Extra fields that held values but had no user column, so their values were not imported.
    std::vector<std::string> leftOut;
};

// Adds every item, checked, with the categories it needs; the extra fields go into the user
// columns named after them (see lighterPackColumns; `userHeadings` are the document's user
// columns, userColumnCount of them). A list sorted by weight is sorted again.
LighterPackAdded addLighterPackItems(GearDocument& document, const LighterPackList& list,
                                     const std::vector<std::string>& userHeadings);

// A weight or qty as the list may give it: a plain decimal number ("12", "0.5", ".5") between
// blanks; nothing for any other text.
std::optional<double> lighterPackNumber(std::string_view text);

// The refusal of a file whose first line is not a LighterPack heading.
UserMessage notLighterPackMessage();

// The report shown after an import (Windows-1252): the count, the encoding when it was not UTF-8,
// then every changed, rounded, cut and skipped row.
std::string lighterPackReport(const LighterPackList& list, const LighterPackAdded& added);

} // namespace varnel
