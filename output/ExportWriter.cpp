#include "output/ExportWriter.h"

#include "model/AtomicFile.h"
#include "output/ExportComma.h"
#include "output/ExportHtml.h"
#include "output/ExportLighterPack.h"
#include "output/ExportText.h"
#include "output/ExportXml.h"

namespace varnel {

std::string exportBytes(ExportFormat format, const GearDocument& document,
                        const ExportHeadings& headings, const ExportOptions& options,
                        const ExportColours& colours) {
    switch (format) {
    case ExportFormat::Text:
        return exportTextBytes(document, headings, options);
    case ExportFormat::Comma:
        return exportCommaBytes(document, headings, options);
    case ExportFormat::Html:
        return exportHtmlBytes(document, headings, options, colours);
    case ExportFormat::Xml:
        return exportXmlBytes(document, headings, options);
    case ExportFormat::LighterPack:
        return exportLighterPackBytes(document, headings.user, options.checkedOnly);
    }
    return {};
}

FileOutcome writeExport(ExportFormat format, const std::filesystem::path& file,
                        GearDocument& document, const ExportHeadings& headings,
                        const ExportOptions& options, const ExportColours& colours) {
    FileOutcome outcome = FileOutcome::written(
        FileOutcome::Task::Export, file,
        writeOutputFile(file, exportBytes(format, document, headings, options, colours)));
    if (outcome.ok() && format != ExportFormat::LighterPack) {
        refreshSelectedFields(document, options.checkedOnly);
    }
    return outcome;
}

void refreshSelectedFields(GearDocument& document, bool checkedOnly) {
    for (int r = 0; r < document.rowCount(); ++r) {
        const GearRow& row = document.row(r);
        if (row.isMemberRow() || row.isGroupRow() || (checkedOnly && !row.checked())) {
            continue;
        }
        document.record(r).selected = row.checked() ? 1 : 0;
    }
}

} // namespace varnel
