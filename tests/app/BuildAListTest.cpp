// A new user builds a list from nothing through the window's own dialogs, saves, and finds it
// all again after a restart.
#include "DialogDriving.h"
#include "MainWindowFixture.h"
#include "app/CommandIds.h"
#include "app/TPubInfo.h"
#include "config/TAddNewColumnDlg.h"
#include "config/TConfigureCategoriesDlg.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace varnel {
namespace {

using test::press;
using test::setText;

void chooseCategory(QDialog& d, const QString& name) {
    auto* box = d.findChild<QComboBox*>(QLatin1String(TPubInfo::kCategoryId));
    ASSERT_NE(box, nullptr);
    box->setCurrentIndex(box->findText(name));
}

class BuildAList : public test::MainWindowFixture {};

TEST_F(BuildAList, CategoriesColumnAndItemsSurviveSaveAndRestart) {
    std::function<int(QDialog&)> next;
    start([&](QDialog& d) { return next ? next(d) : int(QDialog::Accepted); });
    ASSERT_EQ(doc().rowCount(), 0);

    // Three categories.
    prompts_->answerText(QStringLiteral("Shelter"))
        .answerText(QStringLiteral("Kitchen"))
        .answerText(QStringLiteral("Water"));
    next = [&](QDialog& d) {
        EXPECT_NE(qobject_cast<TConfigureCategoriesDlg*>(&d), nullptr);
        for (int i = 0; i < 3; ++i) {
            press(d, TConfigureCategoriesDlg::kAddId);
        }
        return int(QDialog::Accepted);
    };
    client().action(cmd::Categories)->trigger();
    ASSERT_EQ(doc().categoryChoices.size(), 3U);

    // A custom column.
    next = [&](QDialog& d) {
        EXPECT_NE(qobject_cast<TAddNewColumnDlg*>(&d), nullptr);
        setText(d, TAddNewColumnDlg::kHeadingId, QStringLiteral("Brand"));
        d.accept();
        return d.result();
    };
    client().cmAddColumn();
    ASSERT_EQ(client().model().columnCount(), 5);

    // Items, one after another in one run of the dialog; the last one with Enter (OK).
    next = [&](QDialog& d) {
        EXPECT_NE(qobject_cast<TPubInfo*>(&d), nullptr);
        const struct {
            const char* category;
            const char* item;
            const char* weight;
            const char* times;
            const char* brand;
        } items[] = {{"Shelter", "Tent", "26.5", "1", "Lunar"},
                     {"Shelter", "Stakes", "0.35", "8", ""},
                     {"Kitchen", "Stove", "2.6", "1", "Pocket"},
                     {"Water", "Filter", "3", "1", "Clear"}};
        for (const auto& it : items) {
            chooseCategory(d, QString::fromLatin1(it.category));
            setText(d, TPubInfo::kItemId, QString::fromLatin1(it.item));
            setText(d, TPubInfo::kWeightId, QString::fromLatin1(it.weight));
            setText(d, TPubInfo::kMultiplierId, QString::fromLatin1(it.times));
            setText(d, TPubInfo::kColumnTextId, QString::fromLatin1(it.brand));
            if (&it != &items[3]) {
                press(d, TPubInfo::kAddId);
            }
        }
        d.accept();
        return d.result();
    };
    client().cmAdd();
    ASSERT_EQ(doc().rowCount(), 4);
    client().cmSelectAll();
    EXPECT_EQ(client().totalText(), QStringLiteral("34.90 oz. (2.18 lbs)"));

    client().cmSave();
    frame_->close();
    frame_.reset();
    start();
    ASSERT_EQ(doc().rowCount(), 4);
    GearListModel& model = client().model();
    EXPECT_EQ(model.heading(4), QStringLiteral("Brand"));
    QStringList seen;
    for (int r = 0; r < doc().rowCount(); ++r) {
        seen << QStringList{model.data(model.index(r, 0)).toString(),
                            model.data(model.index(r, 1)).toString(),
                            model.data(model.index(r, 2)).toString(),
                            model.data(model.index(r, 4)).toString()}
                    .join(QLatin1Char('|'));
    }
    EXPECT_EQ(seen, (QStringList{"Kitchen|Stove|2.60|Pocket", "Shelter|Stakes|2.80|",
                                 "|Tent|26.50|Lunar", "Water|Filter|3.00|Clear"}));
    EXPECT_EQ(client().totalText(), QStringLiteral("34.90 oz. (2.18 lbs)"));
    EXPECT_EQ(doc().categoryChoices.size(), 3U);
}

} // namespace
} // namespace varnel
