#pragma once
// "Export Gear Data": which files to write (each with its name and a Browse button), whether to
// mail the text report, the scope, the notes and user columns, and a title.

#include "app/TExportDialogXfer.h"

#include <QDialog>
#include <QString>

#include <array>
#include <map>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace varnel {

class Prompts;

class TExportDialog : public QDialog {
    Q_OBJECT

public:
    // Shows what `xfer` holds; OK checks the choices and stores them back into it, Cancel
    // leaves it alone. Without user columns "Export Custom Columns" cannot be changed.
    TExportDialog(TExportDialogXfer& xfer, Prompts& prompts, bool userColumns,
                  QWidget* parent = nullptr);

public slots:
    void accept() override;

private:
    struct FileRowControls {
        QCheckBox* chosen = nullptr;
        QLineEdit* name = nullptr;
        QPushButton* browse = nullptr;
    };

    void browse(std::size_t row);
    [[nodiscard]] TExportDialogXfer fromControls() const;

    TExportDialogXfer& xfer_;
    Prompts& prompts_;
    std::array<FileRowControls, kExportFileCount> rows_{};
    // The name last chosen in each shared chooser, for as long as the dialog lives.
    std::map<int, QString> sharedNames_;
    QCheckBox* sendMail_ = nullptr;
    QRadioButton* allItems_ = nullptr;
    QRadioButton* checkedOnly_ = nullptr;
    QCheckBox* notes_ = nullptr;
    QCheckBox* customColumns_ = nullptr;
    QLineEdit* title_ = nullptr;
};

} // namespace varnel
