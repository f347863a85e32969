#include "app/ItemCommands.h"

#include "app/TPubInfo.h"
#include "model/DocumentEdits.h"
#include "model/FixedText.h"
#include "model/ItemEditing.h"
#include "ui/Cp1252.h"

#include <QDialog>

#include <algorithm>

namespace varnel {

namespace {

constexpr int kFirstUserColumn = columnNumber(ColumnIndex::FirstUser);

void refresh(const ItemCommandContext& context) {
    if (context.refreshButtons) {
        context.refreshButtons();
    }
}

// The Configure... button: the category names are reloaded from the rebuilt choices.
std::function<bool()> configureHook(ItemCommandContext& context, TPubInfoXfer& xfer) {
    return [&context, &xfer] {
        int position = 0;
        if (!context.configureCategories || !context.configureCategories(position)) {
            return false;
        }
        xfer.setCategories(context.document.categoryChoices);
        xfer.configuredCategoryPosition = position;
        return true;
    };
}

int perform(ItemCommandContext& context, DocumentEdit edit) {
    return varnel::perform(context.perform, std::move(edit), context.document);
}

bool run(ItemCommandContext& context, QDialog& dialog) {
    const int result = context.runDialog ? context.runDialog(dialog) : dialog.exec();
    return result == QDialog::Accepted;
}

} // namespace

QStringList userColumnNames(const GearDocument& document, const GearListModel& model) {
    QStringList names;
    for (int k = 0; k < document.userColumnCount; ++k) {
        names.append(model.heading(kFirstUserColumn + k));
    }
    return names;
}

int addCommand(ItemCommandContext& context, TPubInfoXfer& xfer) {
    GearDocument& doc = context.document;
    xfer.resetForAdd(doc.categoryChoices, userColumnNames(doc, context.model));

    TPubInfo dialog(xfer, false, doc.metric, doc.handheldDocument, context.prompts, context.parent);
    dialog.onAddItem = [&context](const TPubInfoXfer& added) {
        const int row = perform(context, addItemEdit(added.fields(), false));
        refresh(context);
        if (context.showRow) {
            context.showRow(row);
        }
    };
    dialog.onConfigureCategories = configureHook(context, xfer);

    int row = -1;
    if (run(context, dialog)) {
        row = perform(context, addItemEdit(xfer.fields(), true));
    } else {
        xfer.columnTextSlots.clear();
    }
    refresh(context);
    return row;
}

int modifyCommand(ItemCommandContext& context, TPubInfoXfer& xfer, std::vector<int> selectedRows) {
    GearDocument& doc = context.document;
    std::erase_if(selectedRows, [&](int r) { return r < 0 || r >= doc.rowCount(); });
    if (selectedRows.empty()) {
        context.prompts.message(QStringLiteral("No name selected!"), QStringLiteral("Oops!"),
                                MessageIcon::Exclamation, PromptButtons::Ok);
        return -1;
    }
    const int r = *std::min_element(selectedRows.begin(), selectedRows.end());
    if (doc.row(r).isGroupRow()) {
        context.prompts.message(QStringLiteral("Groups may not be modified."),
                                QStringLiteral("Varnel"), MessageIcon::Information,
                                PromptButtons::Ok);
        return -1;
    }

    doc.record(r).selected = doc.row(r).checked() ? 1 : 0;
    xfer.load(itemFieldsOf(doc.record(r), doc.userColumnCount), doc.categoryChoices,
              userColumnNames(doc, context.model));
    // The dialog's Configure... can re-sort the list and fold groups: the row number is not
    // the item any more, the item itself is.
    const ItemRef item = itemAt(doc, r);
    TPubInfo dialog(xfer, true, doc.metric, doc.handheldDocument, context.prompts, context.parent);
    dialog.onConfigureCategories = configureHook(context, xfer);
    if (!run(context, dialog)) {
        return -1;
    }
    if (rowOf(doc, item) < 0) {
        context.prompts.message(QStringLiteral("The item is no longer in the list: the changes "
                                               "were not stored."),
                                QStringLiteral("Varnel"), MessageIcon::Exclamation,
                                PromptButtons::Ok);
        return -1;
    }
    const int row = perform(context, modifyItemEdit(item, xfer.fields()));
    refresh(context);
    return row;
}

int deleteCommand(ItemCommandContext& context, std::vector<int> selectedRows) {
    GearDocument& doc = context.document;
    std::erase_if(selectedRows, [&](int r) { return r < 0 || r >= doc.rowCount(); });
    if (selectedRows.empty()) {
        context.prompts.message(QStringLiteral("Nothing Selected!"), QStringLiteral("Oops!"),
                                MessageIcon::Exclamation, PromptButtons::Ok);
        return -1;
    }
    std::sort(selectedRows.begin(), selectedRows.end());
    selectedRows.erase(std::unique(selectedRows.begin(), selectedRows.end()), selectedRows.end());

    const QString question =
        selectedRows.size() == 1
            ? QStringLiteral("Are you sure you want to delete\r\n%1?")
                  .arg(Cp1252::toUnicode(fieldText(doc.record(selectedRows.front()).item)))
            : QStringLiteral("Are you sure you want to delete these items?");
    if (context.prompts.message(question, QStringLiteral("Confirm Delete"), MessageIcon::Question,
                                PromptButtons::YesNo) != PromptAnswer::Yes) {
        return -1;
    }
    const int select = perform(context, deleteRowsEdit(std::move(selectedRows)));
    refresh(context);
    return select;
}

} // namespace varnel
