#include "app/PrintCommand.h"

#include "app/GearListModel.h"
#include "model/ColumnIndex.h"
#include "ui/Cp1252.h"
#include "ui/Prompts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

#include <utility>

namespace varnel {

namespace {

constexpr int kPreviewWidth = 820;
constexpr int kPreviewHeight = 900;

QString tr(const char* text) {
    return QCoreApplication::translate("varnel::PrintCommand", text);
}

} // namespace

ReportSource reportSource(const PrintCommandContext& context) {
    const GearListModel& model = context.model;
    PrintHeadings headings{Cp1252::fromUnicode(model.heading(columnNumber(ColumnIndex::Category))),
                           Cp1252::fromUnicode(model.heading(columnNumber(ColumnIndex::Item))),
                           Cp1252::fromUnicode(model.heading(columnNumber(ColumnIndex::Weight)))};
    return ReportSource{context.document, std::move(headings), PrintOptions::from(context.settings),
                        context.settings.font};
}

void printCommand(const PrintCommandContext& context) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Varnel"));
    QPrintDialog dialog(&printer, context.parent);
    setUpPrintDialog(dialog, reportSource(context));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange);
    if (context.runDialog(dialog) != QDialog::Accepted) {
        return;
    }
    Prompts& prompts = context.prompts;
    if (printer.outputFormat() == QPrinter::NativeFormat && !printer.isValid()) {
        prompts.message(QStringLiteral("Cannot print without a default printer."),
                        QStringLiteral("Varnel"), MessageIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    QProgressDialog progress(tr("Printing"), tr("Cancel"), 0, 0, context.parent);
    progress.setWindowTitle(QStringLiteral("Printing"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    const PrintResult result = printReport(printer, reportSource(context), [&progress](int page) {
        progress.setLabelText(tr("Printing page %1").arg(page));
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.close();
    if (result == PrintResult::Cancelled) {
        prompts.message(QStringLiteral("Printing canceled"), QStringLiteral("Printing"),
                        MessageIcon::Information, PromptButtons::Ok);
    } else if (result == PrintResult::Failed) {
        prompts.message(QStringLiteral("Print Error"), QStringLiteral("Printing"),
                        MessageIcon::Exclamation, PromptButtons::Ok);
    } else if (result == PrintResult::PastTheEnd) {
        prompts.message(QStringLiteral("The chosen pages lie past the end of the report."),
                        QStringLiteral("Printing"), MessageIcon::Exclamation, PromptButtons::Ok);
    }
}

void printPreviewCommand(const PrintCommandContext& context) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Varnel"));
    QPrintPreviewDialog preview(&printer, context.parent);
    preview.setWindowTitle(tr("Print Preview"));
    const ReportSource source = reportSource(context);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&source](QPrinter* target) { printReport(*target, source); });
    preview.resize(kPreviewWidth, kPreviewHeight);
    context.runDialog(preview);
}

} // namespace varnel
