#pragma once
// File > Print and File > Print Preview: the report as the list shows it now, through the print
// dialog or the preview window.

#include "app/ReportPrinter.h"
#include "model/DocumentSettings.h"
#include "model/GearDocument.h"

#include <functional>

class QDialog;
class QWidget;

namespace varnel {

class GearListModel;
class Prompts;

struct PrintCommandContext {
    const GearDocument& document;
    // The headings are taken as the list shows them.
    const GearListModel& model;
    // The print options and the printing font.
    const DocumentSettings& settings;
    Prompts& prompts;
    // Runs a modal dialog and returns its result.
    std::function<int(QDialog&)> runDialog;
    QWidget* parent = nullptr;
};

// The headings as the list shows them, the options and font as the settings hold them.
[[nodiscard]] ReportSource reportSource(const PrintCommandContext& context);

void printCommand(const PrintCommandContext& context);
void printPreviewCommand(const PrintCommandContext& context);

} // namespace varnel
