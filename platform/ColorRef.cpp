#include "platform/ColorRef.h"

#include <QGuiApplication>

#include <array>
#include <optional>

namespace varnel {

QColor colorFromColorRef(std::uint32_t colorRef) {
    return QColor(static_cast<int>(colorRef & 0xFFU), static_cast<int>((colorRef >> 8) & 0xFFU),
                  static_cast<int>((colorRef >> 16) & 0xFFU));
}

std::uint32_t colorRefFromColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<std::uint32_t>(rgb.red()) | (static_cast<std::uint32_t>(rgb.green()) << 8) |
           (static_cast<std::uint32_t>(rgb.blue()) << 16);
}

namespace {

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr QPalette::ColorGroup kActive = QPalette::Active;
constexpr QPalette::ColorGroup kInactive = QPalette::Inactive;

// The palette role that stands for each system colour index (COLOR_SCROLLBAR = 0 onward).
constexpr std::array<std::optional<SystemRole>, 31> kSystemRoles = {{
    SystemRole{kActive, QPalette::Button},            // scroll bar
    SystemRole{kActive, QPalette::Dark},              // desktop
    SystemRole{kActive, QPalette::Highlight},         // active caption
    SystemRole{kInactive, QPalette::Highlight},       // inactive caption
    SystemRole{kActive, QPalette::Window},            // menu
    SystemRole{kActive, QPalette::Base},              // window
    SystemRole{kActive, QPalette::Shadow},            // window frame
    SystemRole{kActive, QPalette::WindowText},        // menu text
    SystemRole{kActive, QPalette::Text},              // window text
    SystemRole{kActive, QPalette::HighlightedText},   // caption text
    SystemRole{kActive, QPalette::Window},            // active border
    SystemRole{kInactive, QPalette::Window},          // inactive border
    SystemRole{kActive, QPalette::Mid},               // application workspace
    SystemRole{kActive, QPalette::Highlight},         // highlight
    SystemRole{kActive, QPalette::HighlightedText},   // highlight text
    SystemRole{kActive, QPalette::Button},            // button face
    SystemRole{kActive, QPalette::Dark},              // button shadow
    SystemRole{QPalette::Disabled, QPalette::Text},   // grey text
    SystemRole{kActive, QPalette::ButtonText},        // button text
    SystemRole{kInactive, QPalette::HighlightedText}, // inactive caption text
    SystemRole{kActive, QPalette::Light},             // button highlight
    SystemRole{kActive, QPalette::Shadow},            // 3D dark shadow
    SystemRole{kActive, QPalette::Midlight},          // 3D light
    SystemRole{kActive, QPalette::ToolTipText},       // info text
    SystemRole{kActive, QPalette::ToolTipBase},       // info background
    std::nullopt,                                     // (no colour)
    SystemRole{kActive, QPalette::Link},              // hot-tracked item
    SystemRole{kActive, QPalette::Highlight},         // active caption gradient
    SystemRole{kInactive, QPalette::Highlight},       // inactive caption gradient
    SystemRole{kActive, QPalette::Highlight},         // menu highlight
    SystemRole{kActive, QPalette::Window},            // menu bar
}};

constexpr std::uint32_t kSystemColorFlag = 0x80000000U;
constexpr std::uint32_t kColorMask = 0x00FFFFFFU;

} // namespace

std::uint32_t resolvedColorRef(std::uint32_t colorRef, const QPalette& palette) {
    const std::uint32_t index = colorRef & 0xFFU;
    if ((colorRef & kSystemColorFlag) != 0 && index < kSystemRoles.size() && kSystemRoles[index]) {
        const SystemRole& r = *kSystemRoles[index];
        return colorRefFromColor(palette.color(r.group, r.role));
    }
    return colorRef & kColorMask;
}

std::uint32_t currentColorRef(std::uint32_t colorRef) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        return resolvedColorRef(colorRef, QGuiApplication::palette());
    }
    // The command line runs without a window system: light grey controls on white.
    static const QPalette light(QColor(0xF0, 0xF0, 0xF0));
    return resolvedColorRef(colorRef, light);
}

} // namespace varnel
