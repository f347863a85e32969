#include "app/FindCommand.h"

#include "app/FindBar.h"
#include "app/GearListModel.h"
#include "model/ItemFind.h"
#include "ui/Cp1252.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QTreeView>

namespace varnel {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("varnel::FindCommand", text);
}

} // namespace

void findNextCommand(const FindCommandContext& context, bool forward, bool fromCurrent) {
    FindBar& bar = context.bar;
    const QString text = bar.text();
    if (text.isEmpty()) {
        bar.setNote({});
        if (!fromCurrent) {
            bar.open(); // F3 with nothing to find asks what to find
        }
        return;
    }
    QTreeView& view = context.view;
    const QModelIndex current = view.currentIndex();
    int from = current.isValid() ? current.row() : -1;
    if (fromCurrent && from >= 0) {
        from += forward ? -1 : 1;
    }
    const FindHit hit =
        findItem(context.model.document(), Cp1252::fromUnicode(text), from, forward);
    if (!hit.found()) {
        bar.setNote(tr("Not found"));
        return;
    }
    int row = hit.row;
    if (hit.member >= 0) {
        context.expandGroup(row);
        row += 1 + hit.member;
    }
    const QModelIndex index = context.model.index(row, 0);
    view.selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    view.scrollTo(index);
    bar.setNote(!hit.wrapped ? QString()
                : forward    ? tr("Passed the end of the list, went on from the top")
                             : tr("Passed the top of the list, went on from the end"));
}

} // namespace varnel
