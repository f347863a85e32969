#include "app/WeightChartView.h"

#include "ui/Cp1252.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace varnel {

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 8;
// Short enough to sit beside the totals on a small screen, long enough to compare the bars.
constexpr int kShortestBarArea = 140;

} // namespace

WeightChartView::WeightChartView(WeightChart chart, QWidget* parent)
    : QWidget(parent), chart_(std::move(chart)) {
    setObjectName(QStringLiteral("weightChart"));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    QStringList spoken;
    for (int i = 0; i < static_cast<int>(chart_.bars.size()); ++i) {
        spoken << name(i) + QStringLiteral(": ") + label(i);
    }
    setAccessibleName(QStringLiteral("Checked weight by category"));
    setAccessibleDescription(spoken.isEmpty() ? emptyText() : spoken.join(QStringLiteral("; ")));
}

QString WeightChartView::emptyText() {
    return QStringLiteral("No checked weight to show.");
}

QColor WeightChartView::wornColor() {
    return {0x2E, 0x8B, 0x57};
}

QColor WeightChartView::consumableColor() {
    return {0xE6, 0x8A, 0x00};
}

int WeightChartView::rows() const {
    // The legend takes a row of its own under the bars.
    return std::max(1, static_cast<int>(chart_.bars.size())) + (chart_.split ? 1 : 0);
}

QString WeightChartView::name(int i) const {
    return Cp1252::toUnicode(chart_.bars[static_cast<std::size_t>(i)].category);
}

QString WeightChartView::label(int i) const {
    return QString::fromLatin1(chart_.bars[static_cast<std::size_t>(i)].label);
}

int WeightChartView::rowHeight() const {
    return fontMetrics().height() + 10;
}

int WeightChartView::nameWidth() const {
    int width = 0;
    for (int i = 0; i < static_cast<int>(chart_.bars.size()); ++i) {
        width = std::max(width, fontMetrics().horizontalAdvance(name(i)));
    }
    return width;
}

int WeightChartView::labelWidth() const {
    int width = 0;
    for (int i = 0; i < static_cast<int>(chart_.bars.size()); ++i) {
        width = std::max(width, fontMetrics().horizontalAdvance(label(i)));
    }
    return width;
}

QRect WeightChartView::nameRect(int i) const {
    return {kMargin, kMargin + i * rowHeight(), nameWidth(), rowHeight()};
}

QRect WeightChartView::barRect(int i) const {
    const int left = kMargin + nameWidth() + kGap;
    const int area = std::max(0, width() - left - kGap - labelWidth() - kMargin);
    const double length = chart_.bars[static_cast<std::size_t>(i)].length;
    const int barHeight = fontMetrics().height();
    const int top = kMargin + i * rowHeight() + (rowHeight() - barHeight) / 2;
    // Whatever weighs something shows at least a sliver.
    const int drawn = length > 0.0 ? std::max(1, static_cast<int>(std::lround(area * length))) : 0;
    return {left, top, std::min(drawn, area), barHeight};
}

QRect WeightChartView::labelRect(int i) const {
    const QRect bar = barRect(i);
    return {bar.right() + 1 + kGap, kMargin + i * rowHeight(),
            fontMetrics().horizontalAdvance(label(i)), rowHeight()};
}

QSize WeightChartView::sizeHint() const {
    return minimumSizeHint();
}

// Every bar at full height: a scroll area around the chart shows what does not fit.
QSize WeightChartView::minimumSizeHint() const {
    const int width = chart_.bars.empty()
                          ? fontMetrics().horizontalAdvance(emptyText())
                          : nameWidth() + kGap + kShortestBarArea + kGap + labelWidth();
    return {2 * kMargin + width, 2 * kMargin + rows() * rowHeight()};
}

void WeightChartView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        updateGeometry();
        update();
    }
    QWidget::changeEvent(event);
}

void WeightChartView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPalette& colours = palette();
    painter.setPen(colours.color(QPalette::Text));
    if (chart_.bars.empty()) {
        painter.drawText(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin),
                         Qt::AlignLeft | Qt::AlignTop, emptyText());
        return;
    }
    const int rows = static_cast<int>(chart_.bars.size());
    for (int i = 0; i < rows; ++i) {
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(nameRect(i), Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(name(i), Qt::ElideRight, nameWidth()));
        const QRect bar = barRect(i);
        if (bar.width() > 0) {
            painter.fillRect(bar, colours.color(QPalette::Highlight));
            // Base first, then what is worn, then what is used up on the way.
            const WeightBar& b = chart_.bars[static_cast<std::size_t>(i)];
            const int worn = static_cast<int>(std::lround(bar.width() * b.wornShare));
            const int consumable = static_cast<int>(std::lround(bar.width() * b.consumableShare));
            const int base = std::max(0, bar.width() - worn - consumable);
            painter.fillRect(QRect(bar.left() + base, bar.top(), worn, bar.height()), wornColor());
            painter.fillRect(QRect(bar.left() + base + worn, bar.top(),
                                   std::min(consumable, bar.width() - base - worn), bar.height()),
                             consumableColor());
        }
        painter.drawText(labelRect(i), Qt::AlignLeft | Qt::AlignVCenter, label(i));
    }
    if (chart_.split) {
        drawLegend(painter);
    }
}

void WeightChartView::drawLegend(QPainter& painter) {
    const int top = kMargin + static_cast<int>(chart_.bars.size()) * rowHeight();
    const int swatch = fontMetrics().height() - 4;
    int x = kMargin;
    const std::pair<QString, QColor> keys[] = {
        {QStringLiteral("Base"), palette().color(QPalette::Highlight)},
        {QStringLiteral("Worn"), wornColor()},
        {QStringLiteral("Consumable"), consumableColor()}};
    for (const auto& [text, colour] : keys) {
        painter.fillRect(QRect(x, top + (rowHeight() - swatch) / 2, swatch, swatch), colour);
        x += swatch + 4;
        const int w = fontMetrics().horizontalAdvance(text);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(x, top, w, rowHeight()), Qt::AlignLeft | Qt::AlignVCenter, text);
        x += w + 2 * kGap;
    }
}

} // namespace varnel
