#include "config/TModifyColumnDlg.h"

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
    list_->setObjectName(QLatin1String(kColumnsId));
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
    heading_->setObjectName(QLatin1String(kHeadingId));
    heading_->setMaxLength(kHeadingLength);
    heading_->setMinimumWidth(metrics.averageCharWidth() * 30);

    const AlignmentRadios alignment = makeAlignmentRadios(this, kLeftId, kCenterId, kRightId);
    left_ = alignment.left;
    center_ = alignment.center;
    right_ = alignment.right;
    auto* radios = alignment.layout;

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Heading:"), heading_);
    form->addRow(QStringLiteral("Alignment:"), radios);

    auto* buttons = okCancelButtons(this);

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
