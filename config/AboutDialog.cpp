#include "config/AboutDialog.h"

#include "ui/DialogButtons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

namespace {

constexpr int kIconSize = 48;
constexpr int kVersionPointSize = 8;

} // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Varnel"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/varnel.svg")).pixmap(kIconSize, kIconSize));
    auto* name = new QLabel(QStringLiteral("Varnel"), this);
    name->setAlignment(Qt::AlignCenter);
    version_ = new QLabel(QStringLiteral("Version 5.51"), this);
    version_->setObjectName(QLatin1String(kVersionId));
    version_->setAlignment(Qt::AlignCenter);
    QFont bold = version_->font();
    bold.setPointSize(kVersionPointSize);
    bold.setBold(true);
    version_->setFont(bold);

    auto* notice = new QVBoxLayout;
    for (const char* line :
         {"Your gear list, and what it weighs.", "Made for hikers, by hikers.", "Write to us:"}) {
        auto* label = new QLabel(QString::fromUtf8(line), this);
        label->setAlignment(Qt::AlignCenter);
        notice->addWidget(label);
    }
    auto* address = new QLabel(QString::fromLatin1(kHelpAddress), this);
    address->setAlignment(Qt::AlignCenter);
    address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notice->addWidget(address);

    auto* buttons = okButton(this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(name, 0, 1);
    grid->addWidget(version_, 1, 1);
    grid->addLayout(notice, 2, 0, 1, 2);
    grid->addWidget(buttons, 3, 0, 1, 2, Qt::AlignCenter);
}

QString helpMailUrl() {
    return QStringLiteral("mailto:") + QString::fromLatin1(kHelpAddress) +
           QStringLiteral("?subject=Varnel Help");
}

} // namespace varnel
