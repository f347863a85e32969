#pragma once
// The Totals dialog's bar chart: one bar per category, heaviest first, each labelled with its
// weight and share. Drawn in the palette's colours, so it reads in light and dark themes alike.

#include "output/WeightChart.h"

#include <QColor>
#include <QString>
#include <QWidget>

class QPainter;

namespace varnel {

class WeightChartView : public QWidget {
    Q_OBJECT

public:
    explicit WeightChartView(WeightChart chart, QWidget* parent = nullptr);

    [[nodiscard]] const WeightChart& chart() const { return chart_; }
    // Where bar `i` is drawn, and its label beside it (for tests and the accessible text).
    [[nodiscard]] QRect barRect(int i) const;
    [[nodiscard]] QRect labelRect(int i) const;

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

    // What the chart says when nothing checked weighs anything.
    static QString emptyText();
    // The colours of the worn and consumable parts of a split bar; the rest is the highlight.
    static QColor wornColor();
    static QColor consumableColor();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    [[nodiscard]] int rowHeight() const;
    [[nodiscard]] int nameWidth() const;
    [[nodiscard]] int labelWidth() const;
    [[nodiscard]] QRect nameRect(int i) const;
    [[nodiscard]] QString name(int i) const;
    [[nodiscard]] QString label(int i) const;
    [[nodiscard]] int rows() const;
    void drawLegend(QPainter& painter);

    WeightChart chart_;
};

} // namespace varnel
