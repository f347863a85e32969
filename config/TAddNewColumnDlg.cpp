#include "config/TAddNewColumnDlg.h"

#include "model/FixedText.h"
#include "ui/Cp1252.h"
#include "ui/DialogButtons.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varnel {

namespace {

constexpr int kHeadingLength = 40;

} // namespace

TAddNewColumnDlg::TAddNewColumnDlg(TAddNewColumnDlgXfer& xfer, QWidget* parent)
    : QDialog(parent), xfer_(xfer) {
    setWindowTitle(QStringLiteral("Add New Column"));

    heading_ = new QLineEdit(this);
    heading_->setObjectName(QLatin1String(kHeadingId));
    heading_->setMaxLength(kHeadingLength);
    heading_->setMinimumWidth(QFontMetrics(heading_->font()).averageCharWidth() * 30);

    const AlignmentRadios alignment = makeAlignmentRadios(this, kLeftId, kCenterId, kRightId);
    left_ = alignment.left;
    center_ = alignment.center;
    right_ = alignment.right;
    auto* radios = alignment.layout;

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Heading: "), heading_);
    form->addRow(QStringLiteral("Alignment:"), radios);

    auto* buttons = okCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(heading_, left_);
    setTabOrder(left_, center_);
    setTabOrder(center_, right_);

    heading_->setText(Cp1252::toUnicode(fieldText(xfer_.heading)));
    left_->setChecked(xfer_.left != 0);
    center_->setChecked(xfer_.center != 0 && xfer_.left == 0);
    right_->setChecked(xfer_.right != 0 && xfer_.left == 0 && xfer_.center == 0);
    heading_->setFocus();
}

void TAddNewColumnDlg::accept() {
    setField(xfer_.heading, Cp1252::fromUnicode(heading_->text()));
    xfer_.left = left_->isChecked() ? 1 : 0;
    xfer_.center = center_->isChecked() ? 1 : 0;
    xfer_.right = right_->isChecked() ? 1 : 0;
    QDialog::accept();
}

} // namespace varnel
