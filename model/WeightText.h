#pragma once
// Weights are text everywhere; these turn them into numbers for arithmetic and back.

#include <string>
#include <string_view>

namespace varnel {

// The number at the start of `text` (after blanks), 0 when there is none. Unlike strtod it does
// not depend on the process locale, which the GUI toolkit sets from the environment.
double weightValue(std::string_view text);

// "%.2f" in the C locale.
std::string formatWeight(double value);

// printf-style "%W.2f": right-aligned in `width` characters.
std::string formatFixed(double value, int width, int precision = 2);

// "%-Ws": `text` left-aligned, padded with blanks to `width` (never cut).
std::string padRight(std::string_view text, std::size_t width);

} // namespace varnel
