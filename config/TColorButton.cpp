#include "config/TColorButton.h"

#include "platform/ColorRef.h"
#include "ui/Prompts.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace varnel {

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 24;
constexpr int kFocusInset = 3;
constexpr std::uint32_t kGreyStep = 0x00101010;
constexpr std::uint32_t kNearestBlack = 0x00010101;

} // namespace

TColorButton::TColorButton(Prompts& prompts, QWidget* parent)
    : QPushButton(parent), prompts_(prompts) {
    setAutoDefault(false);
    connect(this, &QAbstractButton::pressed, this, &TColorButton::choose);
}

QSize TColorButton::sizeHint() const {
    return {kWidth, kHeight};
}

void TColorButton::setColor(std::uint32_t color) {
    color_ = color;
    answeredPress_ = false;
    update();
}

void TColorButton::choose() {
    // The swatch's own colour first, then the greys from dark to light.
    Prompts::CustomColors custom{};
    // A stored system colour shows as the palette's colour for it; it is kept unless one is chosen.
    const QColor shown = colorFromColorRef(currentColorRef(color_));
    custom[0] = shown;
    for (std::size_t i = 1; i < custom.size(); ++i) {
        custom[i] = colorFromColorRef(static_cast<std::uint32_t>(i) * kGreyStep);
    }
    if (const auto chosen = prompts_.chooseColor(shown, custom)) {
        color_ = colorRefFromColor(*chosen);
        // The settings read a stored 0 as no colour at all: black is kept as the nearest colour
        // that comes back from them.
        if (color_ == 0) {
            color_ = kNearestBlack;
        }
        hasBrush_ = true;
    }
    answeredPress_ = true;
    // The chooser took the release; the swatch must not stay pressed.
    setDown(false);
    update();
}

void TColorButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(answeredPress_ ? QPen(Qt::white) : QPen(Qt::black));
    const QColor shown = colorFromColorRef(currentColorRef(color_));
    painter.setBrush(shown);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(kFocusInset, kFocusInset, -kFocusInset, -kFocusInset);
        focus.backgroundColor = shown;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void TColorButton::focusOutEvent(QFocusEvent* event) {
    answeredPress_ = false;
    QPushButton::focusOutEvent(event);
}

} // namespace varnel
