#include "app/DropHighlightDelegate.h"

namespace varnel {

void DropHighlightDelegate::initStyleOption(QStyleOptionViewItem* option,
                                            const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.isValid() && index.row() == row_) {
        option->state |= QStyle::State_Selected;
    }
}

} // namespace varnel
