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
    // The object names of the controls; OK and Cancel have the usual ones.
    static constexpr const char* kHeadingId = "101";
    static constexpr const char* kLeftId = "102";
    static constexpr const char* kCenterId = "103";
    static constexpr const char* kRightId = "104";

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
