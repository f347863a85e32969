#pragma once
// Colours as the settings and the exports keep them: 32-bit values 0x00BBGGRR.

#include <QColor>

#include <cstdint>

namespace varnel {

// Only the low three bytes are a colour; whatever a settings file put in the high byte is ignored.
QColor colorFromColorRef(std::uint32_t colorRef);

// Alpha is dropped: the list and the files know only opaque colours.
std::uint32_t colorRefFromColor(const QColor& color);

} // namespace varnel
