#pragma once
// The Windows-1252 codec at the Qt edge: record text is kept as the files hold it (one byte per
// character) and turned into Unicode only where Qt shows it or the user types it.

#include <QString>

#include <string>
#include <string_view>

namespace varnel {

class Cp1252 {
public:
    // Every byte has a character. The five bytes Windows-1252 leaves undefined (0x81, 0x8D,
    // 0x8F, 0x90, 0x9D) become the C1 controls of the same value, so they survive a round trip.
    static QString toUnicode(std::string_view bytes);

    // One byte per character; a character without a Windows-1252 byte becomes "?" (a surrogate
    // pair is one character, hence one "?").
    static std::string fromUnicode(const QString& text);
};

} // namespace varnel
