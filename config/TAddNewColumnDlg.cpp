#include "config/TAddNewColumnDlg.h"

#include "app/Cp1252.h"
#include "model/FixedText.h"

#include <QButtonGroup>
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
    heading_->setObjectName(QStringLiteral("101"));
    heading_->setMaxLength(kHeadingLength);
    heading_->setMinimumWidth(QFontMetrics(heading_->font()).averageCharWidth() * 30);

    left_ = new QRadioButton(QStringLiteral("Left"), this);
    left_->setObjectName(QStringLiteral("102"));
    center_ = new QRadioButton(QStringLiteral("Center"), this);
    center_->setObjectName(QStringLiteral("103"));
    right_ = new QRadioButton(QStringLiteral("Right"), this);
    right_->setObjectName(QStringLiteral("104"));
    auto* alignment = new QButtonGroup(this);
    alignment->addButton(left_);
    alignment->addButton(center_);
    alignment->addButton(right_);
    auto* radios = new QHBoxLayout;
    radios->addWidget(left_);
    radios->addWidget(center_);
    radios->addWidget(right_);
    radios->addStretch(1);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Heading: "), heading_);
    form->addRow(QStringLiteral("Alignment:"), radios);

    auto* ok = new QPushButton(QIcon(QStringLiteral(":/icons/ok.svg")), QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QIcon(QStringLiteral(":/icons/cancel.svg")),
                                   QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("2"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(heading_, left_);
    setTabOrder(left_, center_);
    setTabOrder(center_, right_);
    setTabOrder(right_, ok);
    setTabOrder(ok, cancel);

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
