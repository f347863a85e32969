#include "app/TPubInfo.h"

#include "QtTestApp.h"
#include "model/FixedText.h"
#include "ui/DialogButtons.h"
#include "ui/ScriptedPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace varnel {
namespace {

template <typename T> T* child(QWidget* dialog, const char* id) {
    return dialog->findChild<T*>(QLatin1String(id));
}

QLineEdit* edit(QWidget* dialog, const char* id) {
    return child<QLineEdit>(dialog, id);
}

QPushButton* button(QWidget* dialog, const char* id) {
    return child<QPushButton>(dialog, id);
}

TPubInfoXfer addXfer(QStringList columns = {}) {
    TPubInfoXfer xfer;
    xfer.resetForAdd({{"shelter", 128}, {"Food", 129}, {"Unfiled", 0}}, columns);
    return xfer;
}

class GearInformationDialog : public ::testing::Test {
protected:
    void SetUp() override {
        test::qtTestApp();
        TPubInfo::resetConvertDirection();
        prompts_ = std::make_unique<ScriptedPrompts>(
            [](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    }

    // Shown and active, as the user meets it.
    std::unique_ptr<TPubInfo> open(TPubInfoXfer& xfer, bool modify, bool metric = false,
                                   bool handheld = false) {
        auto dialog = std::make_unique<TPubInfo>(xfer, modify, metric, handheld, *prompts_);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }

    static void type(QWidget* dialog, const char* id, const QString& text) {
        QLineEdit* e = edit(dialog, id);
        e->setFocus();
        e->selectAll();
        // QTest types ASCII keys only; other characters go in as a paste would.
        const bool ascii =
            std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (ascii) {
            QTest::keyClicks(e, text);
        } else {
            e->insert(text);
        }
    }

    static void grab(QWidget* dialog, const QString& name) {
        const QString dir = qEnvironmentVariable("VARNEL_GRAB_DIR");
        if (!dir.isEmpty()) {
            EXPECT_TRUE(dialog->grab().save(QDir(dir).filePath(name)));
        }
    }

    std::unique_ptr<ScriptedPrompts> prompts_;
};

TEST_F(GearInformationDialog, AddModeSetUp) {
    TPubInfoXfer xfer = addXfer();
    auto d = open(xfer, false);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Gear Information"));

    auto* category = child<QComboBox>(d.get(), TPubInfo::kCategoryId);
    ASSERT_NE(category, nullptr);
    ASSERT_EQ(category->count(), 3);
    EXPECT_EQ(category->itemText(0), QStringLiteral("Food"));
    EXPECT_EQ(category->itemText(1), QStringLiteral("shelter"));
    EXPECT_EQ(category->currentText(), QStringLiteral("shelter")) << "the list's first category";

    const std::vector<std::pair<const char*, int>> widths = {{TPubInfo::kItemId, 40},
                                                             {TPubInfo::kWeightId, 9},
                                                             {TPubInfo::kMultiplierId, 4},
                                                             {TPubInfo::kNotesId, 50},
                                                             {TPubInfo::kColumnTextId, 47}};
    for (const auto& [id, width] : widths) {
        ASSERT_NE(edit(d.get(), id), nullptr) << id;
        EXPECT_EQ(edit(d.get(), id)->maxLength(), width) << id;
    }
    EXPECT_EQ(edit(d.get(), TPubInfo::kMultiplierId)->text(), QStringLiteral("1"));
    EXPECT_FALSE(edit(d.get(), TPubInfo::kColumnTextId)->isEnabled()) << "no user columns";

    EXPECT_TRUE(button(d.get(), TPubInfo::kAddId)->isVisible());
    EXPECT_FALSE(button(d.get(), kOkId)->isVisible()) << "OK waits hidden behind Add";
    EXPECT_FALSE(button(d.get(), TPubInfo::kAddId)->isDefault());
    EXPECT_EQ(button(d.get(), TPubInfo::kConvertId)->text(), QStringLiteral("Convert to grams"));
    EXPECT_EQ(button(d.get(), TPubInfo::kConfigureId)->text(), QStringLiteral("Configure..."));
    for (const char* id : {kOkId, kCancelId, TPubInfo::kAddId}) {
        EXPECT_FALSE(button(d.get(), id)->icon().isNull()) << id;
    }
    QStringList labels;
    for (const QLabel* l : d->findChildren<QLabel*>()) {
        labels.append(l->text());
    }
    for (const char* text : {"Category:", "Item:", "Weight (oz or gm):", "Multiply by:", "Notes:",
                             "Custom Column(s) text. Click column title, then enter text below",
                             "Text for selected column:"}) {
        EXPECT_TRUE(labels.contains(QLatin1String(text))) << text;
    }
    grab(d.get(), QStringLiteral("gear-information-add.png"));
}

TEST_F(GearInformationDialog, ModifyModeSetUp) {
    TPubInfoXfer xfer;
    ItemFields f;
    f.category = "Caf\xe9";
    f.item = "Tent";
    f.unitWeight = "40";
    f.multiplier = "2";
    f.notes = "green";
    f.columnTexts = {"nylon", "2019"};
    xfer.load(f, {{"Food", 128}}, {QStringLiteral("Fabric"), QStringLiteral("Year")});
    auto d = open(xfer, true, true, true);

    EXPECT_EQ(child<QComboBox>(d.get(), TPubInfo::kCategoryId)->currentText(),
              QStringLiteral("Caf\u00e9"))
        << "a category the list lacks is kept";
    EXPECT_EQ(edit(d.get(), TPubInfo::kItemId)->text(), QStringLiteral("Tent"));
    EXPECT_EQ(edit(d.get(), TPubInfo::kWeightId)->text(), QStringLiteral("40"));
    EXPECT_EQ(edit(d.get(), TPubInfo::kMultiplierId)->text(), QStringLiteral("2"));
    EXPECT_EQ(edit(d.get(), TPubInfo::kNotesId)->text(), QStringLiteral("green"));
    EXPECT_EQ(child<QListWidget>(d.get(), TPubInfo::kColumnsId)->currentRow(), 0);
    EXPECT_EQ(edit(d.get(), TPubInfo::kColumnTextId)->text(), QStringLiteral("nylon"));

    EXPECT_FALSE(button(d.get(), TPubInfo::kAddId)->isEnabled());
    EXPECT_FALSE(button(d.get(), TPubInfo::kAddId)->isVisible());
    EXPECT_TRUE(button(d.get(), kOkId)->isVisible());
    EXPECT_TRUE(button(d.get(), kOkId)->isDefault());
    EXPECT_FALSE(button(d.get(), TPubInfo::kConvertId)->isVisible());
    EXPECT_EQ(button(d.get(), TPubInfo::kConvertId)->text(), QStringLiteral("Convert to Ounces"));
    EXPECT_FALSE(child<QListWidget>(d.get(), TPubInfo::kColumnsId)->isEnabled())
        << "handheld document";
    grab(d.get(), QStringLiteral("gear-information-modify.png"));

    // Enter is OK in modify mode; the changed texts come back in the record's bytes.
    type(d.get(), TPubInfo::kNotesId, QStringLiteral("r\u00e9sum\u00e9"));
    QTest::keyClick(edit(d.get(), TPubInfo::kNotesId), Qt::Key_Return);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(xfer.fields().notes, "r\xe9sum\xe9");
    EXPECT_EQ(xfer.fields().category, "Caf\xe9");
    EXPECT_TRUE(prompts_->shown().empty());
}

TEST_F(GearInformationDialog, ThreeAddsKeepTheDialogOpenWithTheCategory) {
    TPubInfoXfer xfer = addXfer({QStringLiteral("Colour")});
    auto d = open(xfer, false);
    std::vector<ItemFields> stored;
    d->onAddItem = [&](const TPubInfoXfer& x) { stored.push_back(x.fields()); };
    auto* category = child<QComboBox>(d.get(), TPubInfo::kCategoryId);
    category->setCurrentIndex(category->findText(QStringLiteral("Food")));

    type(d.get(), TPubInfo::kItemId, QStringLiteral("Oats"));
    type(d.get(), TPubInfo::kWeightId, QStringLiteral("12"));
    type(d.get(), TPubInfo::kMultiplierId, QStringLiteral("3"));
    type(d.get(), TPubInfo::kColumnTextId, QStringLiteral("brown"));
    button(d.get(), TPubInfo::kAddId)->click();
    type(d.get(), TPubInfo::kItemId, QStringLiteral("Rice"));
    type(d.get(), TPubInfo::kWeightId, QStringLiteral("8"));
    button(d.get(), TPubInfo::kAddId)->click();
    prompts_->answer(PromptAnswer::Yes);
    type(d.get(), TPubInfo::kItemId, QStringLiteral("Salt"));
    button(d.get(), TPubInfo::kAddId)->click();

    ASSERT_EQ(stored.size(), 3U);
    EXPECT_EQ(stored[0].category, "Food");
    EXPECT_EQ(stored[0].item, "Oats");
    EXPECT_EQ(stored[0].unitWeight, "12");
    EXPECT_EQ(stored[0].multiplier, "3");
    EXPECT_EQ(stored[0].columnTexts, (std::vector<std::string>{"brown"}));
    EXPECT_EQ(stored[1].multiplier, "1");
    EXPECT_EQ(stored[1].columnTexts, (std::vector<std::string>{""})) << "slots emptied";
    EXPECT_EQ(stored[2].category, "Food");
    EXPECT_EQ(stored[2].unitWeight, "");
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(prompts_->shown()[0],
              ShownPrompt::message(
                  QStringLiteral("Are you sure you want to continue with no weight specified?"),
                  QStringLiteral("No Weight"), MessageIcon::Question, PromptButtons::YesNo));

    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(category->currentText(), QStringLiteral("Food"));
    EXPECT_EQ(edit(d.get(), TPubInfo::kItemId)->text(), QString());
    EXPECT_EQ(edit(d.get(), TPubInfo::kWeightId)->text(), QString());
    EXPECT_EQ(edit(d.get(), TPubInfo::kMultiplierId)->text(), QStringLiteral("1"));
    EXPECT_EQ(edit(d.get(), TPubInfo::kColumnTextId)->text(), QString());
}

TEST_F(GearInformationDialog, EmptyItemAndMissingWeight) {
    TPubInfoXfer xfer = addXfer();
    auto d = open(xfer, false);
    int added = 0;
    d->onAddItem = [&](const TPubInfoXfer&) { ++added; };

    button(d.get(), TPubInfo::kAddId)->click();
    EXPECT_EQ(added, 0);
    EXPECT_TRUE(prompts_->shown().empty()) << "Add with no item says nothing";

    prompts_->answer(PromptAnswer::Ok);
    QTest::keyClick(edit(d.get(), TPubInfo::kItemId), Qt::Key_Return);
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(
        prompts_->shown()[0],
        ShownPrompt::message(QStringLiteral("Please enter an item description or press Cancel"),
                             QStringLiteral("Oops"), MessageIcon::None, PromptButtons::Ok));
    EXPECT_TRUE(d->isVisible());

    type(d.get(), TPubInfo::kItemId, QStringLiteral("Tent"));
    prompts_->answer(PromptAnswer::No);
    QTest::keyClick(edit(d.get(), TPubInfo::kItemId), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(d->isVisible()) << "No keeps the dialog open";
    prompts_->answer(PromptAnswer::Yes);
    QTest::keyClick(edit(d.get(), TPubInfo::kItemId), Qt::Key_Return);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(added, 0) << "OK leaves the last item to the command";
    EXPECT_EQ(xfer.fields().item, "Tent");
}

TEST_F(GearInformationDialog, LineWeightTooLargeIsRefusedAndTheDialogStays) {
    TPubInfoXfer xfer = addXfer();
    auto d = open(xfer, false);
    int added = 0;
    d->onAddItem = [&](const TPubInfoXfer&) { ++added; };
    type(d.get(), TPubInfo::kItemId, QStringLiteral("Anvil"));
    type(d.get(), TPubInfo::kWeightId, QStringLiteral("999999999"));
    type(d.get(), TPubInfo::kMultiplierId, QStringLiteral("9999"));

    const UserMessage m = lineWeightTooLarge();
    const ShownPrompt refusal = ShownPrompt::message(QString::fromStdString(m.text),
                                                     QString::fromStdString(m.caption), m.icon);
    prompts_->answer(PromptAnswer::Ok).answer(PromptAnswer::Ok);
    button(d.get(), TPubInfo::kAddId)->click();
    QTest::keyClick(edit(d.get(), TPubInfo::kItemId), Qt::Key_Return);
    EXPECT_EQ(added, 0);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(prompts_->shown(), (std::vector<ShownPrompt>{refusal, refusal}));
    EXPECT_EQ(edit(d.get(), TPubInfo::kWeightId)->text(), QStringLiteral("999999999"))
        << "nothing cut";
}

TEST_F(GearInformationDialog, ConvertDirectionLastsForTheRun) {
    TPubInfoXfer xfer = addXfer();
    {
        auto d = open(xfer, false, false);
        type(d.get(), TPubInfo::kWeightId, QStringLiteral("100"));
        button(d.get(), TPubInfo::kConvertId)->click();
        EXPECT_EQ(edit(d.get(), TPubInfo::kWeightId)->text(), QStringLiteral("3.52"));
        EXPECT_EQ(button(d.get(), TPubInfo::kConvertId)->text(),
                  QStringLiteral("Convert to grams"));
        button(d.get(), TPubInfo::kConvertId)->click();
        EXPECT_EQ(edit(d.get(), TPubInfo::kWeightId)->text(), QStringLiteral("99.88"));
        EXPECT_EQ(button(d.get(), TPubInfo::kConvertId)->text(),
                  QStringLiteral("Convert to ounces"));
    }
    {
        // The next opening shows its set-up label, but the direction is the run's, not the
        // document's unit: grams would multiply by 28.375.
        auto d = open(xfer, false, true);
        EXPECT_EQ(button(d.get(), TPubInfo::kConvertId)->text(),
                  QStringLiteral("Convert to Ounces"));
        type(d.get(), TPubInfo::kWeightId, QStringLiteral("100"));
        button(d.get(), TPubInfo::kConvertId)->click();
        EXPECT_EQ(edit(d.get(), TPubInfo::kWeightId)->text(), QStringLiteral("3.52"));
        EXPECT_EQ(button(d.get(), TPubInfo::kConvertId)->text(),
                  QStringLiteral("Convert to grams"));
    }
    TPubInfo::resetConvertDirection();
    {
        auto d = open(xfer, false, true);
        type(d.get(), TPubInfo::kWeightId, QStringLiteral("2"));
        button(d.get(), TPubInfo::kConvertId)->click();
        EXPECT_EQ(edit(d.get(), TPubInfo::kWeightId)->text(), QStringLiteral("56.75"));
        EXPECT_EQ(button(d.get(), TPubInfo::kConvertId)->text(),
                  QStringLiteral("Convert to ounces"));
    }
}

TEST_F(GearInformationDialog, ConvertResultTooWideIsRefused) {
    TPubInfoXfer xfer = addXfer();
    auto d = open(xfer, false, true);
    type(d.get(), TPubInfo::kWeightId, QStringLiteral("99999999"));
    prompts_->answer(PromptAnswer::Ok);
    button(d.get(), TPubInfo::kConvertId)->click();
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(prompts_->shown()[0].caption, QStringLiteral("Weight Too Large"));
    EXPECT_EQ(edit(d.get(), TPubInfo::kWeightId)->text(), QStringLiteral("99999999"));
    EXPECT_EQ(button(d.get(), TPubInfo::kConvertId)->text(), QStringLiteral("Convert to Ounces"));
    type(d.get(), TPubInfo::kWeightId, QStringLiteral("2"));
    button(d.get(), TPubInfo::kConvertId)->click();
    EXPECT_EQ(edit(d.get(), TPubInfo::kWeightId)->text(), QStringLiteral("56.75"))
        << "direction unchanged";
}

TEST_F(GearInformationDialog, ColumnTextSlots) {
    TPubInfoXfer xfer = addXfer({QStringLiteral("Colour"), QStringLiteral("Maker")});
    xfer.columnTextSlots = {"red", "Acme"};
    auto d = open(xfer, false);
    auto* list = child<QListWidget>(d.get(), TPubInfo::kColumnsId);
    QLineEdit* text = edit(d.get(), TPubInfo::kColumnTextId);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Maker"));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(text->text(), QStringLiteral("red"));

    type(d.get(), TPubInfo::kColumnTextId, QStringLiteral("blue"));
    list->setCurrentRow(1);
    EXPECT_EQ(xfer.columnTextSlots[0], "blue");
    EXPECT_EQ(text->text(), QStringLiteral("Acme"));

    // Leaving the edit stores it; at most 47 characters go in.
    type(d.get(), TPubInfo::kColumnTextId, QString(60, QLatin1Char('x')));
    edit(d.get(), TPubInfo::kItemId)->setFocus();
    EXPECT_EQ(xfer.columnTextSlots[1], std::string(47, 'x'));

    list->setCurrentRow(0);
    EXPECT_EQ(text->text(), QStringLiteral("blue"));
}

TEST_F(GearInformationDialog, WornAndConsumableBoxesSetTheirColumnsTexts) {
    TPubInfoXfer xfer = addXfer({QStringLiteral("Maker"), QStringLiteral(" worn ")});
    xfer.columnTextSlots = {"Acme", "no"};
    auto d = open(xfer, false);
    auto* worn = child<QCheckBox>(d.get(), "worn");
    EXPECT_FALSE(child<QCheckBox>(d.get(), "consumable")->isEnabled()) << "no such column";
    EXPECT_FALSE(worn->isChecked());
    QTest::mouseClick(worn, Qt::LeftButton, {}, QPoint(6, worn->height() / 2));
    EXPECT_EQ(xfer.columnTextSlots, (std::vector<std::string>{"Acme", "Worn"}));
    child<QListWidget>(d.get(), TPubInfo::kColumnsId)->setCurrentRow(1);
    type(d.get(), TPubInfo::kColumnTextId, QStringLiteral("0"));
    EXPECT_FALSE(worn->isChecked()) << "the text decides";
}

TEST_F(GearInformationDialog, ConfigureReloadsTheCategoriesAndChoosesThePosition) {
    TPubInfoXfer xfer = addXfer();
    auto d = open(xfer, false);
    type(d.get(), TPubInfo::kItemId, QStringLiteral("kept"));
    auto* category = child<QComboBox>(d.get(), TPubInfo::kCategoryId);

    d->onConfigureCategories = [&] {
        xfer.setCategories({{"Water", 128}, {"apples", 129}, {"Bread", 130}});
        xfer.configuredCategoryPosition = 1;
        return true;
    };
    button(d.get(), TPubInfo::kConfigureId)->click();
    ASSERT_EQ(category->count(), 3);
    EXPECT_EQ(category->itemText(0), QStringLiteral("apples"));
    EXPECT_EQ(category->currentText(), QStringLiteral("Bread"));
    EXPECT_EQ(edit(d.get(), TPubInfo::kItemId)->text(), QStringLiteral("kept"));

    d->onConfigureCategories = [&] {
        xfer.setCategories({});
        return false;
    };
    button(d.get(), TPubInfo::kConfigureId)->click();
    EXPECT_EQ(category->count(), 3) << "Cancel reloads nothing";
}

} // namespace
} // namespace varnel
