#pragma once
// Record texts hold Windows-1252 bytes, as the files do. This is the one converter between those
// bytes and Unicode, used wherever text leaves or enters in another encoding.

#include <string>
#include <string_view>

namespace varnel {

// Every byte has a character. The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 controls of the same value, so they survive a round trip.
char32_t windows1252ToCodePoint(unsigned char byte);

// The byte for a code point, or '?' when Windows-1252 has none.
char windows1252ByteFor(char32_t codePoint);

std::string windows1252ToUtf8(std::string_view bytes);

// Strict UTF-8: no overlong forms, surrogates or code points past U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// Appends one code point as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

// One byte per character; a character without a Windows-1252 byte, and every byte of a malformed
// UTF-8 sequence, becomes "?".
std::string utf8ToWindows1252(std::string_view utf8);

} // namespace varnel
