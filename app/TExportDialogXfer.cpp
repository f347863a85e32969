#include "app/TExportDialogXfer.h"

#include "model/FixedText.h"

namespace varnel {

void TExportDialogXfer::reload(const DocumentSettings& settings) {
    for (std::size_t i = 0; i < kExportFileCount; ++i) {
        files[i].name = settings.*kExportFileRows[i].storedName;
    }
    notes = settings.exportNotes != 0 ? 1 : 0;
    setField(title, settings.title);
    allItems = 1;
    checkedOnly = 0;
}

void TExportDialogXfer::store(DocumentSettings& settings) const {
    for (std::size_t i = 0; i < kExportFileCount; ++i) {
        settings.*kExportFileRows[i].storedName = files[i].name;
    }
    settings.exportNotes = notes;
    settings.exportColumns = customColumns;
    settings.title = std::string(fieldText(title));
}

ExportOptions TExportDialogXfer::options() const {
    return {checkedOnly != 0, notes != 0, customColumns != 0, std::string(fieldText(title))};
}

std::optional<ExportCloseProblem> exportCloseProblem(const TExportDialogXfer& xfer) {
    for (std::size_t i = 0; i < kExportFileCount; ++i) {
        if (xfer.files[i].chosen != 0 && xfer.files[i].name.empty()) {
            return ExportCloseProblem{kExportFileRows[i].emptyNameMessage, i};
        }
    }
    if (xfer.sendMail != 0 && xfer.files[kMailedRow].name.empty()) {
        return ExportCloseProblem{kMailNeedsTextFile, std::nullopt};
    }
    return std::nullopt;
}

} // namespace varnel
