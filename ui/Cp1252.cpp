#include "ui/Cp1252.h"

#include "model/Windows1252.h"

#include <cstddef>

namespace varnel {

QString Cp1252::toUnicode(std::string_view bytes) {
    QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *dst++ = QChar(static_cast<char16_t>(windows1252ToCodePoint(u)));
    }
    return out;
}

std::string Cp1252::fromUnicode(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            out.push_back('?');
            continue;
        }
        out.push_back(c.isSurrogate() ? '?' : windows1252ByteFor(c.unicode()));
    }
    return out;
}

} // namespace varnel
