#include "app/ItemCommands.h"

#include "../model/TestRecords.h"
#include "DialogDriving.h"
#include "QtTestApp.h"
#include "app/TPubInfo.h"
#include "model/FixedText.h"
#include "ui/ScriptedPrompts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace varnel {
namespace {

using test::press;
using test::setText;

QString text(QDialog& d, const char* id) {
    auto* e = d.findChild<QLineEdit*>(QLatin1String(id));
    return e ? e->text() : QStringLiteral("<none>");
}

class ItemCommands : public ::testing::Test {
protected:
    void SetUp() override {
        test::qtTestApp();
        prompts_ = std::make_unique<ScriptedPrompts>(
            [](const QString& what) { ADD_FAILURE() << what.toStdString(); });
        model_ = std::make_unique<GearListModel>(doc_);
        doc_.categoryChoices = {{"Shelter", 128}, {"Food", 129}};
        doc_.insertRecord(test::item("Shelter", "Tent", "40", true));
    }

    // The dialog is scripted by `script`, which returns the dialog's result.
    ItemCommandContext context(std::function<int(TPubInfo&)> script) {
        script_ = std::move(script);
        return ItemCommandContext{doc_,
                                  *model_,
                                  *prompts_,
                                  [this](QDialog& d) {
                                      auto* dialog = qobject_cast<TPubInfo*>(&d);
                                      EXPECT_NE(dialog, nullptr);
                                      return dialog ? script_(*dialog) : 0;
                                  },
                                  [this](int& position) { return configure_(position); },
                                  [this] { ++refreshes_; },
                                  nullptr};
    }

    std::vector<std::string> items() const {
        std::vector<std::string> out;
        for (int r = 0; r < doc_.rowCount(); ++r) {
            out.push_back(doc_.displayText(r, 1));
        }
        return out;
    }

    GearDocument doc_;
    std::unique_ptr<GearListModel> model_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::function<int(TPubInfo&)> script_;
    std::function<bool(int&)> configure_ = [](int&) { return false; };
    TPubInfoXfer xfer_;
    int refreshes_ = 0;
};

TEST_F(ItemCommands, AddStoresEachAddAndTheLastOnOk) {
    model_->appendUserColumn(QStringLiteral("Colour"), Qt::AlignLeft);
    auto ctx = context([](TPubInfo& d) {
        EXPECT_FALSE(d.modifyMode());
        setText(d, TPubInfo::kItemId, QStringLiteral("Stakes"));
        setText(d, TPubInfo::kWeightId, QStringLiteral("1"));
        press(d, TPubInfo::kAddId);
        setText(d, TPubInfo::kItemId, QStringLiteral("Fly"));
        setText(d, TPubInfo::kWeightId, QStringLiteral("5"));
        setText(d, TPubInfo::kMultiplierId, QStringLiteral("2"));
        setText(d, TPubInfo::kColumnTextId, QStringLiteral("grey"));
        d.accept();
        return d.result();
    });
    EXPECT_EQ(addCommand(ctx, xfer_), 0);
    EXPECT_EQ(items(), (std::vector<std::string>{"Fly", "Stakes", "Tent"}));
    EXPECT_EQ(xfer_.columnNames, QStringList{QStringLiteral("Colour")});
    const sPubInfo& fly = doc_.record(0);
    EXPECT_EQ(fieldText(fly.category), "Shelter");
    EXPECT_EQ(fieldText(fly.weight), "10.00");
    EXPECT_EQ(fly.columnText(1), "grey");
    EXPECT_EQ(doc_.record(1).columnText(1), "");
    EXPECT_EQ(refreshes_, 2) << "after the Add button and after the dialog";
}

TEST_F(ItemCommands, AddInASortedListSortsAgainAndCancelKeepsWhatAddStored) {
    doc_.sortByColumn(2);
    auto ctx = context([](TPubInfo& d) {
        setText(d, TPubInfo::kItemId, QStringLiteral("Zz light"));
        setText(d, TPubInfo::kWeightId, QStringLiteral("2"));
        d.accept();
        return d.result();
    });
    EXPECT_EQ(addCommand(ctx, xfer_), 0);
    EXPECT_EQ(items(), (std::vector<std::string>{"Zz light", "Tent"}));

    script_ = [](TPubInfo& d) {
        setText(d, TPubInfo::kItemId, QStringLiteral("Aa stored"));
        setText(d, TPubInfo::kWeightId, QStringLiteral("3"));
        press(d, TPubInfo::kAddId);
        setText(d, TPubInfo::kItemId, QStringLiteral("Dropped"));
        d.reject();
        return d.result();
    };
    EXPECT_EQ(addCommand(ctx, xfer_), -1);
    EXPECT_EQ(doc_.rowCount(), 3);
    EXPECT_TRUE(xfer_.columnTextSlots.empty());
}

TEST_F(ItemCommands, ModifyRefusalsThenOkAndCancel) {
    auto ctx = context([](TPubInfo& d) {
        EXPECT_TRUE(d.modifyMode());
        EXPECT_EQ(text(d, TPubInfo::kItemId), QStringLiteral("Tent"));
        setText(d, TPubInfo::kWeightId, QStringLiteral("30"));
        d.accept();
        return d.result();
    });
    prompts_->setAcknowledgeOkMessages(true);
    EXPECT_EQ(modifyCommand(ctx, xfer_, {}), -1);
    auto group = test::item("Kitchen", "Cook kit", "");
    group->members = std::make_unique<CMMIList<sPubInfo>>();
    doc_.insertRecord(std::move(group));
    EXPECT_EQ(modifyCommand(ctx, xfer_, {1}), 1);
    EXPECT_EQ(modifyCommand(ctx, xfer_, {1, 0}), -1) << "the first selected row is the group";
    EXPECT_EQ(prompts_->shown(),
              (std::vector<ShownPrompt>{
                  ShownPrompt::message(QStringLiteral("No name selected!"), QStringLiteral("Oops!"),
                                       MessageIcon::Exclamation),
                  ShownPrompt::message(QStringLiteral("Groups may not be modified."),
                                       QStringLiteral("Varnel"), MessageIcon::Information)}));

    const int tent = 1;
    EXPECT_EQ(fieldText(doc_.record(tent).weight), "30.00");
    EXPECT_EQ(doc_.record(tent).modified, 1);
    EXPECT_FLOAT_EQ(doc_.selectedTotal(), 30.0F);

    script_ = [](TPubInfo& d) {
        setText(d, TPubInfo::kWeightId, QStringLiteral("1"));
        d.reject();
        return d.result();
    };
    EXPECT_EQ(modifyCommand(ctx, xfer_, {tent}), -1);
    EXPECT_EQ(fieldText(doc_.record(tent).weight), "30.00");
}

TEST_F(ItemCommands, ConfigureFromTheDialogChoosesTheAddedCategory) {
    configure_ = [this](int& position) {
        doc_.categoryChoices = {{"Shelter", 128}, {"Food", 129}, {"Water", 130}};
        position = 2;
        return true;
    };
    auto ctx = context([](TPubInfo& d) {
        press(d, TPubInfo::kConfigureId);
        EXPECT_EQ(d.findChild<QComboBox*>(QLatin1String(TPubInfo::kCategoryId))->currentText(),
                  QStringLiteral("Water"));
        setText(d, TPubInfo::kItemId, QStringLiteral("Bottle"));
        setText(d, TPubInfo::kWeightId, QStringLiteral("1"));
        d.accept();
        return d.result();
    });
    addCommand(ctx, xfer_);
    EXPECT_EQ(items(), (std::vector<std::string>{"Tent", "Bottle"}));
    EXPECT_EQ(fieldText(doc_.record(1).category), "Water");
}

TEST_F(ItemCommands, DeleteAsksFirst) {
    doc_.insertRecord(test::item("Food", "Oats", "12"));
    doc_.insertRecord(test::item("Food", "Rice", "8"));
    auto ctx = context([](TPubInfo&) { return 0; });

    prompts_->setAcknowledgeOkMessages(true);
    EXPECT_EQ(deleteCommand(ctx, {}), -1);
    prompts_->answer(PromptAnswer::No);
    EXPECT_EQ(deleteCommand(ctx, {0}), -1);
    EXPECT_EQ(doc_.rowCount(), 3);
    prompts_->answer(PromptAnswer::Yes);
    EXPECT_EQ(deleteCommand(ctx, {0}), 0);
    EXPECT_EQ(items(), (std::vector<std::string>{"Rice", "Tent"}));
    EXPECT_EQ(doc_.deletedRecords.size(), 1U);
    prompts_->answer(PromptAnswer::Yes);
    EXPECT_EQ(deleteCommand(ctx, {1, 0}), -1);
    EXPECT_EQ(doc_.rowCount(), 0);
    EXPECT_FLOAT_EQ(doc_.selectedTotal(), 0.0F);

    const auto question = [](const QString& t) {
        return ShownPrompt::message(t, QStringLiteral("Confirm Delete"), MessageIcon::Question,
                                    PromptButtons::YesNo);
    };
    EXPECT_EQ(prompts_->shown(),
              (std::vector<ShownPrompt>{
                  ShownPrompt::message(QStringLiteral("Nothing Selected!"), QStringLiteral("Oops!"),
                                       MessageIcon::Exclamation),
                  question(QStringLiteral("Are you sure you want to delete\r\nOats?")),
                  question(QStringLiteral("Are you sure you want to delete\r\nOats?")),
                  question(QStringLiteral("Are you sure you want to delete these items?"))}));
}

} // namespace
} // namespace varnel
