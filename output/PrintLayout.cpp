#include "output/PrintLayout.h"

#include "model/ColumnIndex.h"
#include "model/LogFont.h"
#include "model/WeightText.h"

#include <algorithm>
#include <limits>

namespace varnel {

namespace {

constexpr std::size_t kHeadingMax = 40;
constexpr std::int32_t kDefaultScreenDpi = 96;

// A stored height as a size in screen pixels: its sign says nothing here, 0 means the default.
std::int64_t storedMagnitude(std::int32_t storedHeight) {
    std::int64_t m = storedHeight < 0 ? -static_cast<std::int64_t>(storedHeight) : storedHeight;
    if (m == 0) {
        m = mulDiv(kDefaultFontSize, kDefaultScreenDpi, 72);
    }
    return std::min<std::int64_t>(m, kMaxStoredFontHeight);
}

int pixelsFor(std::int64_t magnitude, int dpiY) {
    if (magnitude < 1 || dpiY < 1) {
        return 1;
    }
    const std::int64_t h = magnitude * dpiY / 72;
    return static_cast<int>(std::clamp<std::int64_t>(h, 1, std::numeric_limits<int>::max()));
}

// "%-Ws" onto `out`.
void appendPadded(std::string& out, std::string_view text, std::size_t width) {
    out += text;
    if (text.size() < width) {
        out.append(width - text.size(), ' ');
    }
}

std::string totalLine(std::string_view label, float total) {
    std::string out;
    appendPadded(out, " ", 21);
    appendPadded(out, label, 40);
    out += formatFixed(total, 7);
    return out;
}

} // namespace

int printerFontHeight(std::int32_t storedHeight, int dpiY) {
    return pixelsFor(storedMagnitude(storedHeight), dpiY);
}

PrinterFont choosePrinterFont(std::int32_t storedHeight, const PageGeometry& page,
                              const MeasureFont& measure) {
    std::int64_t magnitude = storedMagnitude(storedHeight);
    for (;;) {
        PrinterFont font;
        font.pixelHeight = pixelsFor(magnitude, page.dpiY);
        const FontMeasure m = measure(font.pixelHeight);
        font.metrics = {page, m.lineHeight, m.charWidth};
        if (font.metrics.columns() >= kPrintColumns || font.pixelHeight <= 1) {
            return font;
        }
        magnitude -= 2;
    }
}

PrintOptions PrintOptions::from(const DocumentSettings& settings) {
    return {settings.totalCats != 0, settings.totalAll != 0, settings.printNotes != 0};
}

PrintHeadings PrintHeadings::from(const DocumentSettings& settings) {
    const auto& fixed = settings.fixedColumns;
    return {fixed[columnSlot(ColumnIndex::Category)].heading,
            fixed[columnSlot(ColumnIndex::Item)].heading,
            fixed[columnSlot(ColumnIndex::Weight)].heading};
}

std::string printHeadingLine(const PrintHeadings& headings) {
    std::string out;
    appendPadded(out, std::string_view(headings.category).substr(0, kHeadingMax), 20);
    appendPadded(out, std::string_view(headings.item).substr(0, kHeadingMax), 40);
    appendPadded(out, std::string_view(headings.weight).substr(0, kHeadingMax), 12);
    return out;
}

std::string printItemLine(std::string_view category, std::string_view item,
                          std::string_view weight) {
    std::string out;
    out.reserve(2 + 21 + 41 + 10);
    out += "__";
    appendPadded(out, category, 21);
    appendPadded(out, item, 41);
    appendPadded(out, weight, 10);
    return out;
}

std::string printCategoryTotalLine(float total) {
    return totalLine("*** Category Weight: ", total);
}

std::string printCategoryRuleLine() {
    std::string out;
    appendPadded(out, " ", 21);
    appendPadded(out, "------------------------------------- ", 40);
    return out;
}

std::string printGrandTotalLine(float total) {
    return totalLine("Total Weight:", total);
}

std::string printPageNumberLine(int page) {
    std::string number = std::to_string(page);
    if (number.size() < 2) {
        number.insert(0, 1, ' ');
    }
    return "- Page " + number + " -";
}

} // namespace varnel
