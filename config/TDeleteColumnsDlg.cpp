#include "config/TDeleteColumnsDlg.h"

#include "ui/DialogButtons.h"
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

namespace {

constexpr int kVisibleRows = 8;

} // namespace

TDeleteColumnsDlg::TDeleteColumnsDlg(TDeleteColumnsDlgXfer& xfer, QWidget* parent)
    : QDialog(parent), xfer_(xfer) {
    setWindowTitle(QStringLiteral("Delete User Columns"));

    auto* caption = new QLabel(QStringLiteral("Select Column(s) to delete."), this);

    list_ = new QListWidget(this);
    list_->setObjectName(QLatin1String(kColumnsId));
    // Each click toggles its entry, as in a list box that takes several at once.
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    list_->setSortingEnabled(false);
    list_->addItems(xfer_.strings);
    for (const int p : xfer_.selection) {
        if (QListWidgetItem* item = list_->item(p)) {
            item->setSelected(true);
        }
    }
    caption->setBuddy(list_);
    const QFontMetrics metrics(list_->font());
    list_->setMinimumWidth(metrics.averageCharWidth() * 32);
    const int rowHeight = list_->count() > 0 ? list_->sizeHintForRow(0) : metrics.height();
    list_->setMinimumHeight(kVisibleRows * rowHeight + 2 * list_->frameWidth());

    auto* buttons = okCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(minimumSizeHint());

    list_->setFocus();
}

void TDeleteColumnsDlg::accept() {
    QList<int> selected;
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->isSelected()) {
            selected << i;
        }
    }
    xfer_.selection = selected;
    QDialog::accept();
}

} // namespace varnel
