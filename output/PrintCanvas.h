#pragma once
// Where a printed page's texts go: the printer, the print preview, or a recording.

#include <string_view>

namespace varnel {

// How a text stands at its point. Both are top-aligned: y is the top of the text's line cell,
// not its baseline (with QPainter, draw into a rectangle with Qt::AlignTop, or add the font's
// ascent to y).
enum class TextAnchor {
    TopLeft,   // x is the left edge of the text
    TopCentre, // x is the middle of the text
};

class PrintCanvas {
public:
    virtual ~PrintCanvas() = default;

    // `cp1252` holds Windows-1252 bytes, as the records do. Coordinates are device pixels of the
    // printable area, from its top left corner.
    virtual void text(int x, int y, std::string_view cp1252, TextAnchor anchor) = 0;

protected:
    PrintCanvas() = default;
    PrintCanvas(const PrintCanvas&) = default;
    PrintCanvas& operator=(const PrintCanvas&) = default;
};

} // namespace varnel
