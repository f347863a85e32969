#include "QtTestApp.h"
#include "config/TConfigureCategoriesDlg.h"
#include "model/FixedText.h"
#include "model/GearDocument.h"
#include "ui/DialogButtons.h"
#include "ui/ScriptedPrompts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace varnel {
namespace {

std::unique_ptr<sPubInfo> item(std::string_view category, std::string_view name) {
    auto r = std::make_unique<sPubInfo>();
    setField(r->category, category);
    setField(r->item, name);
    setField(r->weight, "1.00");
    return r;
}

std::vector<std::string> listNames(const GearDocument& doc) {
    std::vector<std::string> out;
    for (const sCategory60& c : doc.categoryList) {
        out.emplace_back(c.nameText());
    }
    return out;
}

class ConfigureCategoriesDialog : public ::testing::Test {
protected:
    void SetUp() override {
        test::qtTestApp();
        prompts.setAcknowledgeOkMessages(true);
        for (const char* name : {"Water", "Shelter", "Unfiled", "Cooking"}) {
            doc.categoryList.emplace_back(
                name, name == std::string("Unfiled") ? kUnfiledCategoryId : doc.nextCategoryId++);
        }
        doc.insertRecord(item("Shelter", "Tent"));
        doc.insertRecord(item("Water", "Bottle"));
        auto kit = item("Camp", "Cook kit");
        kit->members = std::make_unique<CMMIList<sPubInfo>>();
        auto pot = item("Cooking", "Pot");
        pot->inGroup = 1;
        pot->group = kit.get();
        kit->members->add(std::move(pot));
        doc.insertRecord(std::move(kit));
    }

    std::unique_ptr<TConfigureCategoriesDlg> open() {
        auto dialog = std::make_unique<TConfigureCategoriesDlg>(
            doc, prompts, [this] { ++resorts; }, &position);
        box = dialog->findChild<QComboBox*>(QLatin1String(TConfigureCategoriesDlg::kCategoriesId));
        return dialog;
    }

    void click(QDialog& dialog, const char* id) {
        auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(id));
        ASSERT_NE(button, nullptr) << id;
        // click() rather than synthetic mouse events: back-to-back presses at one spot would be
        // taken for a double click.
        button->click();
    }

    [[nodiscard]] QStringList entries() const {
        QStringList out;
        for (int i = 0; i < box->count(); ++i) {
            out << box->itemText(i);
        }
        return out;
    }

    [[nodiscard]] std::string rowCategory(std::string_view itemName) {
        for (int r = 0; r < doc.rowCount(); ++r) {
            if (fieldText(doc.record(r).item) == itemName) {
                return std::string(fieldText(doc.record(r).category));
            }
        }
        return "(none)";
    }

    GearDocument doc;
    ScriptedPrompts prompts{[](const QString& what) { ADD_FAILURE() << what.toStdString(); }};
    int resorts = 0;
    int position = -7;
    QComboBox* box = nullptr;
};

TEST_F(ConfigureCategoriesDialog, OpensSortedWithIdsAndTheFirstEntrySelected) {
    const auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Configure Categories"));
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isEditable());
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("Cooking"), QStringLiteral("Shelter"),
                                      QStringLiteral("Unfiled"), QStringLiteral("Water")}));
    EXPECT_EQ(box->itemData(0).toInt(), 130);
    EXPECT_EQ(box->itemData(2).toInt(), kUnfiledCategoryId);
    EXPECT_EQ(box->itemData(3).toInt(), 128);
    EXPECT_EQ(box->currentIndex(), 0);

    const std::vector<std::pair<const char*, QString>> buttons = {
        {TConfigureCategoriesDlg::kAddId, QStringLiteral("&Add...")},
        {TConfigureCategoriesDlg::kDeleteId, QStringLiteral("&Delete")},
        {TConfigureCategoriesDlg::kRenameId, QStringLiteral("&Rename...")},
        {kOkId, QStringLiteral("OK")},
        {kCancelId, QStringLiteral("Cancel")}};
    for (const auto& [id, text] : buttons) {
        auto* button = dialog->findChild<QPushButton*>(QString::fromLatin1(id));
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(button->text(), text);
        EXPECT_FALSE(button->icon().isNull()) << id;
    }
    EXPECT_TRUE(dialog->findChild<QPushButton*>(QLatin1String(kOkId))->isDefault());
    bool labelFound = false;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        labelFound = labelFound || label->text() == QStringLiteral("Current Categories:");
    }
    EXPECT_TRUE(labelFound);
}

TEST_F(ConfigureCategoriesDialog, AddPutsTheNameInItsSortedPlaceAndReportsThePosition) {
    const auto dialog = open();
    prompts.answerText(QStringLiteral("Food"));
    click(*dialog, TConfigureCategoriesDlg::kAddId);
    ASSERT_EQ(prompts.shown().size(), 1U);
    EXPECT_EQ(prompts.shown()[0],
              ShownPrompt::textInput(QStringLiteral("Add New Category"),
                                     QStringLiteral("Enter New Category (16 characters max.)"),
                                     QString(), 16));
    EXPECT_EQ(entries().indexOf(QStringLiteral("Food")), 1);
    EXPECT_EQ(box->currentIndex(), 1);
    EXPECT_EQ(box->itemData(1).toInt(), 131);
    EXPECT_EQ(position, 1);
    ASSERT_EQ(doc.categoryList.size(), 5U);
    EXPECT_EQ(doc.categoryList.back().nameText(), "Food");
    EXPECT_EQ(doc.categoryList.back().added, 1);

    // Text outside Windows-1252 is stored as the files would hold it.
    prompts.answerText(QStringLiteral("Th\u00e9 \u4e2d"));
    click(*dialog, TConfigureCategoriesDlg::kAddId);
    EXPECT_EQ(doc.categoryList.back().nameText(), "Th\xe9 ?");
    EXPECT_EQ(box->currentText(), QStringLiteral("Th\u00e9 ?"));
    EXPECT_EQ(position, 3);
    EXPECT_EQ(resorts, 0);
}

TEST_F(ConfigureCategoriesDialog, RefusedAddsChangeNothing) {
    const auto dialog = open();
    prompts.answerText(QStringLiteral("UNFILED"));
    click(*dialog, TConfigureCategoriesDlg::kAddId);
    prompts.answerText(QStringLiteral("Water")); // silently ignored
    click(*dialog, TConfigureCategoriesDlg::kAddId);
    prompts.answerText(std::nullopt); // cancelled
    click(*dialog, TConfigureCategoriesDlg::kAddId);
    ASSERT_EQ(prompts.shown().size(), 4U);
    EXPECT_EQ(prompts.shown()[1],
              ShownPrompt::message(QStringLiteral("'Unfiled' may not be added as a category"),
                                   QStringLiteral("Varnel"), MessageIcon::Stop));
    EXPECT_EQ(prompts.shown()[2].kind, PromptKind::TextInput);
    EXPECT_EQ(prompts.shown()[3].kind, PromptKind::TextInput);
    EXPECT_EQ(entries().size(), 4);
    EXPECT_EQ(doc.categoryList.size(), 4U);
    EXPECT_EQ(doc.nextCategoryId, 131);
    EXPECT_EQ(position, -7) << "nothing added, nothing reported";
}

TEST_F(ConfigureCategoriesDialog, HandheldLimitRefusesBeforeAskingForAName) {
    doc.handheldDocument = true;
    for (int i = 0; doc.categoryList.size() < 15; ++i) {
        doc.categoryList.emplace_back("Extra " + std::to_string(i), doc.nextCategoryId++);
    }
    const auto dialog = open();
    click(*dialog, TConfigureCategoriesDlg::kAddId);
    ASSERT_EQ(prompts.shown().size(), 1U);
    EXPECT_EQ(prompts.shown()[0],
              ShownPrompt::message(
                  QStringLiteral("No more than 15 categories allowed in Palm OS applications"),
                  QStringLiteral("Varnel"), MessageIcon::Stop));
    EXPECT_EQ(box->count(), 15);
}

TEST_F(ConfigureCategoriesDialog, DeleteAsksOnlyWhenItemsUseTheCategory) {
    const auto dialog = open();
    const QString question = QStringLiteral(
        "Items or grouped items already exist under \"Cooking\". Do you still want to delete "
        "this category? (Existing items will remain unchanged.)");

    // Cooking is used by a group member only.
    prompts.answer(PromptAnswer::No);
    click(*dialog, TConfigureCategoriesDlg::kDeleteId);
    ASSERT_EQ(prompts.shown().size(), 1U);
    EXPECT_EQ(prompts.shown()[0],
              ShownPrompt::message(question, QStringLiteral("Confirm Category Delete"),
                                   MessageIcon::Question, PromptButtons::YesNo));
    EXPECT_EQ(entries().size(), 4);
    EXPECT_EQ(doc.categoryList.size(), 4U);

    prompts.answer(PromptAnswer::Yes);
    click(*dialog, TConfigureCategoriesDlg::kDeleteId);
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("Shelter"), QStringLiteral("Unfiled"),
                                      QStringLiteral("Water")}));
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_EQ(listNames(doc), (std::vector<std::string>{"Water", "Shelter", "Unfiled"}));
    ASSERT_EQ(doc.removedCategories.size(), 1U);
    EXPECT_EQ(doc.removedCategories[0].nameText(), "Cooking");
    EXPECT_EQ(fieldText(doc.record(0).members->at(1)->category), "Cooking");

    // Nothing selected: nothing to delete.
    prompts.clearShown();
    click(*dialog, TConfigureCategoriesDlg::kDeleteId);
    click(*dialog, TConfigureCategoriesDlg::kRenameId);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(doc.categoryList.size(), 3U);

    // Unfiled is used by no row here: no question.
    box->setCurrentIndex(1);
    click(*dialog, TConfigureCategoriesDlg::kDeleteId);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(listNames(doc), (std::vector<std::string>{"Water", "Shelter"}));
    EXPECT_EQ(doc.removedCategories[0].nameText(), "Unfiled");
}

TEST_F(ConfigureCategoriesDialog, RenameCarriesIntoTheRowsUnderTheWaitCursorThenResorts) {
    const auto dialog = open();
    box->setCurrentIndex(1); // Shelter
    prompts.answer(PromptAnswer::Yes).answerText(QStringLiteral("Tents"));
    click(*dialog, TConfigureCategoriesDlg::kRenameId);
    ASSERT_EQ(prompts.shown().size(), 2U);
    EXPECT_EQ(prompts.shown()[0],
              ShownPrompt::message(
                  QStringLiteral("Items already exist under \"Shelter\". Renaming this category "
                                 "will rename the category of existing items. Do you wish to "
                                 "continue?"),
                  QStringLiteral("Rename Category"), MessageIcon::Question, PromptButtons::YesNo));
    EXPECT_EQ(prompts.shown()[1],
              ShownPrompt::textInput(QStringLiteral("Rename Category"),
                                     QStringLiteral("Rename \"Shelter\" to: (16 characters max.)"),
                                     QString(), 16));
    EXPECT_EQ(listNames(doc), (std::vector<std::string>{"Water", "Tents", "Unfiled", "Cooking"}));
    EXPECT_EQ(doc.categoryList[1].renamed, 1);
    EXPECT_EQ(rowCategory("Tent"), "Tents");
    EXPECT_EQ(rowCategory("Bottle"), "Water");
    EXPECT_EQ(prompts.waitCount(), 1);
    EXPECT_EQ(prompts.waitDepth(), 0);
    EXPECT_EQ(resorts, 1);
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("Cooking"), QStringLiteral("Tents"),
                                      QStringLiteral("Unfiled"), QStringLiteral("Water")}));
    EXPECT_EQ(box->currentIndex(), 1);
    EXPECT_EQ(box->itemData(1).toInt(), 129);

    // A group member's category is carried without asking twice about it.
    prompts.clearShown();
    box->setCurrentIndex(0);
    prompts.answer(PromptAnswer::Yes).answerText(QStringLiteral("Utensils"));
    click(*dialog, TConfigureCategoriesDlg::kRenameId);
    EXPECT_EQ(fieldText(doc.record(0).members->at(1)->category), "Utensils");
    EXPECT_EQ(rowCategory("Cook kit"), "Camp");
    // Same place in the box, now another name.
    EXPECT_EQ(box->currentText(), QStringLiteral("Tents"));
    EXPECT_EQ(resorts, 2);
}

TEST_F(ConfigureCategoriesDialog, RenameRefusalsAndAnswersThatStop) {
    const auto dialog = open();
    box->setCurrentIndex(3); // Water, in use
    prompts.answer(PromptAnswer::No);
    click(*dialog, TConfigureCategoriesDlg::kRenameId);
    prompts.answer(PromptAnswer::Yes).answerText(std::nullopt);
    click(*dialog, TConfigureCategoriesDlg::kRenameId);
    prompts.answer(PromptAnswer::Yes).answerText(QStringLiteral("Shelter"));
    click(*dialog, TConfigureCategoriesDlg::kRenameId);
    ASSERT_EQ(prompts.shown().size(), 6U);
    EXPECT_EQ(prompts.shown()[5],
              ShownPrompt::message(QStringLiteral("Water"),
                                   QStringLiteral("This category name already exists"),
                                   MessageIcon::Exclamation));
    EXPECT_EQ(listNames(doc), (std::vector<std::string>{"Water", "Shelter", "Unfiled", "Cooking"}));
    EXPECT_EQ(rowCategory("Bottle"), "Water");
    EXPECT_EQ(prompts.waitCount(), 0);
    EXPECT_EQ(resorts, 0);

    // A category no item uses is renamed without the question.
    prompts.clearShown();
    box->setCurrentIndex(2);
    prompts.answerText(QStringLiteral("Misc"));
    click(*dialog, TConfigureCategoriesDlg::kRenameId);
    ASSERT_EQ(prompts.shown().size(), 1U);
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::TextInput);
    EXPECT_EQ(doc.categoryList[2].nameText(), "Misc");
    EXPECT_EQ(doc.categoryList[2].id, kUnfiledCategoryId);
}

TEST_F(ConfigureCategoriesDialog, RenameAndDeleteWaitForTheHideViewToEnd) {
    for (const char* please : {"uncheck the \"Hide Non-Selected Items\" checkbox",
                               "select the \"Show Selected\" menu item"}) {
        doc.enterHideView(please[0] == 's');
        const auto dialog = open();
        click(
            *dialog,
            TConfigureCategoriesDlg::kRenameId); // Cooking, used by a member in the rows set aside
        click(*dialog, TConfigureCategoriesDlg::kDeleteId);
        doc.leaveHideView();
        const auto refusal = [&](const char* doing) {
            return ShownPrompt::message(QStringLiteral("Please %1 before %2").arg(please, doing),
                                        QStringLiteral("Important!"), MessageIcon::Exclamation);
        };
        EXPECT_EQ(prompts.shown(), (std::vector<ShownPrompt>{refusal("renaming a category"),
                                                             refusal("deleting a category")}));
        prompts.clearShown();
    }
    EXPECT_EQ(listNames(doc), (std::vector<std::string>{"Water", "Shelter", "Unfiled", "Cooking"}));
}

TEST_F(ConfigureCategoriesDialog, RecordBytesShowAsWindows1252EvenWhenTheyLookLikeUtf8) {
    // "\xc3\xa9" is valid UTF-8 for one character, but as record bytes it is two.
    doc.categoryList.emplace_back("Caf\xc3\xa9", 140);
    doc.insertRecord(item("Caf\xc3\xa9", "Espresso"));
    const auto dialog = open();
    const int index = entries().indexOf(QStringLiteral("Caf\u00c3\u00a9"));
    ASSERT_GE(index, 0) << entries().join(QLatin1Char('|')).toStdString();
    box->setCurrentIndex(index);
    prompts.answer(PromptAnswer::Yes).answerText(QStringLiteral("Water"));
    click(*dialog, TConfigureCategoriesDlg::kRenameId);
    ASSERT_EQ(prompts.shown().size(), 3U);
    EXPECT_EQ(prompts.shown()[0].text,
              QStringLiteral("Items already exist under \"Caf\u00c3\u00a9\". Renaming this "
                             "category will rename the category of existing items. Do you wish "
                             "to continue?"));
    EXPECT_EQ(prompts.shown()[2].text, QStringLiteral("Caf\u00c3\u00a9"));

    prompts.answer(PromptAnswer::Yes).answerText(QStringLiteral("Caf\u00e9"));
    click(*dialog, TConfigureCategoriesDlg::kRenameId);
    EXPECT_EQ(rowCategory("Espresso"), "Caf\xe9");
    EXPECT_EQ(doc.categoryList.back().nameText(), "Caf\xe9");
}

TEST_F(ConfigureCategoriesDialog, CancelKeepsWhatWasDone) {
    auto dialog = open();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    prompts.answerText(QStringLiteral("Food"));
    click(*dialog, TConfigureCategoriesDlg::kAddId);
    box->setCurrentIndex(entries().indexOf(QStringLiteral("Unfiled")));
    click(*dialog, TConfigureCategoriesDlg::kDeleteId);
    click(*dialog, kCancelId);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(listNames(doc), (std::vector<std::string>{"Water", "Shelter", "Cooking", "Food"}));
    EXPECT_EQ(doc.removedCategories.size(), 1U);
    EXPECT_TRUE(doc.categoryChoices.empty()) << "the item dialog's choices wait for an OK";

    dialog = open();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    EXPECT_EQ(entries().size(), 4);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(ConfigureCategoriesDialog, Picture) {
    doc.categoryList.emplace_back("Sleeping systems", 140); // as long as a name can be
    const auto dialog = open();
    box->setCurrentIndex(entries().indexOf(QStringLiteral("Sleeping systems")));
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    const QPixmap picture = dialog->grab();
    EXPECT_FALSE(picture.isNull());
    if (const QString dir = qEnvironmentVariable("VARNEL_GRAB_DIR"); !dir.isEmpty()) {
        QDir().mkpath(dir);
        picture.save(dir + QStringLiteral("/configure-categories.png"));
        box->showPopup();
        QApplication::processEvents();
        if (QWidget* popup = box->view()->window()) {
            popup->grab().save(dir + QStringLiteral("/configure-categories-list.png"));
        }
        box->hidePopup();
    }
}

} // namespace
} // namespace varnel
