#pragma once
// "Delete User Columns": the user columns' headings, any number of them picked for deletion.

#include "config/TDeleteColumnsDlgXfer.h"

#include <QDialog>

class QListWidget;

namespace varnel {

class TDeleteColumnsDlg : public QDialog {
    Q_OBJECT

public:
    // The object name of the list; OK and Cancel have the usual ones.
    static constexpr const char* kColumnsId = "101";

    // Shows what `xfer` holds; OK stores the selected positions back into it, Cancel leaves it
    // alone.
    explicit TDeleteColumnsDlg(TDeleteColumnsDlgXfer& xfer, QWidget* parent = nullptr);

public slots:
    void accept() override;

private:
    TDeleteColumnsDlgXfer& xfer_;
    QListWidget* list_ = nullptr;
};

} // namespace varnel
