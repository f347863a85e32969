#pragma once
// "Modify Column": a new heading and alignment for the column picked in the list. The fields
// do not follow the list: what they hold on OK goes to whichever column is selected.

#include "config/TModifyColumnDlgXfer.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QRadioButton;

namespace varnel {

class TModifyColumnDlg : public QDialog {
    Q_OBJECT

public:
    // Shows what `xfer` holds; OK stores the selection and the fields back into it, Cancel
    // leaves it alone.
    explicit TModifyColumnDlg(TModifyColumnDlgXfer& xfer, QWidget* parent = nullptr);

public slots:
    void accept() override;

private:
    TModifyColumnDlgXfer& xfer_;
    QListWidget* list_ = nullptr;
    QLineEdit* heading_ = nullptr;
    QRadioButton* left_ = nullptr;
    QRadioButton* center_ = nullptr;
    QRadioButton* right_ = nullptr;
};

} // namespace varnel
