#pragma once
// Paints the row a dragged row would be dropped on as highlighted, the way selected rows are,
// without touching the selection that the commands act on.

#include <QStyledItemDelegate>

namespace varnel {

class DropHighlightDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // -1 for none.
    void setRow(int row) { row_ = row; }
    [[nodiscard]] int row() const { return row_; }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    int row_ = -1;
};

} // namespace varnel
