#include "model/Cp1252Text.h"

#include <array>
#include <cstddef>

namespace varnel {

namespace {

// 0x80..0x9F; the other bytes are Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool continuation(unsigned char b) {
    return (b & 0xC0U) == 0x80U;
}

// Decodes one sequence at `s[i]`; `length` is how many bytes it (or its ill-formed part) took.
// Returns false for an ill-formed part.
bool decodeOne(std::string_view s, std::size_t i, char32_t& c, std::size_t& length) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    length = 1;
    if (b0 < 0x80U) {
        c = b0;
        return true;
    }
    std::size_t need = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b0 >= 0xC2U && b0 <= 0xDFU) {
        need = 1;
        c = b0 & 0x1FU;
    } else if (b0 >= 0xE0U && b0 <= 0xEFU) {
        need = 2;
        c = b0 & 0x0FU;
        low = b0 == 0xE0U ? 0xA0 : 0x80;  // no overlong forms
        high = b0 == 0xEDU ? 0x9F : 0xBF; // no surrogates
    } else if (b0 >= 0xF0U && b0 <= 0xF4U) {
        need = 3;
        c = b0 & 0x07U;
        low = b0 == 0xF0U ? 0x90 : 0x80;
        high = b0 == 0xF4U ? 0x8F : 0xBF; // nothing past U+10FFFF
    } else {
        return false;
    }
    for (std::size_t k = 1; k <= need; ++k) {
        if (i + k >= s.size()) {
            return false;
        }
        const auto b = static_cast<unsigned char>(s[i + k]);
        const bool fits = k == 1 ? (b >= low && b <= high) : continuation(b);
        if (!fits) {
            return false;
        }
        c = (c << 6U) | (b & 0x3FU);
        length = k + 1;
    }
    return true;
}

} // namespace

char32_t cp1252CodePoint(unsigned char byte) {
    return byte >= 0x80U && byte < 0xA0U ? kHighControls[byte - 0x80U] : char32_t{byte};
}

char cp1252Byte(char32_t c) {
    if (c < 0x80U || (c >= 0xA0U && c <= 0xFFU)) {
        return static_cast<char>(c);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) {
            return static_cast<char>(0x80U + i);
        }
    }
    return '?';
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80U) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800U) {
        out.push_back(static_cast<char>(0xC0U | (c >> 6U)));
        out.push_back(static_cast<char>(0x80U | (c & 0x3FU)));
    } else if (c < 0x10000U) {
        out.push_back(static_cast<char>(0xE0U | (c >> 12U)));
        out.push_back(static_cast<char>(0x80U | ((c >> 6U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | (c & 0x3FU)));
    } else {
        out.push_back(static_cast<char>(0xF0U | (c >> 18U)));
        out.push_back(static_cast<char>(0x80U | ((c >> 12U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | ((c >> 6U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | (c & 0x3FU)));
    }
}

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char b : bytes) {
        appendUtf8(out, cp1252CodePoint(static_cast<unsigned char>(b)));
    }
    return out;
}

std::string utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        std::size_t length = 1;
        out.push_back(decodeOne(utf8, i, c, length) ? cp1252Byte(c) : '?');
        i += length;
    }
    return out;
}

} // namespace varnel
