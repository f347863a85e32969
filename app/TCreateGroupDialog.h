#pragma once
// "Create Group": the name and notes of the group made by dropping one item on another.

#include "app/TCreateGroupDialogXfer.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace varnel {

class GearDocument;
class Prompts;

class TCreateGroupDialog : public QDialog {
    Q_OBJECT

public:
    // The object names of the controls; OK and Cancel have the usual ones.
    static constexpr const char* kNameId = "101";
    static constexpr const char* kPromptId = "102";
    static constexpr const char* kNotesId = "103";

    // Names the items of rows `source` (dragged) and `target` (dropped on). OK refuses an empty
    // name and one an existing group already has; otherwise it stores the fields in `xfer`.
    TCreateGroupDialog(TCreateGroupDialogXfer& xfer, const GearDocument& document, int source,
                       int target, Prompts& prompts, QWidget* parent = nullptr);

    [[nodiscard]] QString promptText() const;

public slots:
    void accept() override;

private:
    TCreateGroupDialogXfer& xfer_;
    const GearDocument& document_;
    Prompts& prompts_;
    QLabel* prompt_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* notes_ = nullptr;
};

} // namespace varnel
