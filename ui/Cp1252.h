#pragma once
// The Windows-1252 codec at the Qt edge: record text is kept as the files hold it (one byte per
// character) and turned into a QString only where Qt shows it or the user types it.

#include <QString>

#include <string>
#include <string_view>

namespace varnel {

class Cp1252 {
public:
    // Every byte has a character, as model/Windows1252.h maps them.
    static QString toUnicode(std::string_view bytes);

    // One byte per character; a character without a Windows-1252 byte becomes "?" (a surrogate
    // pair is one character, hence one "?").
    static std::string fromUnicode(const QString& text);
};

} // namespace varnel
