#pragma once
// The printing font as the settings store it: the 60-byte Windows LOGFONT layout (five int32,
// eight bytes, a 32-byte face name), little-endian. Conversion to a real font is the GUI's job.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace varnel {

// Windows MulDiv: a * b / c in 64 bits, rounded half away from zero; -1 when c is 0 or the
// result does not fit.
std::int32_t mulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

struct LogFont {
    static constexpr std::size_t kSize = 60;
    static constexpr std::size_t kFaceSize = 32;

    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    std::string lfFaceName; // at most 31 bytes are stored

    std::array<std::uint8_t, kSize> encode() const;
    // The face name comes out terminated inside its 32 bytes.
    static LogFont decode(const std::uint8_t* bytes);

    // "Courier New" for 10 points at `dpi` vertical dots per inch, every other field 0.
    static LogFont defaultPrintingFont(int dpi = 96);

    friend bool operator==(const LogFont&, const LogFont&) = default;
};

} // namespace varnel
