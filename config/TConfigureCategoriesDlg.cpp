#include "config/TConfigureCategoriesDlg.h"

#include "model/CategoryEditing.h"
#include "model/DocumentEdits.h"
#include "model/GearDocument.h"
#include "model/HideViewRefusal.h"
#include "ui/Cp1252.h"
#include "ui/DialogButtons.h"
#include "ui/Prompts.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

namespace varnel {

namespace {

constexpr int kMaxNameLength = static_cast<int>(sCategory60::kMaxName);

QPushButton* makeButton(const char* icon, const QString& text, const char* id, QWidget* parent) {
    auto* button = new QPushButton(QIcon(QString::fromLatin1(icon)), text, parent);
    button->setObjectName(QString::fromLatin1(id));
    return button;
}

PromptAnswer tell(Prompts& prompts, const UserMessage& m, PromptButtons buttons) {
    // Category names are record bytes, so the whole text is read as Windows-1252.
    return prompts.message(Cp1252::toUnicode(m.text), Cp1252::toUnicode(m.caption), m.icon,
                           buttons);
}

} // namespace

TConfigureCategoriesDlg::TConfigureCategoriesDlg(GearDocument& doc, Prompts& prompts,
                                                 std::function<void()> resortByCategory,
                                                 int* addedPosition, QWidget* parent,
                                                 EditPerformer perform)
    : QDialog(parent), doc_(doc), prompts_(prompts), resortByCategory_(std::move(resortByCategory)),
      addedPosition_(addedPosition), perform_(std::move(perform)) {
    setWindowTitle(QStringLiteral("Configure Categories"));

    auto* label = new QLabel(QStringLiteral("Current Categories:"), this);
    box_ = new QComboBox(this);
    box_->setObjectName(QLatin1String(kCategoriesId));
    box_->setEditable(false);
    box_->setMaxVisibleItems(12);
    // Wide enough for the longest name a category can have.
    box_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box_->setMinimumContentsLength(kMaxNameLength + 2);
    label->setBuddy(box_);

    auto* addButton = makeButton(":/icons/add.svg", QStringLiteral("&Add..."), kAddId, this);
    auto* deleteButton =
        makeButton(":/icons/delete.svg", QStringLiteral("&Delete"), kDeleteId, this);
    auto* renameButton =
        makeButton(":/icons/convert.svg", QStringLiteral("&Rename..."), kRenameId, this);
    connect(addButton, &QPushButton::clicked, this, &TConfigureCategoriesDlg::add);
    connect(deleteButton, &QPushButton::clicked, this, &TConfigureCategoriesDlg::remove);
    connect(renameButton, &QPushButton::clicked, this, &TConfigureCategoriesDlg::rename);

    auto* closeButtons = okCancelButtons(this);
    auto* ok = closeButtons->findChild<QPushButton*>(QLatin1String(kOkId));
    auto* cancel = closeButtons->findChild<QPushButton*>(QLatin1String(kCancelId));

    auto* editButtons = new QHBoxLayout;
    editButtons->addWidget(addButton);
    editButtons->addWidget(deleteButton);
    editButtons->addWidget(renameButton);
    editButtons->addStretch(1);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(box_);
    layout->addLayout(editButtons);
    layout->addSpacing(4);
    layout->addWidget(rule);
    layout->addWidget(closeButtons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(box_, addButton);
    setTabOrder(addButton, deleteButton);
    setTabOrder(deleteButton, renameButton);
    setTabOrder(renameButton, ok);
    setTabOrder(ok, cancel);

    fillBox();
    box_->setCurrentIndex(box_->count() > 0 ? 0 : -1);
    box_->setFocus();
}

bool TConfigureCategoriesDlg::showsBefore(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

int TConfigureCategoriesDlg::insertEntry(const QString& name, int id) {
    int lo = 0;
    int hi = box_->count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (showsBefore(name, box_->itemText(mid))) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    box_->insertItem(lo, name, id);
    return lo;
}

void TConfigureCategoriesDlg::fillBox() {
    box_->clear();
    for (const sCategory60& c : doc_.categoryList) {
        insertEntry(Cp1252::toUnicode(c.nameText()), c.id);
    }
}

void TConfigureCategoriesDlg::add() {
    if (const auto limit = categoryLimitMessage(doc_)) {
        tell(prompts_, *limit, PromptButtons::Ok);
        return;
    }
    const std::optional<QString> text = prompts_.textInput(
        QStringLiteral("Add New Category"),
        QStringLiteral("Enter New Category (16 characters max.)"), QString(), kMaxNameLength);
    if (!text) {
        return;
    }
    CategoryAddOutcome out;
    perform(perform_, addCategoryEdit(Cp1252::fromUnicode(*text), &out), doc_);
    if (out.message) {
        tell(prompts_, *out.message, PromptButtons::Ok);
        return;
    }
    if (!out.added()) {
        return;
    }
    const int position = insertEntry(Cp1252::toUnicode(out.name), out.id);
    box_->setCurrentIndex(position);
    if (addedPosition_) {
        *addedPosition_ = position;
    }
}

void TConfigureCategoriesDlg::remove() {
    // With nothing selected the box text is empty, which would name an empty category that the
    // user never chose.
    const int position = box_->currentIndex();
    if (position < 0) {
        return;
    }
    // The rows set aside would come back under a name the category list no longer has.
    if (const auto refusal = hideViewRefusal(doc_, "deleting a category")) {
        tell(prompts_, *refusal, PromptButtons::Ok);
        return;
    }
    const std::string name = Cp1252::fromUnicode(box_->itemText(position));
    if (categoryInUse(doc_, name) &&
        tell(prompts_, deleteInUseQuestion(name), PromptButtons::YesNo) != PromptAnswer::Yes) {
        return;
    }
    perform(perform_, deleteCategoryEdit(name), doc_);
    box_->removeItem(position);
    box_->setCurrentIndex(-1);
}

void TConfigureCategoriesDlg::rename() {
    const int position = box_->currentIndex();
    if (position < 0) {
        return;
    }
    if (const auto refusal = hideViewRefusal(doc_, "renaming a category")) {
        tell(prompts_, *refusal, PromptButtons::Ok);
        return;
    }
    const QString shownName = box_->itemText(position);
    const std::string oldName = Cp1252::fromUnicode(shownName);
    if (categoryInUse(doc_, oldName) &&
        tell(prompts_, renameInUseQuestion(oldName), PromptButtons::YesNo) != PromptAnswer::Yes) {
        return;
    }
    const std::optional<QString> text = prompts_.textInput(
        QStringLiteral("Rename Category"),
        QStringLiteral("Rename \"") + shownName + QStringLiteral("\" to: (16 characters max.)"),
        QString(), kMaxNameLength);
    if (!text) {
        return;
    }
    const std::string newName = Cp1252::fromUnicode(*text);
    if (const auto refusal = renameRefusal(doc_, oldName, newName)) {
        tell(prompts_, *refusal, PromptButtons::Ok);
        return;
    }
    {
        // The re-sort belongs to the step, so that taking it back puts the rows back too.
        const WaitCursor wait(prompts_);
        perform(perform_, renameCategoryEdit(oldName, newName, nullptr, resortByCategory_), doc_);
    }
    // The same place in the box, which after sorting may hold another name.
    fillBox();
    box_->setCurrentIndex(std::min(position, box_->count() - 1));
}

} // namespace varnel
