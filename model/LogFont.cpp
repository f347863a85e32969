#include "model/LogFont.h"

#include "model/ByteOrder.h"
#include "model/FixedText.h"

#include <cstring>
#include <limits>

namespace varnel {

namespace {
constexpr std::size_t kBytesAt = 5 * 4;
constexpr std::size_t kFaceAt = kBytesAt + 8;
static_assert(kFaceAt + LogFont::kFaceSize == LogFont::kSize);
} // namespace

std::int32_t mulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) {
        return -1;
    }
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
    magnitude = (magnitude + divisor / 2) / divisor;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<std::int32_t>::max() ||
        result < std::numeric_limits<std::int32_t>::min()) {
        return -1;
    }
    return static_cast<std::int32_t>(result);
}

std::array<std::uint8_t, LogFont::kSize> LogFont::encode() const {
    std::array<std::uint8_t, kSize> out{};
    putInt32(out.data(), lfHeight);
    putInt32(out.data() + 4, lfWidth);
    putInt32(out.data() + 8, lfEscapement);
    putInt32(out.data() + 12, lfOrientation);
    putInt32(out.data() + 16, lfWeight);
    const std::uint8_t flags[8] = {lfItalic,       lfUnderline,     lfStrikeOut, lfCharSet,
                                   lfOutPrecision, lfClipPrecision, lfQuality,   lfPitchAndFamily};
    std::memcpy(out.data() + kBytesAt, flags, sizeof flags);
    char face[kFaceSize];
    setField(face, lfFaceName);
    std::memcpy(out.data() + kFaceAt, face, kFaceSize);
    return out;
}

LogFont LogFont::decode(const std::uint8_t* bytes) {
    LogFont font;
    font.lfHeight = getInt32(bytes);
    font.lfWidth = getInt32(bytes + 4);
    font.lfEscapement = getInt32(bytes + 8);
    font.lfOrientation = getInt32(bytes + 12);
    font.lfWeight = getInt32(bytes + 16);
    const std::uint8_t* flags = bytes + kBytesAt;
    font.lfItalic = flags[0];
    font.lfUnderline = flags[1];
    font.lfStrikeOut = flags[2];
    font.lfCharSet = flags[3];
    font.lfOutPrecision = flags[4];
    font.lfClipPrecision = flags[5];
    font.lfQuality = flags[6];
    font.lfPitchAndFamily = flags[7];
    char face[kFaceSize];
    std::memcpy(face, bytes + kFaceAt, kFaceSize);
    terminateField(face);
    font.lfFaceName = fieldText(face);
    return font;
}

LogFont LogFont::defaultPrintingFont(int dpi) {
    LogFont font;
    font.lfHeight = -mulDiv(10, dpi, 72);
    font.lfFaceName = "Courier New";
    return font;
}

} // namespace varnel
