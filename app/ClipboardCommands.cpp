#include "app/ClipboardCommands.h"

#include "app/ColumnCommands.h"
#include "model/ClipboardRows.h"
#include "model/DocumentEdits.h"
#include "model/DocumentSettings.h"
#include "ui/Cp1252.h"
#include "ui/WaitCursor.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QStringList>

#include <algorithm>
#include <unordered_set>

namespace varnel {

namespace {

const QString kCaption = QStringLiteral("Paste");

} // namespace

std::unique_ptr<QMimeData> clipboardData(const GearListModel& model, const std::vector<int>& rows) {
    const std::vector<std::string> headings = userColumnHeadings(model);
    const ClipRows copied = copyRows(model.document(), rows, headings);
    auto data = std::make_unique<QMimeData>();
    const std::string own = ownFormBytes(copied);
    data->setData(QString::fromLatin1(kClipboardRowsMime),
                  QByteArray(own.data(), static_cast<qsizetype>(own.size())));
    data->setText(Cp1252::toUnicode(textForm(copied, headings)));
    data->setHtml(QStringLiteral("<meta charset=\"utf-8\">") +
                  Cp1252::toUnicode(htmlForm(copied, headings)));
    return data;
}

bool copyRowsToClipboard(const GearListModel& model, const std::vector<int>& rows) {
    if (rows.empty()) {
        return false;
    }
    QApplication::clipboard()->setMimeData(clipboardData(model, rows).release());
    return true;
}

int cutRowsToClipboard(GearListModel& model, const std::vector<int>& rows,
                       const EditPerformer& perform) {
    if (!copyRowsToClipboard(model, rows)) {
        return -1;
    }
    return perform(deleteRowsEdit(rows, "Cut"));
}

std::vector<int> pasteFromClipboard(GearListModel& model, Prompts& prompts, const QMimeData* data,
                                    const EditPerformer& perform) {
    GearDocument& document = model.document();
    const std::vector<std::string> headings = userColumnHeadings(model);
    std::vector<ClipRecord> records;
    std::vector<ClipNote> unreadable;
    ClipRows own;
    const QString mime = QString::fromLatin1(kClipboardRowsMime);
    if (data != nullptr && data->hasFormat(mime) &&
        readOwnForm(data->data(mime).toStdString(), document.metric, own)) {
        records = std::move(own.records);
    } else if (data != nullptr && data->hasText()) {
        TextRows text = readTextForm(Cp1252::fromUnicode(data->text()), headings);
        records = std::move(text.records);
        unreadable = std::move(text.unreadable);
    }
    if (records.empty()) {
        const std::string report = pasteReport(unreadable, {});
        prompts.message(QStringLiteral("The clipboard holds no gear item that can be read: "
                                       "nothing was pasted.") +
                            (report.empty() ? QString() : "\n\n" + Cp1252::toUnicode(report)),
                        kCaption, MessageIcon::Exclamation, PromptButtons::Ok);
        return {};
    }

    std::vector<std::string> missing = missingHeadings(records, headings);
    if (!missing.empty() && !document.handheldDocument &&
        document.userColumnCount + static_cast<int>(missing.size()) <= kMaxUserColumns) {
        QStringList names;
        for (const std::string& name : missing) {
            names << Cp1252::toUnicode(name);
        }
        const PromptAnswer answer = prompts.message(
            QStringLiteral("The pasted rows have texts for %1, and this document has no user "
                           "columns of those headings.\n\nAdd the columns? Yes adds them; No "
                           "pastes the rows without these texts; Cancel pastes nothing.")
                .arg(names.join(QStringLiteral(", "))),
            kCaption, MessageIcon::Question, PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Cancel) {
            return {};
        }
        if (answer == PromptAnswer::No) {
            missing.clear();
        }
    } else {
        missing.clear();
    }

    PasteOutcome outcome;
    {
        const WaitCursor wait(prompts);
        perform(pasteEdit(std::move(records), headings, std::move(missing), &outcome));
    }
    std::vector<int> rows;
    const std::unordered_set<const void*> pasted(outcome.pasted.begin(), outcome.pasted.end());
    for (int r = 0; r < document.rowCount(); ++r) {
        if (pasted.contains(document.row(r).record.get())) {
            rows.push_back(r);
        }
    }
    const std::string report = pasteReport(unreadable, outcome.refused);
    if (!report.empty()) {
        prompts.message(QStringLiteral("%1 of %2 rows pasted.\n\n")
                                .arg(rows.size())
                                .arg(rows.size() + unreadable.size() + outcome.refused.size()) +
                            Cp1252::toUnicode(report),
                        kCaption, MessageIcon::Exclamation, PromptButtons::Ok);
    }
    return rows;
}

} // namespace varnel
