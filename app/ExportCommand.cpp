#include "app/ExportCommand.h"

#include "app/GearListModel.h"
#include "app/TExportDialog.h"
#include "output/ExportWriter.h"
#include "platform/MailHandOff.h"
#include "ui/Cp1252.h"
#include "ui/Prompts.h"

#include <QWidget>

namespace varnel {

namespace {

std::filesystem::path resolved(const ExportCommandContext& context, const std::string& name) {
    const std::filesystem::path file(name);
    return file.is_absolute() ? file : context.currentFolder / file;
}

// Writes one file; a file that cannot be written is told by the name the user gave it.
bool writeOne(ExportCommandContext& context, ExportFormat format, const std::string& name,
              const ExportOptions& options) {
    FileOutcome outcome = writeExport(format, resolved(context, name), context.document,
                                      context.headings, options, context.colours);
    if (outcome.ok()) {
        return true;
    }
    outcome.file = name;
    context.prompts.showMessage(*outcome.message());
    return false;
}

void mail(ExportCommandContext& context, const std::filesystem::path& file) {
    const std::uintptr_t owner =
        context.parent ? static_cast<std::uintptr_t>(context.parent->window()->winId()) : 0;
    const MailStart start = sendDocument(owner, file, mailDisplayName(file));
    if (!start.started) {
        context.prompts.message(
            QStringLiteral("The gear list could not be mailed: the mail program \"%1\" could not "
                           "be started.\n\nThe report is written to %2; attach it to a message "
                           "yourself.")
                .arg(start.program, QString::fromStdString(file.string())),
            QStringLiteral("Send as EMail"), MessageIcon::Exclamation, PromptButtons::Ok);
    }
}

} // namespace

QString mailDisplayName(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    return QString::fromStdString(name.empty() ? file.string() : name);
}

ExportHeadings shownHeadings(const GearListModel& model) {
    ExportHeadings headings;
    for (int c = 0; c < model.columnCount(); ++c) {
        std::string heading =
            Cp1252::fromUnicode(model.heading(c)).substr(0, ColumnRecord::kHeadingSize - 1);
        if (c < static_cast<int>(kFixedColumns)) {
            headings.fixed[static_cast<std::size_t>(c)] = std::move(heading);
        } else {
            headings.user.push_back(std::move(heading));
        }
    }
    return headings;
}

bool exportCommand(ExportCommandContext& context, TExportDialogXfer& xfer) {
    xfer.reload(context.settings);
    {
        TExportDialog dialog(xfer, context.prompts, !context.headings.user.empty(), context.parent);
        if (context.runDialog(dialog) != QDialog::Accepted) {
            return false;
        }
    }
    xfer.store(context.settings);
    const ExportOptions options = xfer.options();
    for (std::size_t i = 0; i < kExportFileCount; ++i) {
        if (xfer.files[i].chosen != 0) {
            writeOne(context, kExportFileRows[i].format, xfer.files[i].name, options);
        }
    }
    if (xfer.sendMail != 0) {
        const std::string& name = xfer.files[kMailedRow].name;
        // A report that could not be written is not mailed: the file on disk, if any, is an
        // older one.
        if (writeOne(context, kExportFileRows[kMailedRow].format, name, options)) {
            mail(context, resolved(context, name));
        }
    }
    return true;
}

} // namespace varnel
