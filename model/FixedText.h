#pragma once
// Fixed-width, NUL-terminated Windows-1252 text fields as the files store them.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace varnel {

// The text of a field: up to its first NUL, never past its width.
template <std::size_t N> std::string_view fieldText(const char (&field)[N]) {
    const auto* end = static_cast<const char*>(std::memchr(field, '\0', N));
    return {field, end ? static_cast<std::size_t>(end - field) : N};
}

// Stores at most N-1 bytes of `text`, then zero-fills the rest of the field.
template <std::size_t N> void setField(char (&field)[N], std::string_view text) {
    const std::size_t n = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, N - n);
}

// A field read from a file is terminated inside its width, whatever the file held.
template <std::size_t N> void terminateField(char (&field)[N]) {
    field[N - 1] = '\0';
}

} // namespace varnel
