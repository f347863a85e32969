#pragma once
// The stored printing font (a LOGFONT) and the screen font the font chooser shows.

#include "model/LogFont.h"

#include <QFont>

#include <cstdint>

namespace varnel {

// Face, style and effects as stored, at `pointSizeTenths` / 10 points.
QFont screenFontFromLogFont(const LogFont& font, std::int32_t pointSizeTenths);

// `base` with the face, height, weight, italic, underline and strike-out of `font`; the height is
// a character height in pixels of a screen of `dpi`, negative as the store keeps it.
LogFont logFontFromScreenFont(const QFont& font, const LogFont& base, int dpi);

// The chooser's size of `font` in tenths of a point.
std::int32_t pointSizeTenths(const QFont& font);

} // namespace varnel
