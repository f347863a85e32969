#include "model/WeightText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace varnel {

namespace {
bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
} // namespace

double weightValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // from_chars takes no sign of its own beyond '-', and a second sign is not a number.
    if (i >= text.size() || text[i] == '+' || text[i] == '-') {
        return 0.0;
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), value,
                                           std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // strtod's answer: 0 on underflow (negative exponent), HUGE_VAL on overflow.
        const std::string_view parsed(text.data() + i,
                                      static_cast<std::size_t>(end - (text.data() + i)));
        const bool tiny = parsed.find("e-") != std::string_view::npos ||
                          parsed.find("E-") != std::string_view::npos;
        value = tiny ? 0.0 : HUGE_VAL;
    } else if (ec != std::errc{}) {
        return 0.0;
    }
    return negative ? -value : value;
}

std::string formatFixed(double value, int width, int precision) {
    std::array<char, 400> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::fixed, precision);
    std::string out = ec == std::errc{} ? std::string(buffer.data(), end) : std::string("inf");
    if (static_cast<int>(out.size()) < width) {
        out.insert(0, static_cast<std::size_t>(width) - out.size(), ' ');
    }
    return out;
}

std::string formatWeight(double value) {
    return formatFixed(value, 0, 2);
}

std::string padRight(std::string_view text, std::size_t width) {
    std::string out(text);
    if (out.size() < width) {
        out.append(width - out.size(), ' ');
    }
    return out;
}

} // namespace varnel
