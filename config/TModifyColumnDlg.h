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
    // The object names of the controls; OK and Cancel have the usual ones.
    static constexpr const char* kColumnsId = "101";
    static constexpr const char* kHeadingId = "102";
    static constexpr const char* kCenterId = "103";
    static constexpr const char* kRightId = "104";
    static constexpr const char* kLeftId = "105";

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
