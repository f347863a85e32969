// The Totals dialog's chart as drawn: bars in the palette's colours, heaviest first, labels whole.
#include "app/WeightChartView.h"
#include "MainWindowDriving.h"
#include "app/CommandIds.h"
#include "app/TTotalsDlg.h"
#include "output/WeightChart.h"

#include <QListWidget>
#include <QScrollArea>

namespace varnel {
namespace {

QPalette darkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    p.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
    p.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    p.setColor(QPalette::HighlightedText, QColor(0x10, 0x10, 0x10));
    return p;
}

// How many pixels of `image` inside `area` are of `colour`, give or take `slack` per channel
// (text is smoothed at its edges).
int pixelsOf(const QImage& image, const QRect& area, const QColor& colour, int slack = 0) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - colour.red()) <= slack &&
                         std::abs(c.green() - colour.green()) <= slack &&
                         std::abs(c.blue() - colour.blue()) <= slack
                     ? 1
                     : 0;
        }
    }
    return n;
}

class WeightChartDrawing : public test::DrivenMainWindow {
protected:
    // The chart of the Totals dialog as the Totals button opens it over the sample list.
    void openTotals(const std::function<void(TTotalsDlg&)>& look) {
        copySample();
        start([&](QDialog& dialog) {
            if (auto* totals = qobject_cast<TTotalsDlg*>(&dialog)) {
                look(*totals);
            }
            return static_cast<int>(QDialog::Accepted);
        });
        showWindow();
        clickButton(ctl::Totals);
        ASSERT_EQ(dialogsShown_, QStringList{QStringLiteral("Totals")});
    }

    static void checkDrawing(TTotalsDlg& dialog, const QPalette& palette, const char* grabName) {
        dialog.setPalette(palette);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QApplication::processEvents();
        auto* chart = dialog.findChild<WeightChartView*>();
        ASSERT_NE(chart, nullptr);
        const QImage dialogPicture = dialog.grab().toImage();
        if (const QString out = qEnvironmentVariable("VARNEL_GRAB_TOTALS"); !out.isEmpty()) {
            dialogPicture.save(out + QLatin1String(grabName));
        }
        const QImage image = chart->grab().toImage().scaled(chart->size());
        const QColor bar = palette.color(QPalette::Highlight);
        const QColor base = palette.color(QPalette::Base);
        const QColor text = palette.color(QPalette::Text);
        const auto& bars = chart->chart().bars;
        ASSERT_GE(bars.size(), 5U);
        int previous = chart->width();
        for (int i = 0; i < static_cast<int>(bars.size()); ++i) {
            SCOPED_TRACE(bars[static_cast<std::size_t>(i)].category);
            const QRect drawn = chart->barRect(i);
            EXPECT_LE(drawn.width(), previous) << "heaviest first";
            previous = drawn.width();
            EXPECT_GT(drawn.width(), 0);
            EXPECT_EQ(pixelsOf(image, drawn, bar), drawn.width() * drawn.height());
            // The label is whole, inside the chart, and drawn in the text colour on the base.
            const QRect label = chart->labelRect(i);
            EXPECT_LE(label.right(), chart->width() - 1);
            EXPECT_GT(pixelsOf(image, label, text, 60), 10);
            EXPECT_GT(pixelsOf(image, label, base), label.width() * label.height() / 3);
        }
        // No bar below the last one: the rest is the plain base.
        const QRect below(0, chart->labelRect(static_cast<int>(bars.size()) - 1).bottom() + 2,
                          chart->width(), 4);
        if (below.bottom() < chart->height()) {
            EXPECT_EQ(pixelsOf(image, below, bar), 0);
        }
        dialog.hide();
    }
};

TEST_F(WeightChartDrawing, TheTotalsButtonShowsTheChartOfTheCheckedWeightBesideTheLines) {
    openTotals([](TTotalsDlg& dialog) {
        auto* list = dialog.findChild<QListWidget*>(QLatin1String(TTotalsDlg::kLinesId));
        auto* chart = dialog.findChild<WeightChartView*>();
        ASSERT_NE(list, nullptr);
        ASSERT_NE(chart, nullptr);
        EXPECT_EQ(list->item(list->count() - 1)->text(),
                  QStringLiteral("Grand Total           : 170.60 oz. ( 10.66 lb)"));
        const auto& bars = chart->chart().bars;
        ASSERT_FALSE(bars.empty());
        double shares = 0.0;
        for (const WeightBar& b : bars) {
            shares += b.share;
            EXPECT_NE(b.label.find(" oz. ("), std::string::npos) << "the document's unit";
        }
        EXPECT_NEAR(shares, 1.0, 1e-4);
        EXPECT_FLOAT_EQ(chart->chart().grandTotal, 170.6F);
        EXPECT_TRUE(chart->accessibleDescription().startsWith(
            QString::fromStdString(bars.front().category + ": " + bars.front().label)));

        // Beside the lines, not over or under them.
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        const QRect listArea(list->mapTo(&dialog, QPoint(0, 0)), list->size());
        const QRect chartArea(chart->mapTo(&dialog, QPoint(0, 0)), chart->size());
        EXPECT_FALSE(listArea.intersects(chartArea));
        EXPECT_GE(chartArea.left(), listArea.right());
        dialog.hide();
    });
}

TEST_F(WeightChartDrawing, ReadableInALightAndADarkPalette) {
    openTotals([](TTotalsDlg& dialog) {
        {
            SCOPED_TRACE("light");
            QPalette light = QApplication::palette();
            light.setColor(QPalette::Base, Qt::white);
            light.setColor(QPalette::Text, Qt::black);
            light.setColor(QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
            checkDrawing(dialog, light, "-light.png");
        }
        {
            SCOPED_TRACE("dark");
            checkDrawing(dialog, darkPalette(), "-dark.png");
        }
    });
}

TEST(WeightChartView, ManyBarsScrollAndNoneSaySo) {
    test::qtTestApp();
    CategoryTotals totals;
    for (int i = 0; i < 300; ++i) {
        totals.categories.push_back(
            {"Category " + std::to_string(1000000 + i), static_cast<float>(1 + i)});
        totals.grandTotal += static_cast<float>(1 + i);
    }
    TTotalsDlg many(QStringList{QStringLiteral("x")}, weightChart(totals, true));
    many.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&many));
    EXPECT_LE(many.height(), many.screen()->availableGeometry().height());
    auto* area = many.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    auto* chart = many.findChild<WeightChartView*>();
    EXPECT_GT(chart->height(), area->viewport()->height()) << "the rest scrolls";
    EXPECT_EQ(chart->chart().bars.front().category, "Category 1000299");
    EXPECT_LE(chart->labelRect(0).right(), chart->width() - 1);

    TTotalsDlg none(QStringList{QStringLiteral("x")}, weightChart(CategoryTotals{}, false));
    auto* empty = none.findChild<WeightChartView*>();
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->chart().bars.empty());
    EXPECT_EQ(empty->accessibleDescription(), WeightChartView::emptyText());
    EXPECT_GE(empty->minimumSizeHint().width(),
              empty->fontMetrics().horizontalAdvance(WeightChartView::emptyText()));
}

} // namespace
} // namespace varnel
