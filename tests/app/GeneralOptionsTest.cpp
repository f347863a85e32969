// The options dialog on its own, through scripted choosers.
#include "config/TColorButton.h"
#include "config/TConfigureDialog.h"
#include "platform/ColorRef.h"
#include "ui/ScriptedPrompts.h"

#include "DialogDriving.h"
#include "QtTestApp.h"
#include "ui/DialogButtons.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace varnel {
namespace {

using test::control;

class OptionsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        test::qtTestApp();
        prompts_ = std::make_unique<ScriptedPrompts>(
            [](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    }
    void TearDown() override {
        dialog_.reset();
        prompts_.reset();
    }

    TConfigureDialog& open(LogFont* font, std::int32_t size = 10) {
        dialog_ = std::make_unique<TConfigureDialog>(xfer_, colors_, font, size, *prompts_);
        EXPECT_TRUE(dialog_->setupWindow());
        return *dialog_;
    }
    TColorButton* swatch(const char* id) { return control<TColorButton>(*dialog_, id); }
    void press(const char* id) { control<QAbstractButton>(*dialog_, id)->click(); }
    int dpi() const { return dialog_->logicalDpiY(); }

    TConfigureDialogXfer xfer_{};
    ListColors colors_{0x00E0FFFF, 0x00C4FFFF, 0x000099FF};
    LogFont font_ = LogFont::defaultPrintingFont();
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<TConfigureDialog> dialog_;
};

TEST_F(OptionsDialog, EveryControlWithItsIdAndText) {
    TConfigureDialog& d = open(&font_);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Configure Varnel"));
    EXPECT_EQ(control<QGroupBox>(d, TConfigureDialog::kPrintingId)->title(),
              QStringLiteral("Printing Options"));
    EXPECT_EQ(control<QGroupBox>(d, TConfigureDialog::kListColorsId)->title(),
              QStringLiteral("List Color Options"));
    auto* fontButton = control<QPushButton>(d, TConfigureDialog::kFontId);
    EXPECT_EQ(fontButton->text(), QStringLiteral("Select Printing Font..."));
    EXPECT_FALSE(fontButton->icon().isNull());
    EXPECT_EQ(control<QCheckBox>(d, TConfigureDialog::kTotalEachCategoryId)->text(),
              QStringLiteral("Total Each Category"));
    EXPECT_EQ(control<QCheckBox>(d, TConfigureDialog::kShowGrandTotalId)->text(),
              QStringLiteral("Show Grand Total"));
    EXPECT_EQ(control<QCheckBox>(d, TConfigureDialog::kPrintNotesId)->text(),
              QStringLiteral("Print Notes"));
    QStringList labels;
    for (const QLabel* l : d.findChildren<QLabel*>()) {
        labels << l->text();
    }
    EXPECT_EQ(labels, (QStringList{"When Printing...", "Background Color", "Alternate Row Color",
                                   "Group Color"}));
    EXPECT_EQ(swatch(TConfigureDialog::kBackgroundId)->color(), colors_.background);
    EXPECT_EQ(swatch(TConfigureDialog::kAlternateId)->color(), colors_.alternate);
    EXPECT_EQ(swatch(TConfigureDialog::kGroupId)->color(), colors_.group);
    EXPECT_TRUE(swatch(TConfigureDialog::kBackgroundId)->text().isEmpty());
    EXPECT_EQ(control<QPushButton>(d, kOkId)->text(), QStringLiteral("OK"));
    EXPECT_EQ(control<QPushButton>(d, kCancelId)->text(), QStringLiteral("Cancel"));
    if (const char* dir = std::getenv("VARNEL_GRAB_DIR"); dir && *dir) {
        d.show();
        QApplication::processEvents();
        EXPECT_TRUE(d.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath("options.png")));
    }
}

TEST_F(OptionsDialog, CheckBoxesShowTheRecordAndOkStoresOneOrZero) {
    xfer_ = {1, 5, 0}; // any value but 0 is a tick
    TConfigureDialog& d = open(&font_);
    EXPECT_TRUE(control<QCheckBox>(d, TConfigureDialog::kTotalEachCategoryId)->isChecked());
    EXPECT_TRUE(control<QCheckBox>(d, TConfigureDialog::kShowGrandTotalId)->isChecked());
    EXPECT_FALSE(control<QCheckBox>(d, TConfigureDialog::kPrintNotesId)->isChecked());
    control<QCheckBox>(d, TConfigureDialog::kShowGrandTotalId)->click();
    press(kOkId);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(xfer_.totalEachCategory, 1);
    EXPECT_EQ(xfer_.showGrandTotal, 0);
    EXPECT_EQ(xfer_.printNotes, 0);
}

TEST_F(OptionsDialog, CancelLeavesTheRecordAlone) {
    xfer_ = {1, 1, 1};
    TConfigureDialog& d = open(&font_);
    control<QCheckBox>(d, TConfigureDialog::kTotalEachCategoryId)->click();
    press(kCancelId);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(xfer_.totalEachCategory, 1);
}

TEST_F(OptionsDialog, SwatchOpensTheChooserOnThePressWithItsColourThenGreys) {
    open(&font_);
    prompts_->answerColor(QColor(10, 20, 30));
    TColorButton* group = swatch(TConfigureDialog::kGroupId);
    QTest::mousePress(group, Qt::LeftButton);
    // Chosen before the release.
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(group->color(), 0x001E140AU);
    QTest::mouseRelease(group, Qt::LeftButton);
    EXPECT_EQ(prompts_->shown().size(), 1U) << "the release opens nothing";
    EXPECT_FALSE(group->isDown());
    EXPECT_TRUE(group->hasBrush());

    const ShownPrompt& shown = prompts_->shown().front();
    EXPECT_EQ(shown.kind, PromptKind::Color);
    EXPECT_EQ(shown.color, QColor(255, 153, 0));
    EXPECT_EQ(shown.customColors[0], QColor(255, 153, 0));
    for (int i = 1; i < 16; ++i) {
        EXPECT_EQ(shown.customColors[static_cast<std::size_t>(i)], QColor(16 * i, 16 * i, 16 * i))
            << i;
    }
    EXPECT_EQ(dialog_->colors().group, 0x001E140AU);
    EXPECT_EQ(dialog_->colors().background, colors_.background);
}

TEST_F(OptionsDialog, CancelledChooserKeepsTheColourAndNextPressStartsFromTheChosenOne) {
    open(&font_);
    TColorButton* back = swatch(TConfigureDialog::kBackgroundId);
    prompts_->answerColor(std::nullopt);
    back->click();
    EXPECT_EQ(back->color(), colors_.background);
    EXPECT_FALSE(back->hasBrush());

    prompts_->answerColor(QColor(Qt::blue)).answerColor(std::nullopt);
    back->click();
    back->click();
    EXPECT_EQ(prompts_->shown().back().customColors[0], QColor(Qt::blue));
    EXPECT_EQ(back->color(), 0x00FF0000U);
    // The keyboard presses it too.
    prompts_->answerColor(QColor(Qt::green));
    back->setFocus();
    QTest::keyClick(back, Qt::Key_Space);
    EXPECT_EQ(back->color(), 0x0000FF00U);
}

TEST_F(OptionsDialog, BlackIsKeptAsAColourTheSettingsReadBack) {
    open(&font_);
    prompts_->answerColor(QColor(Qt::black));
    swatch(TConfigureDialog::kAlternateId)->click();
    EXPECT_NE(swatch(TConfigureDialog::kAlternateId)->color(), 0U);
    EXPECT_EQ(colorFromColorRef(swatch(TConfigureDialog::kAlternateId)->color()).rgb() & 0xF0F0F0,
              0U);
}

TEST_F(OptionsDialog, FontChooserOffersFixedPitchEightToFourteenStartingFromTheFont) {
    font_.lfFaceName = "Liberation Mono";
    font_.lfWeight = 700;
    TConfigureDialog& d = open(&font_, 12);
    prompts_->answerFont(std::nullopt);
    press(TConfigureDialog::kFontId);
    ASSERT_EQ(prompts_->shown().size(), 1U);
    const ShownPrompt& shown = prompts_->shown().front();
    EXPECT_EQ(shown.kind, PromptKind::Font);
    EXPECT_TRUE(shown.fixedPitchOnly);
    EXPECT_EQ(shown.minPointSize, 8);
    EXPECT_EQ(shown.maxPointSize, 14);
    EXPECT_EQ(shown.font.family(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(shown.font.pointSize(), 12);
    EXPECT_TRUE(shown.font.bold());
    // The height follows the size as soon as the button is used.
    EXPECT_EQ(font_.lfHeight, -mulDiv(12, dpi(), 72));
    press(kOkId);
    EXPECT_EQ(d.fontSize(), 12);
}

TEST_F(OptionsDialog, StoredSizeAboveFourteenIsShownAsTen) {
    TConfigureDialog& d = open(&font_, 20);
    prompts_->answerFont(std::nullopt);
    press(TConfigureDialog::kFontId);
    EXPECT_EQ(prompts_->shown().front().font.pointSize(), 10);
    EXPECT_EQ(font_.lfHeight, -mulDiv(10, dpi(), 72));
    press(kOkId);
    EXPECT_EQ(d.fontSize(), 10);
}

TEST_F(OptionsDialog, SizeStaysWhenTheFontButtonIsNotUsed) {
    TConfigureDialog& d = open(&font_, 20);
    press(kOkId);
    EXPECT_EQ(d.fontSize(), 20);
    EXPECT_EQ(d.fontDescription(), font_);
}

TEST_F(OptionsDialog, SizeOfNothingBecomesTen) {
    for (const std::int32_t size : {0, -3}) {
        TConfigureDialog& d = open(&font_, size);
        press(kOkId);
        EXPECT_EQ(d.fontSize(), 10) << size;
    }
}

TEST_F(OptionsDialog, ChosenFontReplacesThePrintingFontAtOnceEvenWhenCancelled) {
    TConfigureDialog& d = open(&font_);
    QFont chosen(QStringLiteral("DejaVu Sans Mono"));
    chosen.setPointSize(13);
    chosen.setItalic(true);
    prompts_->answerFont(chosen);
    press(TConfigureDialog::kFontId);
    EXPECT_EQ(font_.lfFaceName, "DejaVu Sans Mono");
    EXPECT_EQ(font_.lfHeight, -mulDiv(13, dpi(), 72));
    EXPECT_EQ(font_.lfItalic, 1);
    EXPECT_EQ(d.fontDescription(), font_);
    press(kCancelId);
    EXPECT_EQ(font_.lfFaceName, "DejaVu Sans Mono");
}

TEST_F(OptionsDialog, FontWithoutAFaceBecomesCourierNewAtTenPoints) {
    font_.lfFaceName.clear();
    font_.lfHeight = -99;
    open(&font_, 12);
    prompts_->answerFont(std::nullopt);
    press(TConfigureDialog::kFontId);
    EXPECT_EQ(font_.lfFaceName, "Courier New");
    EXPECT_EQ(font_.lfHeight, -mulDiv(10, dpi(), 72));
    EXPECT_EQ(prompts_->shown().front().font.family(), QStringLiteral("Courier New"));
}

TEST_F(OptionsDialog, WithoutAPrintingFontItSaysSoAndDoesNotOpen) {
    TConfigureDialog d(xfer_, colors_, nullptr, 10, *prompts_);
    prompts_->answer(PromptAnswer::Ok);
    EXPECT_FALSE(d.setupWindow());
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(prompts_->shown().front(),
              ShownPrompt::message(QStringLiteral("Big Bad No-No! Email help@varnel.app"),
                                   QString(), MessageIcon::Stop));
}

} // namespace
} // namespace varnel
