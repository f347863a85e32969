#pragma once
// Windows-1252, the encoding of every record text, to and from UTF-8 for the edges that speak
// Unicode (the XML export, files of other programs). Standard C++ only, so the command line and
// the fuzz targets share it with the GUI.

#include <string>
#include <string_view>

namespace varnel {

// The character of one byte. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) stand for the C1 controls of the same value, so they survive a round trip.
char32_t cp1252CodePoint(unsigned char byte);

// The byte of a character; '?' when the code page has none (U+0080 included: the euro sign
// has its own byte).
char cp1252Byte(char32_t c);

// Appends the UTF-8 form of `c`, a Unicode scalar value.
void appendUtf8(std::string& out, char32_t c);

std::string cp1252ToUtf8(std::string_view bytes);

// One byte per character. A character without a byte becomes "?", and so does each maximal
// ill-formed part of the input (a stray continuation byte, a cut sequence, an encoded
// surrogate, an overlong form).
std::string utf8ToCp1252(std::string_view utf8);

} // namespace varnel
