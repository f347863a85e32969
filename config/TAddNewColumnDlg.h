#pragma once
// "Add New Column": the heading and alignment of a new user column.

#include "config/TAddNewColumnDlgXfer.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace varnel {

class TAddNewColumnDlg : public QDialog {
    Q_OBJECT

public:
    // Shows what `xfer` holds; OK stores the fields back into it, Cancel leaves it alone.
    explicit TAddNewColumnDlg(TAddNewColumnDlgXfer& xfer, QWidget* parent = nullptr);

public slots:
    void accept() override;

private:
    TAddNewColumnDlgXfer& xfer_;
    QLineEdit* heading_ = nullptr;
    QRadioButton* left_ = nullptr;
    QRadioButton* center_ = nullptr;
    QRadioButton* right_ = nullptr;
};

} // namespace varnel
