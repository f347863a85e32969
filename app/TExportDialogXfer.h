#pragma once
// The Export dialog's transfer record, and the one table of export files that the dialog, its
// close check and the Export command follow: rows are shown, checked and written in its order.

#include "model/DocumentSettings.h"
#include "output/ExportWriter.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace varnel {

struct ExportFileRow {
    ExportFormat format;
    const char* label; // the row's check box
    int checkId;
    int editId;
    int browseId;
    const char* filter; // Windows form, as the prompts take it
    const char* defaultExtension;
    // Rows with the same non-zero number share one chooser: each opens on the name last chosen
    // with any of them. 0: a fresh chooser on every press.
    int sharedChooser;
    const char* emptyNameMessage;
    std::string DocumentSettings::*storedName;
};

inline constexpr std::array<ExportFileRow, 5> kExportFileRows{{
    {ExportFormat::Text, "Text File: ", 102, 103, 107, "Text Files (*.TXT)|*.txt|", "TXT", 1,
     "Please enter a name for the Text file", &DocumentSettings::textFile},
    {ExportFormat::Comma, "Comma Delimited File:", 104, 105, 111, "Text Files (*.TXT)|*.txt|",
     "TXT", 1, "Please enter a name for the Comma Delimited file", &DocumentSettings::commaFile},
    {ExportFormat::Html, "HTML File:", 113, 115, 117, "HTML Files (*.HTM)|*.htm|", "HTM", 0,
     "Please enter a name for the HTMLfile", &DocumentSettings::htmlFile},
    {ExportFormat::Xml, "XML File:", 114, 116, 118, "XML Files (*.XML)|*.xml|", "XML", 0,
     "Please enter a name for the XML file", &DocumentSettings::xmlFile},
    {ExportFormat::LighterPack, "LighterPack CSV:", 122, 123, 124, "CSV Files (*.CSV)|*.csv|",
     "CSV", 0, "Please enter a name for the LighterPack CSV file",
     &DocumentSettings::lighterPackFile},
}};
inline constexpr std::size_t kExportFileCount = kExportFileRows.size();
// The row whose file "Send as EMail" writes again and mails.
inline constexpr std::size_t kMailedRow = 0;

inline constexpr const char* kMailNeedsTextFile = "To send EMail, please choose a Text File by "
                                                  "clicking on the Browse button and entering a "
                                                  "file name";

struct ExportFileChoice {
    std::int32_t chosen = 0;
    std::string name; // as typed or chosen; never cut

    friend bool operator==(const ExportFileChoice&, const ExportFileChoice&) = default;
};

// One per program run. The format and mail choices and "Export Custom Columns" keep their last
// confirmed state for the run; the rest is reloaded from the document's settings each time.
struct TExportDialogXfer {
    std::array<ExportFileChoice, kExportFileCount> files{}; // in kExportFileRows order
    std::int32_t sendMail = 0;
    std::int32_t allItems = 1;
    std::int32_t checkedOnly = 0;
    std::int32_t notes = 0;
    std::int32_t customColumns = 0;
    char title[kMaxTitleLength + 1]{}; // Windows-1252

    // Before each opening: names, notes and title as the settings hold them, and the dialog
    // always opens on "Export All Items".
    void reload(const DocumentSettings& settings);
    // On OK: the names, the notes and custom-columns flags and the title become the settings.
    void store(DocumentSettings& settings) const;

    [[nodiscard]] ExportOptions options() const;

    friend bool operator==(const TExportDialogXfer&, const TExportDialogXfer&) = default;
};

// What the close check stops at: the message, and the row whose name gets the focus (none for
// the mail rule).
struct ExportCloseProblem {
    const char* message = nullptr;
    std::optional<std::size_t> focusRow;
};

// The first rule the choices break, in the order the user is told: each chosen file needs a
// name, then mail needs the text file's.
std::optional<ExportCloseProblem> exportCloseProblem(const TExportDialogXfer& xfer);

} // namespace varnel
