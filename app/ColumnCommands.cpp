#include "app/ColumnCommands.h"

#include "app/GearListModel.h"
#include "config/TAddNewColumnDlg.h"
#include "config/TDeleteColumnsDlg.h"
#include "config/TModifyColumnDlg.h"
#include "model/ColumnEditing.h"
#include "model/DocumentEdits.h"
#include "model/DocumentSettings.h"
#include "model/FixedText.h"
#include "ui/Cp1252.h"
#include "ui/Prompts.h"
#include "ui/WaitCursor.h"

#include <QHeaderView>
#include <QTreeView>

#include <algorithm>

namespace varnel {

namespace {

constexpr int kFirstUserColumn = columnNumber(ColumnIndex::FirstUser);
// A hidden or squeezed list must not give a column too narrow to find and widen.
constexpr int kNarrowestNewColumn = 40;

Qt::Alignment alignmentFromRadios(std::int32_t left, std::int32_t center) {
    if (left != 0) {
        return Qt::AlignLeft;
    }
    return center != 0 ? Qt::AlignHCenter : Qt::AlignRight;
}

} // namespace

bool addNewColumnEnabled(const GearDocument& doc) {
    // The settings keep at most this many; one more would be dropped at the next save.
    return !doc.handheldDocument && doc.userColumnCount < kMaxUserColumns;
}

bool deleteColumnEnabled(const GearDocument& doc) {
    // The rows a hide view sets aside could not lose the column's texts.
    return !doc.handheldDocument && doc.userColumnCount != 0 && !doc.hideViewActive();
}

bool modifyColumnEnabled(const GearDocument& /*doc*/) {
    return true;
}

bool addNewColumn(TAddNewColumnDlgXfer& xfer, GearListModel& model, QTreeView& list,
                  const DialogRunner& runDialog, QWidget* parent, const EditPerformer& perform) {
    if (!addNewColumnEnabled(model.document())) {
        return false;
    }
    xfer.reset();
    TAddNewColumnDlg dialog(xfer, parent);
    if (runDialog(dialog) != QDialog::Accepted) {
        return false;
    }
    const Qt::Alignment alignment = alignmentFromRadios(xfer.left, xfer.center);
    if (perform) {
        return perform(addColumnEdit(std::string(fieldText(xfer.heading)),
                                     GearListModel::formatFromAlignment(alignment))) > 0;
    }
    appendUserColumn(model, list, Cp1252::toUnicode(fieldText(xfer.heading)), alignment);
    return true;
}

void appendUserColumn(GearListModel& model, QTreeView& list, const QString& heading,
                      Qt::Alignment alignment) {
    const int width = std::max(kNarrowestNewColumn, list.viewport()->width() / 4);
    const int column = model.columnCount();
    model.appendUserColumn(heading, alignment);
    QHeaderView* header = list.header();
    header->resizeSection(column, width);
    const int last = header->count() - 1;
    if (header->visualIndex(column) != last) {
        header->moveSection(header->visualIndex(column), last);
    }
}

std::vector<std::string> userColumnHeadings(const GearListModel& model) {
    std::vector<std::string> headings;
    for (int c = kFirstUserColumn; c < model.columnCount(); ++c) {
        headings.push_back(Cp1252::fromUnicode(model.heading(c)));
    }
    return headings;
}

std::vector<int> deleteColumns(TDeleteColumnsDlgXfer& xfer, GearListModel& model, Prompts& prompts,
                               const DialogRunner& runDialog, QWidget* parent,
                               const EditPerformer& perform) {
    GearDocument& doc = model.document();
    if (model.columnCount() <= kFirstUserColumn || !deleteColumnEnabled(doc)) {
        return {};
    }
    xfer.clear();
    for (int c = kFirstUserColumn; c < model.columnCount(); ++c) {
        xfer.strings << model.heading(c);
    }
    TDeleteColumnsDlg dialog(xfer, parent);
    if (runDialog(dialog) != QDialog::Accepted || xfer.selection.isEmpty()) {
        return {};
    }

    const WaitCursor wait(prompts);
    if (perform) {
        std::vector<int> removed;
        perform(deleteColumnsEdit(std::vector<int>(xfer.selection.begin(), xfer.selection.end()),
                                  &removed));
        return removed;
    }
    const int count = doc.userColumnCount;
    std::vector<int> removed =
        deleteUserColumns(doc, std::vector<int>(xfer.selection.begin(), xfer.selection.end()));
    // Removing a column from the model lowers the count once more, column by column.
    doc.userColumnCount = count;
    for (const int k : removed) {
        model.removeUserColumn(kFirstUserColumn + k - 1);
    }
    return removed;
}

bool modifyColumn(TModifyColumnDlgXfer& xfer, GearListModel& model, const DialogRunner& runDialog,
                  QWidget* parent, const EditPerformer& perform) {
    xfer.clear();
    for (int c = 0; c < model.columnCount(); ++c) {
        xfer.strings << model.heading(c);
    }
    xfer.selection << 0;
    setField(xfer.heading, Cp1252::fromUnicode(model.heading(0)));
    const std::int32_t format = GearListModel::formatFromAlignment(model.alignment(0));
    xfer.left = format == 0 ? 1 : 0;
    xfer.center = format == 2 ? 1 : 0;
    xfer.right = format != 0 && format != 2 ? 1 : 0;

    TModifyColumnDlg dialog(xfer, parent);
    if (runDialog(dialog) != QDialog::Accepted || xfer.selection.isEmpty()) {
        return false;
    }
    const int column = xfer.selection.first();
    if (column < 0 || column >= model.columnCount()) {
        return false;
    }
    if (perform) {
        return perform(modifyColumnEdit(column, std::string(fieldText(xfer.heading)),
                                        GearListModel::formatFromAlignment(
                                            alignmentFromRadios(xfer.left, xfer.center)))) >= 0;
    }
    model.setHeading(column, Cp1252::toUnicode(fieldText(xfer.heading)));
    model.setAlignment(column, alignmentFromRadios(xfer.left, xfer.center));
    return true;
}

} // namespace varnel
