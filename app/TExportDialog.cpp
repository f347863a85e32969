#include "app/TExportDialog.h"

#include "model/FixedText.h"
#include "ui/Cp1252.h"
#include "ui/DialogButtons.h"
#include "ui/Prompts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varnel {

namespace {

// Room for a typical full path without scrolling.
constexpr int kNameChars = 44;

QString idName(int id) {
    return QString::number(id);
}

} // namespace

TExportDialog::TExportDialog(TExportDialogXfer& xfer, Prompts& prompts, bool userColumns,
                             QWidget* parent)
    : QDialog(parent), xfer_(xfer), prompts_(prompts) {
    setWindowTitle(QStringLiteral("Export Gear Data"));
    const int charWidth = QFontMetrics(font()).averageCharWidth();

    auto* files = new QGroupBox(QStringLiteral("Export Gear Data to"), this);
    files->setObjectName(idName(101));
    auto* grid = new QGridLayout(files);
    for (std::size_t i = 0; i < kExportFileCount; ++i) {
        const ExportFileRow& row = kExportFileRows[i];
        FileRowControls& c = rows_[i];
        c.chosen = new QCheckBox(QString::fromLatin1(row.label), files);
        c.chosen->setObjectName(idName(row.checkId));
        c.name = new QLineEdit(files);
        c.name->setObjectName(idName(row.editId));
        c.name->setMinimumWidth(charWidth * kNameChars);
        c.browse = new QPushButton(QStringLiteral("Browse..."), files);
        c.browse->setObjectName(idName(row.browseId));
        c.browse->setAutoDefault(false);
        connect(c.browse, &QPushButton::clicked, this, [this, i] { browse(i); });
        const int r = static_cast<int>(i);
        grid->addWidget(c.chosen, r, 0);
        grid->addWidget(c.name, r, 1);
        grid->addWidget(c.browse, r, 2);
    }
    sendMail_ = new QCheckBox(QStringLiteral("Send as EMail"), files);
    sendMail_->setObjectName(idName(106));
    grid->addWidget(sendMail_, static_cast<int>(kExportFileCount), 0, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    options->setObjectName(idName(108));
    allItems_ = new QRadioButton(QStringLiteral("Export All Items"), options);
    allItems_->setObjectName(idName(109));
    checkedOnly_ = new QRadioButton(QStringLiteral("Export only Checked Items"), options);
    checkedOnly_->setObjectName(idName(110));
    auto* scope = new QButtonGroup(options);
    scope->addButton(allItems_);
    scope->addButton(checkedOnly_);
    notes_ = new QCheckBox(QStringLiteral("Export Notes"), options);
    notes_->setObjectName(idName(112));
    customColumns_ = new QCheckBox(QStringLiteral("Export Custom Columns"), options);
    customColumns_->setObjectName(idName(120));
    auto* optionGrid = new QGridLayout(options);
    optionGrid->addWidget(allItems_, 0, 0);
    optionGrid->addWidget(notes_, 0, 1);
    optionGrid->addWidget(checkedOnly_, 1, 0);
    optionGrid->addWidget(customColumns_, 1, 1);

    title_ = new QLineEdit(this);
    title_->setObjectName(idName(121));
    title_->setMaxLength(static_cast<int>(kMaxTitleLength));
    auto* titleLabel = new QLabel(QStringLiteral("Title:"), this);
    titleLabel->setBuddy(title_);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(titleLabel);
    titleRow->addWidget(title_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(files);
    layout->addWidget(options);
    layout->addLayout(titleRow);
    layout->addWidget(okCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (std::size_t i = 0; i < kExportFileCount; ++i) {
        rows_[i].chosen->setChecked(xfer_.files[i].chosen != 0);
        rows_[i].name->setText(QString::fromStdString(xfer_.files[i].name));
    }
    sendMail_->setChecked(xfer_.sendMail != 0);
    allItems_->setChecked(xfer_.allItems != 0 || xfer_.checkedOnly == 0);
    checkedOnly_->setChecked(!allItems_->isChecked());
    notes_->setChecked(xfer_.notes != 0);
    customColumns_->setChecked(xfer_.customColumns != 0);
    customColumns_->setEnabled(userColumns);
    title_->setText(Cp1252::toUnicode(fieldText(xfer_.title)));
    rows_[0].chosen->setFocus();
}

void TExportDialog::browse(std::size_t row) {
    const ExportFileRow& r = kExportFileRows[row];
    const QString initial = r.sharedChooser != 0 ? sharedNames_[r.sharedChooser] : QString();
    const auto chosen =
        prompts_.saveFileName(QStringLiteral("Save As"), QString::fromLatin1(r.filter), initial,
                              QString::fromLatin1(r.defaultExtension));
    if (!chosen) {
        return;
    }
    if (r.sharedChooser != 0) {
        sharedNames_[r.sharedChooser] = *chosen;
    }
    rows_[row].name->setText(*chosen);
}

TExportDialogXfer TExportDialog::fromControls() const {
    TExportDialogXfer taken = xfer_;
    for (std::size_t i = 0; i < kExportFileCount; ++i) {
        taken.files[i].chosen = rows_[i].chosen->isChecked() ? 1 : 0;
        taken.files[i].name = rows_[i].name->text().toStdString();
    }
    taken.sendMail = sendMail_->isChecked() ? 1 : 0;
    taken.allItems = allItems_->isChecked() ? 1 : 0;
    taken.checkedOnly = checkedOnly_->isChecked() ? 1 : 0;
    taken.notes = notes_->isChecked() ? 1 : 0;
    taken.customColumns = customColumns_->isChecked() ? 1 : 0;
    setField(taken.title, Cp1252::fromUnicode(title_->text()));
    return taken;
}

void TExportDialog::accept() {
    // Checked on a copy: a dialog that is then cancelled gives the record nothing.
    const TExportDialogXfer taken = fromControls();
    if (const auto problem = exportCloseProblem(taken)) {
        prompts_.message(QString::fromLatin1(problem->message), QStringLiteral("Export"),
                         MessageIcon::Stop, PromptButtons::Ok);
        if (problem->focusRow) {
            rows_[*problem->focusRow].name->setFocus();
        }
        return;
    }
    xfer_ = taken;
    QDialog::accept();
}

} // namespace varnel
