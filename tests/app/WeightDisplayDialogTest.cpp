#include "app/TWeightDisplayDialg.h"

#include "DialogDriving.h"
#include "QtTestApp.h"
#include "ui/DialogButtons.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace varnel {
namespace {

// A dialog left open by a failed expectation is ended with OK, its only way out.
void whenModal(std::function<void(QWidget*)> answer) {
    test::whenModal(std::move(answer), [](QWidget* modal) {
        ADD_FAILURE() << "the dialog was left open";
        if (auto* ok = modal->findChild<QPushButton*>(QLatin1String(kOkId))) {
            ok->click();
        }
    });
}

const QString kText = QStringLiteral(
    "This dialog will appear this one time only.\n\nPlease select the way you wish to have your "
    "gear weights displayed:\n\nMetric (gm/kg) or Non-Metric (oz/lb).\n\nNOTE: If you have used "
    "previous versions of this application, make the selection based on the way your weights ARE "
    "CURRENTLY DISPLAYED.");

template <typename T> T* child(QWidget* dialog, const char* id) {
    return dialog->findChild<T*>(QLatin1String(id));
}

// Where a user clicks: on the button's mark and text, not the empty width the layout gives it.
void choose(QWidget* dialog, const char* id) {
    auto* button = child<QRadioButton>(dialog, id);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {},
                      QPoint(button->sizeHint().width() / 2, button->height() / 2));
}

TEST(WeightDisplayDialog, TextsAndStartingChoice) {
    test::qtTestApp();
    TWeightDisplayDialg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Varnel"));
    const auto labels = dialog.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.first()->text(), kText);
    EXPECT_EQ(labels.first()->textFormat(), Qt::PlainText);

    auto* group = child<QGroupBox>(&dialog, TWeightDisplayDialg::kChoiceId);
    auto* metric = child<QRadioButton>(&dialog, TWeightDisplayDialg::kMetricId);
    auto* nonMetric = child<QRadioButton>(&dialog, TWeightDisplayDialg::kNonMetricId);
    auto* ok = child<QPushButton>(&dialog, kOkId);
    ASSERT_TRUE(group && metric && nonMetric && ok);
    EXPECT_EQ(group->title(), QStringLiteral("Display my Gear Weights as"));
    EXPECT_EQ(metric->text(), QStringLiteral("Metric"));
    EXPECT_EQ(nonMetric->text(), QStringLiteral("Non-Metric"));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(ok->icon().isNull());
    EXPECT_EQ(metric->parentWidget(), group);
    EXPECT_EQ(nonMetric->parentWidget(), group);

    EXPECT_TRUE(nonMetric->isChecked());
    EXPECT_FALSE(metric->isChecked());
    EXPECT_FALSE(dialog.metricChosen());
    EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 1);
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

TEST(WeightDisplayDialog, OnlyOkEndsIt) {
    test::qtTestApp();
    TWeightDisplayDialg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.close());
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible());

    // The radio buttons are exclusive: choosing one unchecks the other.
    choose(&dialog, TWeightDisplayDialg::kMetricId);
    EXPECT_FALSE(child<QRadioButton>(&dialog, TWeightDisplayDialg::kNonMetricId)->isChecked());
    EXPECT_TRUE(dialog.metricChosen());
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(WeightDisplayDialog, AskMetricGivesTheChoiceMadeWithOk) {
    test::qtTestApp();
    whenModal([](QWidget* w) {
        ASSERT_NE(qobject_cast<TWeightDisplayDialg*>(w), nullptr);
        choose(w, TWeightDisplayDialg::kMetricId);
        QTest::mouseClick(child<QPushButton>(w, kOkId), Qt::LeftButton);
    });
    EXPECT_TRUE(TWeightDisplayDialg::askMetric(nullptr));

    whenModal([](QWidget* w) {
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_TRUE(w->isVisible());
        QTest::mouseClick(child<QPushButton>(w, kOkId), Qt::LeftButton);
    });
    EXPECT_FALSE(TWeightDisplayDialg::askMetric(nullptr));

    // Metric chosen, then changed back before OK.
    QWidget parent;
    whenModal([&parent](QWidget* w) {
        EXPECT_EQ(w->parentWidget(), &parent);
        choose(w, TWeightDisplayDialg::kMetricId);
        choose(w, TWeightDisplayDialg::kNonMetricId);
        child<QPushButton>(w, kOkId)->click();
    });
    EXPECT_FALSE(TWeightDisplayDialg::askMetric(&parent));
}

} // namespace
} // namespace varnel
