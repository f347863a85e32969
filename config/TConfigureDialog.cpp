#include "config/TConfigureDialog.h"

#include "config/AboutDialog.h"
#include "config/TColorButton.h"
#include "model/DocumentSettings.h"
#include "platform/LogFontConversion.h"
#include "ui/DialogButtons.h"
#include "ui/Prompts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

namespace {

constexpr std::int32_t kStandardSize = 10;
constexpr std::int32_t kSmallestSize = 8;
constexpr const char* kDefaultFace = "Courier New";

QCheckBox* checkBox(const char* text, const char* id, std::int32_t state, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromLatin1(text), parent);
    box->setObjectName(QString::fromLatin1(id));
    box->setChecked(state != 0);
    return box;
}

TColorButton* swatch(const char* id, std::uint32_t color, Prompts& prompts, QWidget* parent) {
    auto* button = new TColorButton(prompts, parent);
    button->setObjectName(QString::fromLatin1(id));
    button->setColor(color);
    return button;
}

} // namespace

TConfigureDialog::TConfigureDialog(TConfigureDialogXfer& xfer, const ListColors& colors,
                                   LogFont* printingFont, std::int32_t fontSize, Prompts& prompts,
                                   QWidget* parent)
    : QDialog(parent), xfer_(xfer), printingFont_(printingFont), prompts_(prompts),
      fontSize_(fontSize) {
    setWindowTitle(QStringLiteral("Configure Varnel"));

    auto* printing = new QGroupBox(QStringLiteral("Printing Options"), this);
    printing->setObjectName(QLatin1String(kPrintingId));
    auto* fontButton = new QPushButton(QIcon(QStringLiteral(":/icons/font.svg")),
                                       QStringLiteral("Select Printing Font..."), printing);
    fontButton->setObjectName(QLatin1String(kFontId));
    fontButton->setAutoDefault(false);
    connect(fontButton, &QPushButton::clicked, this, &TConfigureDialog::selectPrintingFont);
    totalEachCategory_ =
        checkBox("Total Each Category", kTotalEachCategoryId, xfer_.totalEachCategory, printing);
    showGrandTotal_ =
        checkBox("Show Grand Total", kShowGrandTotalId, xfer_.showGrandTotal, printing);
    printNotes_ = checkBox("Print Notes", kPrintNotesId, xfer_.printNotes, printing);
    auto* printingLayout = new QVBoxLayout(printing);
    printingLayout->addWidget(fontButton);
    printingLayout->addSpacing(6);
    printingLayout->addWidget(new QLabel(QStringLiteral("When Printing..."), printing));
    for (QCheckBox* box : {totalEachCategory_, showGrandTotal_, printNotes_}) {
        printingLayout->addWidget(box);
    }
    printingLayout->addStretch(1);

    auto* listColors = new QGroupBox(QStringLiteral("List Color Options"), this);
    listColors->setObjectName(QLatin1String(kListColorsId));
    background_ = swatch(kBackgroundId, colors.background, prompts_, listColors);
    alternate_ = swatch(kAlternateId, colors.alternate, prompts_, listColors);
    group_ = swatch(kGroupId, colors.group, prompts_, listColors);
    auto* colorLayout = new QGridLayout(listColors);
    int row = 0;
    for (const auto& [text, button] :
         {std::pair{"Background Color", background_}, std::pair{"Alternate Row Color", alternate_},
          std::pair{"Group Color", group_}}) {
        auto* label = new QLabel(QString::fromLatin1(text), listColors);
        label->setBuddy(button);
        colorLayout->addWidget(label, row, 0);
        colorLayout->addWidget(button, row, 1);
        ++row;
    }
    colorLayout->setRowStretch(row, 1);

    auto* groups = new QHBoxLayout;
    groups->addWidget(printing);
    groups->addWidget(listColors);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(okCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* previous = fontButton;
    for (QWidget* w : std::initializer_list<QWidget*>{
             totalEachCategory_, showGrandTotal_, printNotes_, background_, alternate_, group_}) {
        setTabOrder(previous, w);
        previous = w;
    }
}

bool TConfigureDialog::setupWindow() {
    if (printingFont_ == nullptr) {
        prompts_.message(QStringLiteral("Big Bad No-No! Email %1").arg(QLatin1String(kHelpAddress)),
                         QString(), MessageIcon::Stop, PromptButtons::Ok);
        return false;
    }
    description_ = *printingFont_;
    // A stored size below one point is no size at all.
    if (fontSize_ <= 0) {
        fontSize_ = kStandardSize;
    }
    return true;
}

void TConfigureDialog::selectPrintingFont() {
    fontButtonUsed_ = true;
    if (fontSize_ > kMaxPointSize) {
        fontSize_ = kStandardSize;
    }
    pointSizeTenths_ = fontSize_ * 10;
    const int dpi = logicalDpiY();
    if (printingFont_ != nullptr) {
        if (description_.lfFaceName.empty()) {
            description_.lfFaceName = kDefaultFace;
            description_.lfHeight = -mulDiv(kStandardSize, dpi, 72);
        } else {
            description_.lfHeight = -mulDiv(fontSize_, dpi, 72);
        }
        *printingFont_ = description_;
    } else {
        if (description_.lfFaceName.empty()) {
            description_.lfFaceName = kDefaultFace;
        }
        description_.lfHeight = -mulDiv(kSmallestSize, dpi, 72);
        description_.lfItalic = 0;
        description_.lfUnderline = 0;
        description_.lfStrikeOut = 0;
    }
    const auto chosen = prompts_.chooseFont(screenFontFromLogFont(description_, pointSizeTenths_),
                                            true, kMinPointSize, kMaxPointSize);
    if (!chosen) {
        return;
    }
    description_ = logFontFromScreenFont(*chosen, description_, dpi);
    pointSizeTenths_ = pointSizeTenths(*chosen);
    fontSize_ = pointSizeTenths_ / 10;
    if (printingFont_ != nullptr) {
        *printingFont_ = description_;
    }
}

ListColors TConfigureDialog::colors() const {
    return {background_->color(), alternate_->color(), group_->color()};
}

void TConfigureDialog::accept() {
    xfer_.totalEachCategory = totalEachCategory_->isChecked() ? 1 : 0;
    xfer_.showGrandTotal = showGrandTotal_->isChecked() ? 1 : 0;
    xfer_.printNotes = printNotes_->isChecked() ? 1 : 0;
    if (fontButtonUsed_) {
        fontSize_ = pointSizeTenths_ / 10;
    }
    QDialog::accept();
}

bool runGeneralOptions(DocumentSettings& settings, TConfigureDialogXfer& xfer, Prompts& prompts,
                       const std::function<int(QDialog&)>& runDialog, QWidget* parent) {
    xfer = {settings.totalCats, settings.totalAll, settings.printNotes};
    TConfigureDialog dialog(xfer, {settings.backColor, settings.altColor, settings.groupColor},
                            &settings.font, settings.fontSize, prompts, parent);
    if (!dialog.setupWindow() || runDialog(dialog) != QDialog::Accepted) {
        return false;
    }
    settings.totalCats = xfer.totalEachCategory;
    settings.totalAll = xfer.showGrandTotal;
    settings.printNotes = xfer.printNotes;
    settings.fontSize = dialog.fontSize();
    settings.font = dialog.fontDescription();
    const ListColors colors = dialog.colors();
    settings.backColor = colors.background;
    settings.altColor = colors.alternate;
    settings.groupColor = colors.group;
    return true;
}

} // namespace varnel
