#include "app/TTotalsDlg.h"

#include "app/WeightChartView.h"
#include "ui/DialogButtons.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace varnel {

namespace {

constexpr int kPointSize = 8;
// The widest line the totals produce: a 21-character name and the metric figures.
constexpr int kLineChars = 47;
constexpr int kFewestLines = 3;
// Caption, button row, margins and the window frame, taken off the screen's height.
constexpr int kChromeHeight = 160;

} // namespace

bool TTotalsDlg::hasEvenColumns(const QFont& font) {
    // Every character a totals line can hold; the font's fixed-pitch flag is not enough, some
    // monospaced fonts do not set it.
    static const QString kLineCharacters =
        QStringLiteral(" ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789.:()-");
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(kLineCharacters.front());
    return std::all_of(kLineCharacters.begin(), kLineCharacters.end(),
                       [&](QChar c) { return metrics.horizontalAdvance(c) == width; });
}

QFont TTotalsDlg::listFont(const QString& family) {
    QFont font(family, kPointSize, QFont::Normal);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    // Font matching never fails, it substitutes; a proportional stand-in would break the
    // columns, so only an installed font with even columns is taken.
    if (QFontDatabase::hasFamily(family) && hasEvenColumns(font)) {
        return font;
    }
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(kPointSize);
    fixed.setWeight(QFont::Normal);
    return fixed;
}

TTotalsDlg::TTotalsDlg(const QStringList& lines, QWidget* parent)
    : TTotalsDlg(lines, WeightChart{}, parent) {}

TTotalsDlg::TTotalsDlg(const QStringList& lines, WeightChart chart, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Totals"));

    auto* caption = new QLabel(QStringLiteral("Totals by Category"), this);

    list_ = new QListWidget(this);
    list_->setObjectName(QLatin1String(kLinesId));
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setSortingEnabled(false);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setUniformItemSizes(true);
    list_->setFont(listFont());
    list_->addItems(lines);
    caption->setBuddy(list_);

    // Wide enough for the longest line with the vertical scroll bar showing, so that the
    // figures are never cut and no horizontal scrolling is needed.
    const QFontMetrics metrics(list_->font());
    int textWidth = metrics.horizontalAdvance(QString(kLineChars, QLatin1Char('0')));
    for (const QString& line : lines) {
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    }
    const int frame = 2 * list_->frameWidth();
    const int scrollBar = list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list_);
    const int itemMargins = 4 * list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin);
    list_->setMinimumWidth(textWidth + frame + scrollBar + itemMargins + 2 * list_->spacing());
    // Every line when the screen has room for them, else as many as fit; the end, with the
    // Grand Total, is what shows.
    const int rowHeight = list_->count() > 0 ? list_->sizeHintForRow(0) : metrics.height();
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    const int room = screen != nullptr ? screen->availableGeometry().height() - kChromeHeight : 0;
    const int fitting = std::max(kFewestLines, room / std::max(1, rowHeight));
    const int rows = std::clamp(static_cast<int>(lines.size()), kFewestLines, fitting);
    list_->setMinimumHeight(rows * rowHeight + frame + 2 * list_->spacing());

    ok_ = new QPushButton(QIcon(QStringLiteral(":/icons/ok.svg")), QStringLiteral("OK"), this);
    ok_->setObjectName(QLatin1String(kOkId));
    ok_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    // The chart scrolls on its own when it has more bars than the screen has room for.
    auto* chartView = new WeightChartView(std::move(chart));
    chartArea_ = new QScrollArea(this);
    chartArea_->setWidget(chartView);
    chartArea_->setWidgetResizable(true);
    chartArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    chartArea_->setMinimumWidth(chartView->minimumSizeHint().width() +
                                2 * chartArea_->frameWidth() + scrollBar);
    chartArea_->setMinimumHeight(
        std::min(chartView->sizeHint().height() + 2 * chartArea_->frameWidth(),
                 std::max(room, list_->minimumHeight())));
    auto* chartCaption = new QLabel(QStringLiteral("Checked Weight by Category"), this);
    chartCaption->setBuddy(chartArea_);

    auto* layout = new QGridLayout(this);
    layout->addWidget(caption, 0, 0);
    layout->addWidget(chartCaption, 0, 1);
    layout->addWidget(list_, 1, 0);
    layout->addWidget(chartArea_, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(1, 1);
    // The list's minimum is the size wanted; its default size hint would leave blank rows.
    resize(minimumSizeHint());

    ok_->setFocus();
}

void TTotalsDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Laid out only now: a longer list than the screen holds ends on its Grand Total.
    list_->scrollToBottom();
}

} // namespace varnel
