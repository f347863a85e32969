#pragma once
// The Export command: the Export dialog, then the chosen files in the table's order, then the
// text report mailed on request.

#include "app/TExportDialogXfer.h"
#include "model/DocumentSettings.h"
#include "model/GearDocument.h"
#include "output/ExportOptions.h"

#include <QString>

#include <filesystem>
#include <functional>

class QDialog;
class QWidget;

namespace varnel {

class Prompts;

struct ExportCommandContext {
    GearDocument& document;
    // The document's settings: the export choices are taken from them and, on OK, given back.
    DocumentSettings& settings;
    Prompts& prompts;
    // Runs a modal dialog and returns its result.
    std::function<int(QDialog&)> runDialog;
    // Relative file names are taken from here, as every path of the program is.
    std::filesystem::path currentFolder;
    // The list's headings as shown, and its colours.
    ExportHeadings headings;
    ExportColours colours;
    QWidget* parent = nullptr;
};

class GearListModel;

// The list's headings as it shows them now, cut to what a column record holds.
[[nodiscard]] ExportHeadings shownHeadings(const GearListModel& model);

// Returns false when the dialog was cancelled (nothing written, nothing mailed).
bool exportCommand(ExportCommandContext& context, TExportDialogXfer& xfer);

// The attachment's name as the message shows it: what follows the last separator.
QString mailDisplayName(const std::filesystem::path& file);

} // namespace varnel
