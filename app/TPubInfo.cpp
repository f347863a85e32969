#include "app/TPubInfo.h"

#include "model/FixedText.h"
#include "model/GearMarks.h"
#include "model/WeightText.h"
#include "ui/Cp1252.h"
#include "ui/DialogButtons.h"
#include "ui/Prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace varnel {

namespace {

const QString kNoWeightQuestion =
    QStringLiteral("Are you sure you want to continue with no weight specified?");

template <std::size_t N> QString shown(const char (&field)[N]) {
    return Cp1252::toUnicode(fieldText(field));
}

template <std::size_t N> void store(char (&field)[N], const QLineEdit* edit) {
    setField(field, Cp1252::fromUnicode(edit->text()));
}

QLineEdit* makeEdit(QWidget* parent, const char* id, std::size_t maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(id));
    // One character is one byte once stored, so the field's width bounds what can be typed.
    edit->setMaxLength(static_cast<int>(maxLength));
    return edit;
}

QPushButton* makeButton(QWidget* parent, const char* id, const QString& text, const char* icon) {
    auto* button = new QPushButton(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))),
                                   text, parent);
    button->setObjectName(QLatin1String(id));
    return button;
}

// Alphabetical ignoring case, then exact: the Configure Categories box shows names in this
// order, and a position chosen there must mean the same name here.
bool showsBefore(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

} // namespace

TPubInfo::TPubInfo(TPubInfoXfer& xfer, bool modifyMode, bool metric, bool handheld,
                   Prompts& prompts, QWidget* parent)
    : QDialog(parent), xfer_(xfer), prompts_(prompts), modifyMode_(modifyMode), metric_(metric) {
    setWindowTitle(QStringLiteral("Gear Information"));
    createControls();

    if (modifyMode_) {
        add_->setEnabled(false);
        convert_->hide();
    }
    if (!metric_) {
        convert_->setText(QStringLiteral("Convert to grams"));
    }
    if (handheld) {
        convert_->setEnabled(false);
        columns_->setEnabled(false);
    }
    writeControls();
    item_->setFocus();
}

void TPubInfo::createControls() {
    const QFontMetrics metrics(font());
    const int charWidth = metrics.averageCharWidth();

    auto* categoryLabel = new QLabel(QStringLiteral("Category:"), this);
    category_ = new QComboBox(this);
    category_->setObjectName(QLatin1String(kCategoryId));
    category_->setEditable(false);
    category_->setMinimumContentsLength(20);
    category_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    configure_ = makeButton(this, kConfigureId, QStringLiteral("Configure..."), "configure");
    categoryLabel->setBuddy(category_);

    auto* itemLabel = new QLabel(QStringLiteral("Item:"), this);
    item_ = makeEdit(this, kItemId, kMaxItemLength);
    item_->setMinimumWidth(charWidth * 42);
    itemLabel->setBuddy(item_);

    auto* weightLabel = new QLabel(QStringLiteral("Weight (oz or gm):"), this);
    unitWeight_ = makeEdit(this, kWeightId, kMaxUnitWeightLength);
    unitWeight_->setFixedWidth(charWidth * 14);
    convert_ = makeButton(this, kConvertId, QStringLiteral("Convert to Ounces"), "convert");
    weightLabel->setBuddy(unitWeight_);

    auto* multiplierLabel = new QLabel(QStringLiteral("Multiply by:"), this);
    multiplier_ = makeEdit(this, kMultiplierId, kMaxMultiplierLength);
    multiplier_->setFixedWidth(charWidth * 8);
    multiplierLabel->setBuddy(multiplier_);

    auto* notesLabel = new QLabel(QStringLiteral("Notes:"), this);
    notes_ = makeEdit(this, kNotesId, kMaxNotesLength);
    notesLabel->setBuddy(notes_);

    auto* columnsLabel = new QLabel(
        QStringLiteral("Custom Column(s) text. Click column title, then enter text below"), this);
    columns_ = new QListWidget(this);
    columns_->setObjectName(QLatin1String(kColumnsId));
    columns_->setSelectionMode(QAbstractItemView::SingleSelection);
    columns_->setFixedHeight(metrics.height() * 5 + 2 * columns_->frameWidth() + 4);
    columnsLabel->setBuddy(columns_);

    auto* columnTextLabel = new QLabel(QStringLiteral("Text for selected column:"), this);
    columnText_ = makeEdit(this, kColumnTextId, kMaxColumnTextLength);
    columnText_->installEventFilter(this);
    columnTextLabel->setBuddy(columnText_);

    add_ = makeButton(this, kAddId, QStringLiteral("Add"), "add");
    ok_ = makeButton(this, kOkId, QStringLiteral("OK"), "ok");
    ok_->setDefault(true);
    cancel_ = makeButton(this, kCancelId, QStringLiteral("Cancel"), "cancel");

    // Fields in a grid, labels on the left; the short weight and multiplier edits keep their
    // buttons beside them.
    auto* fields = new QGridLayout;
    fields->addWidget(categoryLabel, 0, 0);
    auto* categoryRow = new QHBoxLayout;
    categoryRow->addWidget(category_, 1);
    categoryRow->addWidget(configure_);
    fields->addLayout(categoryRow, 0, 1);
    fields->addWidget(itemLabel, 1, 0);
    fields->addWidget(item_, 1, 1);
    fields->addWidget(weightLabel, 2, 0);
    auto* weightRow = new QHBoxLayout;
    weightRow->addWidget(unitWeight_);
    weightRow->addWidget(convert_);
    weightRow->addStretch(1);
    fields->addLayout(weightRow, 2, 1);
    fields->addWidget(multiplierLabel, 3, 0);
    auto* multiplierRow = new QHBoxLayout;
    multiplierRow->addWidget(multiplier_);
    multiplierRow->addStretch(1);
    fields->addLayout(multiplierRow, 3, 1);
    fields->addWidget(notesLabel, 4, 0);
    fields->addWidget(notes_, 4, 1);
    fields->setColumnStretch(1, 1);

    auto* columnTextRow = new QHBoxLayout;
    columnTextRow->addWidget(columnTextLabel);
    columnTextRow->addWidget(columnText_, 1);
    worn_ = new QCheckBox(tr("Worn"), this);
    worn_->setObjectName(QStringLiteral("worn"));
    consumable_ = new QCheckBox(tr("Consumable"), this);
    consumable_->setObjectName(QStringLiteral("consumable"));
    auto* marksRow = new QHBoxLayout;
    marksRow->addWidget(worn_);
    marksRow->addWidget(consumable_);
    marksRow->addStretch(1);

    // OK takes Add's place: one shows, the other stays hidden behind it.
    auto* addOrOk = new QStackedLayout;
    addOrOk->addWidget(add_);
    addOrOk->addWidget(ok_);
    addOrOk->setCurrentWidget(modifyMode_ ? ok_ : add_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addLayout(addOrOk);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addWidget(columnsLabel);
    layout->addWidget(columns_);
    layout->addLayout(columnTextRow);
    layout->addLayout(marksRow);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(category_, configure_);
    setTabOrder(configure_, item_);
    setTabOrder(item_, unitWeight_);
    setTabOrder(unitWeight_, convert_);
    setTabOrder(convert_, multiplier_);
    setTabOrder(multiplier_, notes_);
    setTabOrder(notes_, columns_);
    setTabOrder(columns_, columnText_);
    setTabOrder(columnText_, worn_);
    setTabOrder(worn_, consumable_);
    setTabOrder(consumable_, modifyMode_ ? ok_ : add_);
    setTabOrder(modifyMode_ ? ok_ : add_, cancel_);

    connect(configure_, &QPushButton::clicked, this, &TPubInfo::configureCategories);
    connect(convert_, &QPushButton::clicked, this, &TPubInfo::convertWeight);
    connect(add_, &QPushButton::clicked, this, &TPubInfo::addItem);
    connect(ok_, &QPushButton::clicked, this, &TPubInfo::accept);
    connect(cancel_, &QPushButton::clicked, this, &TPubInfo::reject);
    connect(columns_, &QListWidget::currentRowChanged, this, [this](int row) {
        storeColumnText();
        showColumnText(row);
    });
    connect(columnText_, &QLineEdit::textEdited, this, [this] {
        storeColumnText();
        showMarks();
    });
    connect(worn_, &QCheckBox::clicked, this, [this](bool on) { storeMark(true, on); });
    connect(consumable_, &QCheckBox::clicked, this, [this](bool on) { storeMark(false, on); });
}

int TPubInfo::markSlot(bool worn) const {
    std::vector<std::string> headings;
    for (const QString& name : xfer_.columnNames) {
        headings.push_back(Cp1252::fromUnicode(name));
    }
    const MarkColumns marks = markColumns(headings);
    return (worn ? marks.worn : marks.consumable) - 1;
}

void TPubInfo::showMarks() {
    for (const bool worn : {true, false}) {
        QCheckBox* box = worn ? worn_ : consumable_;
        const int slot = markSlot(worn);
        const bool there = slot >= 0 && slot < static_cast<int>(xfer_.columnTextSlots.size());
        box->setEnabled(there);
        box->setToolTip(
            there ? QString()
                  : tr("Mark an item from the list to add the \"%1\" column").arg(box->text()));
        box->setChecked(there && isMarkText(xfer_.columnTextSlots[static_cast<std::size_t>(slot)]));
    }
}

void TPubInfo::storeMark(bool worn, bool marked) {
    const int slot = markSlot(worn);
    if (slot < 0 || slot >= static_cast<int>(xfer_.columnTextSlots.size())) {
        return;
    }
    storeColumnText();
    xfer_.columnTextSlots[static_cast<std::size_t>(slot)] =
        marked ? std::string(markHeading(worn ? GearMark::Worn : GearMark::Consumable))
               : std::string();
    showColumnText(shownColumn_);
}

void TPubInfo::loadCategories() {
    const QSignalBlocker block(category_);
    category_->clear();
    std::vector<int> order(xfer_.categoryNames.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<QString> names;
    names.reserve(order.size());
    for (const std::string& name : xfer_.categoryNames) {
        names.push_back(Cp1252::toUnicode(name));
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return showsBefore(names[static_cast<std::size_t>(a)], names[static_cast<std::size_t>(b)]);
    });
    for (int i : order) {
        category_->addItem(names[static_cast<std::size_t>(i)], i);
    }
    category_->setCurrentIndex(category_->findData(xfer_.categorySelection));
}

void TPubInfo::writeControls() {
    loadCategories();
    item_->setText(shown(xfer_.item));
    unitWeight_->setText(shown(xfer_.unitWeight));
    multiplier_->setText(shown(xfer_.multiplier));
    notes_->setText(shown(xfer_.notes));

    xfer_.columnTextSlots.resize(static_cast<std::size_t>(xfer_.columnNames.size()));
    shownColumn_ = -1;
    {
        const QSignalBlocker block(columns_);
        columns_->clear();
        columns_->addItems(xfer_.columnNames);
    }
    columnText_->clear();
    if (columns_->count() > 0) {
        columns_->setCurrentRow(0);
        showColumnText(0);
    } else {
        columnText_->setEnabled(false);
    }
    showMarks();
}

void TPubInfo::readControls() {
    storeColumnText();
    const QVariant chosen = category_->currentData();
    xfer_.categorySelection = chosen.isValid() ? chosen.toInt() : -1;
    store(xfer_.item, item_);
    store(xfer_.unitWeight, unitWeight_);
    store(xfer_.multiplier, multiplier_);
    store(xfer_.notes, notes_);
}

void TPubInfo::showColumnText(int column) {
    if (column < 0 || column >= static_cast<int>(xfer_.columnTextSlots.size())) {
        shownColumn_ = -1;
        columnText_->clear();
        return;
    }
    shownColumn_ = column;
    columnText_->setText(
        Cp1252::toUnicode(xfer_.columnTextSlots[static_cast<std::size_t>(column)]));
}

void TPubInfo::storeColumnText() {
    if (shownColumn_ < 0 || shownColumn_ >= static_cast<int>(xfer_.columnTextSlots.size())) {
        return;
    }
    xfer_.columnTextSlots[static_cast<std::size_t>(shownColumn_)] =
        Cp1252::fromUnicode(columnText_->text()).substr(0, kMaxColumnTextLength);
}

bool TPubInfo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == columnText_ && event->type() == QEvent::FocusOut) {
        storeColumnText();
    }
    return QDialog::eventFilter(watched, event);
}

bool TPubInfo::itemReady(bool quietWhenNoItem) {
    if (fieldText(xfer_.item).empty()) {
        if (!quietWhenNoItem) {
            prompts_.message(QStringLiteral("Please enter an item description or press Cancel"),
                             QStringLiteral("Oops"), MessageIcon::None, PromptButtons::Ok);
        }
        return false;
    }
    if (fieldText(xfer_.unitWeight).empty() &&
        prompts_.message(kNoWeightQuestion, QStringLiteral("No Weight"), MessageIcon::Question,
                         PromptButtons::YesNo) != PromptAnswer::Yes) {
        return false;
    }
    if (!lineWeightText(fieldText(xfer_.unitWeight), fieldText(xfer_.multiplier))) {
        prompts_.showMessage(lineWeightTooLarge());
        unitWeight_->setFocus();
        return false;
    }
    return true;
}

void TPubInfo::addItem() {
    if (modifyMode_) {
        return;
    }
    readControls();
    if (!itemReady(true)) {
        return;
    }
    if (onAddItem) {
        onAddItem(xfer_);
    }
    // Ready for the next item of the same category, in the same column.
    xfer_.clearForNextItem();
    item_->setText(shown(xfer_.item));
    unitWeight_->setText(shown(xfer_.unitWeight));
    multiplier_->setText(shown(xfer_.multiplier));
    notes_->setText(shown(xfer_.notes));
    columnText_->clear();
    item_->setFocus();
}

void TPubInfo::accept() {
    readControls();
    if (itemReady(false)) {
        QDialog::accept();
    }
}

void TPubInfo::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    // In add mode OK is hidden, so QDialog would find no default button to press.
    if (enter && plain && !modifyMode_) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TPubInfo::configureCategories() {
    if (!onConfigureCategories) {
        return;
    }
    readControls();
    xfer_.configuredCategoryPosition = 0;
    if (!onConfigureCategories()) {
        return;
    }
    loadCategories();
    if (category_->count() > 0) {
        category_->setCurrentIndex(
            std::clamp(xfer_.configuredCategoryPosition, 0, category_->count() - 1));
    }
}

void TPubInfo::convertWeight() {
    if (convertToGrams_ < 0) {
        convertToGrams_ = metric_ ? 1 : 0;
    }
    const auto unit = static_cast<float>(weightValue(Cp1252::fromUnicode(unitWeight_->text())));
    const double converted = convertToGrams_ ? static_cast<double>(unit * 28.375F) : unit * 0.03524;
    const std::string text = formatWeight(converted);
    // The edit would cut a longer text to its width: a wrong weight, not a converted one.
    if (!std::isfinite(converted) || text.size() > kMaxUnitWeightLength) {
        prompts_.message(QStringLiteral("The converted weight is too large to be stored: a weight "
                                        "has at most 9 characters."),
                         QStringLiteral("Weight Too Large"), MessageIcon::Exclamation,
                         PromptButtons::Ok);
        return;
    }
    unitWeight_->setText(QString::fromLatin1(text));
    if (convertToGrams_) {
        convert_->setText(QStringLiteral("Convert to ounces"));
        convertToGrams_ = 0;
    } else {
        convert_->setText(QStringLiteral("Convert to grams"));
        convertToGrams_ = 1;
    }
}

} // namespace varnel
