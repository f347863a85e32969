#include "ui/DialogButtons.h"

#include <QButtonGroup>
#include <QDialog>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QRadioButton>

namespace varnel {

QDialogButtonBox* okButton(QDialog* dialog) {
    auto* ok =
        new QPushButton(QIcon(QStringLiteral(":/icons/ok.svg")), QStringLiteral("OK"), dialog);
    ok->setObjectName(QLatin1String(kOkId));
    ok->setDefault(true);
    auto* buttons = new QDialogButtonBox(dialog);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    return buttons;
}

QDialogButtonBox* okCancelButtons(QDialog* dialog) {
    QDialogButtonBox* buttons = okButton(dialog);
    auto* cancel = new QPushButton(QIcon(QStringLiteral(":/icons/cancel.svg")),
                                   QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QLatin1String(kCancelId));
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

AlignmentRadios makeAlignmentRadios(QWidget* parent, const char* leftId, const char* centerId,
                                    const char* rightId) {
    AlignmentRadios r;
    const auto radio = [parent](const char* text, const char* id) {
        auto* b = new QRadioButton(QString::fromLatin1(text), parent);
        b->setObjectName(QString::fromLatin1(id));
        return b;
    };
    r.left = radio("Left", leftId);
    r.center = radio("Center", centerId);
    r.right = radio("Right", rightId);
    // The parent owns the group; the analyser cannot see Qt's object tree.
    // NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
    auto* group = new QButtonGroup(parent);
    r.layout = new QHBoxLayout;
    for (QRadioButton* b : {r.left, r.center, r.right}) {
        group->addButton(b);
        r.layout->addWidget(b);
    }
    r.layout->addStretch(1);
    return r;
    // NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)
}

} // namespace varnel
