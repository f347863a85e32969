#include "app/TCreateGroupDialog.h"

#include "model/FixedText.h"
#include "model/GearDocument.h"
#include "model/GroupEditing.h"
#include "ui/Cp1252.h"
#include "ui/DialogButtons.h"
#include "ui/Prompts.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace varnel {

namespace {

QString itemOf(const GearDocument& document, int row) {
    if (row < 0 || row >= document.rowCount()) {
        return {};
    }
    return Cp1252::toUnicode(fieldText(document.row(row).record->item));
}

QLineEdit* makeEdit(QWidget* parent, const char* id, std::size_t maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(id));
    // One character is one byte once stored.
    edit->setMaxLength(static_cast<int>(maxLength));
    edit->setMinimumWidth(QFontMetrics(edit->font()).averageCharWidth() * 42);
    return edit;
}

} // namespace

TCreateGroupDialog::TCreateGroupDialog(TCreateGroupDialogXfer& xfer, const GearDocument& document,
                                       int source, int target, Prompts& prompts, QWidget* parent)
    : QDialog(parent), xfer_(xfer), document_(document), prompts_(prompts) {
    setWindowTitle(QStringLiteral("Create Group"));

    prompt_ = new QLabel(QStringLiteral("If you would like to add \"%1\" and \"%2\" to a group, "
                                        "enter a group name below, and click OK")
                             .arg(itemOf(document, source), itemOf(document, target)),
                         this);
    prompt_->setObjectName(QLatin1String(kPromptId));
    // Item names are the user's text, never markup.
    prompt_->setTextFormat(Qt::PlainText);
    prompt_->setWordWrap(true);

    name_ = makeEdit(this, kNameId, kMaxGroupNameLength);
    notes_ = makeEdit(this, kNotesId, kMaxGroupNotesLength);
    name_->setText(Cp1252::toUnicode(fieldText(xfer_.name)));
    notes_->setText(Cp1252::toUnicode(fieldText(xfer_.notes)));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Group Name:"), name_);
    form->addRow(QStringLiteral("Group Notes:"), notes_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addSpacing(6);
    layout->addLayout(form);
    layout->addWidget(okCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    name_->setFocus();
}

QString TCreateGroupDialog::promptText() const {
    return prompt_->text();
}

void TCreateGroupDialog::accept() {
    const std::string name = Cp1252::fromUnicode(name_->text());
    if (const auto refusal = groupNameRefusal(document_, name)) {
        prompts_.showMessage(*refusal);
        name_->setFocus();
        return;
    }
    setField(xfer_.name, name);
    setField(xfer_.notes, Cp1252::fromUnicode(notes_->text()));
    QDialog::accept();
}

} // namespace varnel
