#include "platform/LogFontConversion.h"

#include "model/Windows1252.h"

#include <QtMath>

#include <algorithm>

namespace varnel {

namespace {

constexpr int kTenthsPerInch = 720;
constexpr int kMaxWeight = 1000;

} // namespace

QFont screenFontFromLogFont(const LogFont& stored, std::int32_t pointSizeTenths) {
    QFont font(QString::fromStdString(windows1252ToUtf8(stored.lfFaceName)));
    // Qt refuses a size of nothing or less and keeps its default: the smallest is one point.
    font.setPointSizeF(std::max(10, pointSizeTenths) / 10.0);
    if (stored.lfWeight > 0) {
        font.setWeight(static_cast<QFont::Weight>(std::clamp(stored.lfWeight, 1, kMaxWeight)));
    }
    font.setItalic(stored.lfItalic != 0);
    font.setUnderline(stored.lfUnderline != 0);
    font.setStrikeOut(stored.lfStrikeOut != 0);
    font.setFixedPitch(true);
    return font;
}

std::int32_t pointSizeTenths(const QFont& font) {
    if (font.pointSizeF() > 0) {
        return static_cast<std::int32_t>(qRound(font.pointSizeF() * 10));
    }
    return 0;
}

LogFont logFontFromScreenFont(const QFont& font, const LogFont& base, int dpi) {
    LogFont out = base;
    out.lfFaceName = utf8ToWindows1252(font.family().toStdString());
    if (out.lfFaceName.size() >= LogFont::kFaceSize) {
        out.lfFaceName.resize(LogFont::kFaceSize - 1);
    }
    out.lfHeight = -mulDiv(pointSizeTenths(font), dpi, kTenthsPerInch);
    out.lfWidth = 0;
    out.lfWeight = static_cast<std::int32_t>(font.weight());
    out.lfItalic = font.italic() ? 1 : 0;
    out.lfUnderline = font.underline() ? 1 : 0;
    out.lfStrikeOut = font.strikeOut() ? 1 : 0;
    return out;
}

} // namespace varnel
