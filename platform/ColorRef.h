#pragma once
// Colours as the settings and the exports keep them: 32-bit values 0x00BBGGRR.

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace varnel {

// Only the low three bytes are a colour; whatever a settings file put in the high byte is ignored.
QColor colorFromColorRef(std::uint32_t colorRef);

// Alpha is dropped: the list and the files know only opaque colours.
std::uint32_t colorRefFromColor(const QColor& color);

// A stored colour with its top bit set names a system colour by its low byte (0x80000005: the
// window background); this gives the palette's colour for that role. Any other colour, and an
// index no system colour has, comes back as stored, without its high byte.
std::uint32_t resolvedColorRef(std::uint32_t colorRef, const QPalette& palette);

// The same with the application's palette, or without a GUI a plain light one.
std::uint32_t currentColorRef(std::uint32_t colorRef);

} // namespace varnel
