#pragma once
// The printed report's measures, options and line texts, shared by the printout and its tests.
//
// Getting the measures on the Qt side, for a QPrinter `printer` (all in device pixels):
//   page.width  = printer.width()          (the printable area: pageRect(QPrinter::DevicePixel))
//   page.height = printer.height()
//   page.dpiY   = printer.logicalDpiY()
// and for the printer font (see choosePrinterFont), with QFontMetrics fm(font, &printer):
//   lineHeight = fm.lineSpacing()          (character height plus external leading)
//   charWidth  = fm.averageCharWidth()
// The printer font is the printing font (DocumentSettings::font: face lfFaceName, weight
// lfWeight, italic lfItalic; no underline or strike-out) with setFixedPitch(true) and
// setPixelSize(pixelHeight); the same font draws the texts.

#include "model/DocumentSettings.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace varnel {

struct PageGeometry {
    int width = 0;  // W
    int height = 0; // H
    int dpiY = 0;   // Y: vertical pixels per inch
};

struct PrintMetrics {
    PageGeometry page;
    int lineHeight = 0; // L
    int charWidth = 0;  // C: average character width

    // A font that measures nothing still advances: L and C count as at least 1 pixel.
    [[nodiscard]] int line() const { return lineHeight < 1 ? 1 : lineHeight; }
    [[nodiscard]] int character() const { return charWidth < 1 ? 1 : charWidth; }
    // K = W / C - 1: the characters that fit across the page, one spare.
    [[nodiscard]] int columns() const { return page.width / character() - 1; }
    // B = H - Y - L / 2: a page ends once its last line reaches this far down.
    [[nodiscard]] std::int64_t bottomLimit() const {
        return static_cast<std::int64_t>(page.height) - page.dpiY - line() / 2;
    }
};

// The report needs this many columns; the font shrinks until they fit.
inline constexpr int kPrintColumns = 69;
// A stored height beyond this many pixels counts as this many, so that shrinking stays short.
inline constexpr int kMaxStoredFontHeight = 1000;

struct FontMeasure {
    int lineHeight = 0;
    int charWidth = 0;
};

// Measures the printing font (face, weight and italic as stored; fixed pitch) made with a
// character height of `pixelHeight` printer pixels (QFont::setPixelSize).
using MeasureFont = std::function<FontMeasure(int pixelHeight)>;

struct PrinterFont {
    int pixelHeight = 0;  // the font's height on the printer, at least 1
    PrintMetrics metrics; // measured with that font
};

// The printer height of a stored font height: -(stored x Y / 72), at least 1 pixel. A stored
// height is negative; a positive one counts by its size, 0 as the 10-point default.
int printerFontHeight(std::int32_t storedHeight, int dpiY);

// Makes the printer font from the stored height (DocumentSettings::font.lfHeight) and, while fewer
// than 69 columns fit, makes it smaller (2 stored pixels a step). The smallest font is 1 printer
// pixel high: a page too narrow even for that prints with it.
PrinterFont choosePrinterFont(std::int32_t storedHeight, const PageGeometry& page,
                              const MeasureFont& measure);

struct PrintOptions {
    bool totalEachCategory = true;
    bool grandTotal = true;
    bool printNotes = true;

    static PrintOptions from(const DocumentSettings& settings);
};

// Texts of the list's columns 0 to 2 (category, item, weight) as the list's header shows them;
// at most 40 characters are used.
struct PrintHeadings {
    std::string category;
    std::string item;
    std::string weight;

    static PrintHeadings from(const DocumentSettings& settings);
};

inline constexpr std::string_view kPrintTitle = "Varnel";
inline constexpr std::string_view kPrintRule =
    "-----------------------------------------------------------------------";

// The report's lines, as printf would write them.
std::string printHeadingLine(const PrintHeadings& headings); // "%-20s%-40s%-12s"
std::string printItemLine(std::string_view category, std::string_view item,
                          std::string_view weight); // "__%-21s%-41s%-10s"
std::string printCategoryTotalLine(float total);    // "%-21s%-40s%7.2f"
std::string printCategoryRuleLine();                // "%-21s%-40s"
std::string printGrandTotalLine(float total);       // "%-21s%-40s%7.2f"
std::string printPageNumberLine(int page);          // "- Page %2d -"

} // namespace varnel
