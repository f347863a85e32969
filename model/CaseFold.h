#pragma once
// Case-insensitive comparison folding ASCII letters only, the same on every machine and locale.

#include <string>
#include <string_view>

namespace varnel {

constexpr char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// <0, 0 or >0 like strcmp, on bytes as unsigned values after folding.
int compareNoCase(std::string_view a, std::string_view b);

inline bool equalNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compareNoCase(a, b) == 0;
}

std::string foldedCopy(std::string_view text);

} // namespace varnel
