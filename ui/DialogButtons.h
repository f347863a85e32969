#pragma once
// Pieces every dialog of the program shares.

#include <QDialogButtonBox>

class QDialog;
class QHBoxLayout;
class QRadioButton;

namespace varnel {

// The object names of OK and Cancel in every dialog.
inline constexpr const char* kOkId = "1";
inline constexpr const char* kCancelId = "2";

// OK alone (id 1, the default, with the green check mark), wired to accept.
QDialogButtonBox* okButton(QDialog* dialog);

// OK (id 1, the default, with the green check mark) and Cancel (id 2, with the red X), wired to
// accept and reject.
QDialogButtonBox* okCancelButtons(QDialog* dialog);

// Left, Center and Right in one exclusive group, side by side.
struct AlignmentRadios {
    QRadioButton* left = nullptr;
    QRadioButton* center = nullptr;
    QRadioButton* right = nullptr;
    QHBoxLayout* layout = nullptr;
};
AlignmentRadios makeAlignmentRadios(QWidget* parent, const char* leftId, const char* centerId,
                                    const char* rightId);

} // namespace varnel
