#pragma once
// Rows on the clipboard: Varnel's own form (every field, groups with their members, the unit of
// the document they came from), tab-separated text with a heading line, and an HTML table; and
// the readers that turn the own form and a spreadsheet's text back into records.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnel {

class GearDocument;

inline constexpr const char* kClipboardRowsMime = "application/x-varnel-rows";

// One copied record; texts are Windows-1252 bytes, as in the records.
struct ClipRecord {
    std::string category;
    std::string item;
    std::string unitWeight;
    std::string weight;
    std::string multiplier;
    std::string notes;
    bool checked = false;
    // User-column texts by heading; empty texts are left out.
    std::vector<std::pair<std::string, std::string>> columns;
    bool group = false;
    std::vector<ClipRecord> members; // front to back
    int line = 0;                    // where a pasted text row starts, from 1; 0 otherwise
    bool operator==(const ClipRecord&) const = default;
};

struct ClipRows {
    bool metric = false;
    std::vector<ClipRecord> records;
};

// A row of pasted text that could not be read, or a record that could not be stored.
struct ClipNote {
    int line = 0; // 0: a record of Varnel's own form, named in the text
    std::string text;
    bool operator==(const ClipNote&) const = default;
};

// The selected rows (sorted or not); a member row whose group row is also selected goes with
// its group only. `userHeadings` are the document's user-column headings in column order.
ClipRows copyRows(const GearDocument& document, std::vector<int> rows,
                  const std::vector<std::string>& userHeadings);

// Varnel's own form.
std::string ownFormBytes(const ClipRows& rows);
// Reads the own form; false when `bytes` is not one. Weights are converted to `metric` when the
// source was in the other unit ("%.2f", exact factors).
bool readOwnForm(std::string_view bytes, bool metric, ClipRows& out);

// Tab-separated: a heading line, then one line per item (a group's members as their own lines),
// CR LF line ends; the weight as shown. `userHeadings` name the user columns after Notes.
std::string textForm(const ClipRows& rows, const std::vector<std::string>& userHeadings);
// The same as an HTML table (Windows-1252 bytes; the caller declares the charset).
std::string htmlForm(const ClipRows& rows, const std::vector<std::string>& userHeadings);

struct TextRows {
    std::vector<ClipRecord> records;
    std::vector<ClipNote> unreadable;
    // Headings of the heading line that name no field nor user column of this document.
    std::vector<std::string> unknownHeadings;
};

// A spreadsheet's copied cells: with a heading line the columns are found by heading (any letter
// case), without one by position (Category, Item, Weight, Multiply by, Notes, user columns).
// Quoted cells may hold tabs, line ends and doubled quotes; CR LF and LF both end a line.
TextRows readTextForm(std::string_view bytes, const std::vector<std::string>& userHeadings);

// Headings the records carry that no user column of this document has (any letter case), once
// each, in the order met.
std::vector<std::string> missingHeadings(const std::vector<ClipRecord>& records,
                                         const std::vector<std::string>& userHeadings);

struct PasteOutcome {
    std::vector<const void*> pasted; // the records put in, to find their rows
    std::vector<std::string> newCategories;
    std::vector<ClipNote> refused; // not stored: a field too wide, no room for a category
};

// Puts the records in at the places the insertion rule gives, checked as they were, with the
// categories they need (a handheld document stops at its limit); user-column texts go into the
// columns of the same heading, a group gets a free name. A list sorted by weight is sorted again.
PasteOutcome pasteRecords(GearDocument& document, const std::vector<ClipRecord>& records,
                          const std::vector<std::string>& userHeadings);

// What the user is told about rows that were not pasted (empty when there are none).
std::string pasteReport(const std::vector<ClipNote>& unreadable,
                        const std::vector<ClipNote>& refused);

} // namespace varnel
