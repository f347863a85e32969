#include "config/TModifyColumnDlg.h"

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
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varnel {

namespace {

constexpr int kHeadingLength = 40;
constexpr int kVisibleRows = 8;

} // namespace

TModifyColumnDlg::TModifyColumnDlg(TModifyColumnDlgXfer& xfer, QWidget* parent)
    : QDialog(parent), xfer_(xfer) {
    setWindowTitle(QStringLiteral("Modify Column"));

    auto* caption = new QLabel(QStringLiteral("Choose Column"), this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("101"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSortingEnabled(false);
    list_->addItems(xfer_.strings);
    if (!xfer_.selection.isEmpty()) {
        list_->setCurrentRow(xfer_.selection.first());
    }
    caption->setBuddy(list_);
    const QFontMetrics metrics(list_->font());
    const int rowHeight = list_->count() > 0 ? list_->sizeHintForRow(0) : metrics.height();
    list_->setMinimumHeight(kVisibleRows * rowHeight + 2 * list_->frameWidth());

    heading_ = new QLineEdit(this);
    heading_->setObjectName(QStringLiteral("102"));
    heading_->setMaxLength(kHeadingLength);
    heading_->setMinimumWidth(metrics.averageCharWidth() * 30);

    left_ = new QRadioButton(QStringLiteral("Left"), this);
    left_->setObjectName(QStringLiteral("105"));
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
    form->addRow(QStringLiteral("Heading:"), heading_);
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
    layout->addWidget(caption);
    layout->addWidget(list_, 1);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(minimumSizeHint());

    setTabOrder(list_, heading_);
    setTabOrder(heading_, left_);
    setTabOrder(left_, center_);
    setTabOrder(center_, right_);
    setTabOrder(right_, ok);
    setTabOrder(ok, cancel);

    heading_->setText(Cp1252::toUnicode(fieldText(xfer_.heading)));
    left_->setChecked(xfer_.left != 0);
    center_->setChecked(xfer_.center != 0 && xfer_.left == 0);
    right_->setChecked(xfer_.right != 0 && xfer_.left == 0 && xfer_.center == 0);
    list_->setFocus();
}

void TModifyColumnDlg::accept() {
    xfer_.selection.clear();
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->isSelected()) {
            xfer_.selection << i;
        }
    }
    xfer_.left = left_->isChecked() ? 1 : 0;
    xfer_.center = center_->isChecked() ? 1 : 0;
    xfer_.right = right_->isChecked() ? 1 : 0;
    setField(xfer_.heading, Cp1252::fromUnicode(heading_->text()));
    QDialog::accept();
}

} // namespace varnel
