#include "ui/WindowTitle.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

namespace varnel {

namespace {

// Close, maximise and minimise buttons, the icon and the frame's margins.
constexpr int kTitleBarExtras = 150;

} // namespace

int titleWidth(const QWidget& window) {
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    return metrics.horizontalAdvance(window.windowTitle()) + kTitleBarExtras;
}

void fitWindowTitle(QWidget& window) {
    window.setMinimumWidth(std::max(window.minimumWidth(), titleWidth(window)));
}

} // namespace varnel
