#include "app/LighterPackCommand.h"

#include "app/ColumnCommands.h"
#include "app/GearListModel.h"
#include "model/DocumentEdits.h"
#include "model/DocumentSettings.h"
#include "model/LighterPackImport.h"
#include "ui/Cp1252.h"
#include "ui/Prompts.h"
#include "ui/WaitCursor.h"

#include <QStringList>

#include <filesystem>

namespace varnel {

namespace {

const QString kCaption = QStringLiteral("Import LighterPack CSV");
constexpr const char* kFilter = "LighterPack CSV Files (*.csv)|*.csv|All Files (*.*)|*.*|";

QString namesList(const std::vector<std::string>& names) {
    QStringList shown;
    for (const std::string& name : names) {
        shown << QString::fromStdString(name);
    }
    return shown.join(QStringLiteral(", "));
}

} // namespace

bool importLighterPackEnabled(const GearDocument& document) {
    return !document.handheldDocument && !document.hideViewActive();
}

int importLighterPack(GearListModel& model, Prompts& prompts, const EditPerformer& perform) {
    GearDocument& document = model.document();
    if (!importLighterPackEnabled(document)) {
        return 0;
    }
    const auto chosen = prompts.openFileName(kCaption, QString::fromLatin1(kFilter));
    if (!chosen) {
        return 0;
    }
    std::string bytes;
    if (const auto message =
            readLighterPackFile(std::filesystem::path(chosen->toStdString()), bytes).message()) {
        prompts.showMessage(*message);
        return 0;
    }
    const LighterPackList parsed = parseLighterPackCsv(bytes, document.metric);
    if (!parsed.recognised) {
        prompts.showMessage(notLighterPackMessage());
        return 0;
    }

    const std::vector<std::string> headings = userColumnHeadings(model);
    std::vector<std::string> newColumns; // added by the step itself
    const std::vector<std::string> missing = missingLighterPackColumns(parsed, headings);
    const bool room =
        document.userColumnCount + static_cast<int>(missing.size()) <= kMaxUserColumns;
    if (!missing.empty() && room) {
        const PromptAnswer answer = prompts.message(
            QStringLiteral("The list has values for %1, and this document has no user columns "
                           "of those names.\n\nAdd the columns? Yes adds them; No imports the "
                           "list without these values; Cancel imports nothing.")
                .arg(namesList(missing)),
            kCaption, MessageIcon::Question, PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Cancel) {
            return 0;
        }
        if (answer == PromptAnswer::Yes) {
            newColumns = missing;
        }
    }

    LighterPackAdded added;
    {
        const WaitCursor wait(prompts);
        perform(importLighterPackEdit(parsed, headings, newColumns, &added));
    }
    const bool clean = parsed.changed.empty() && parsed.cut.empty() && parsed.skipped.empty() &&
                       added.leftOut.empty();
    prompts.message(Cp1252::toUnicode(lighterPackReport(parsed, added)), kCaption,
                    clean ? MessageIcon::Information : MessageIcon::Exclamation, PromptButtons::Ok);
    return added.items;
}

} // namespace varnel
