#pragma once
// The printed report of the gear list, composed page by page onto a canvas.
//
// Every row the list holds is printed, check marks or not; a group row prints its members, and
// the rows that show an expanded group's members print nothing. Pages must be printed in order,
// from the first, with one printout per print job; the document must not change meanwhile.
//
// With Qt (headings from the list's header, metrics as PrintLayout.h says):
//   const PrinterFont font = choosePrinterFont(storedHeight, page, measureOnPrinter);
//   TMiravoPrintout printout(document, headings, PrintOptions::from(settings), font.metrics);
//   while (printout.hasPage()) {
//       if (printout.pagesPrinted() > 0) printer.newPage(); // no newPage() after the last page
//       printout.printPage(canvasOverPainter);
//   }
// The print preview draws through the same loop. A page range chosen in the print dialog is
// printed by composing every page and drawing only those in the range: each page carries the
// totals of the ones before it.

#include "model/GearDocument.h"
#include "output/PrintCanvas.h"
#include "output/PrintLayout.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

namespace varnel {

class TMiravoPrintout {
public:
    TMiravoPrintout(const GearDocument& document, PrintHeadings headings, PrintOptions options,
                    const PrintMetrics& metrics, std::string title = std::string(kPrintTitle));
    // The document is read page by page: it must outlive the printout.
    TMiravoPrintout(GearDocument&&, PrintHeadings, PrintOptions, const PrintMetrics&,
                    std::string = {}) = delete;

    // True until the page with the final totals has been printed.
    [[nodiscard]] bool hasPage() const { return morePages_; }
    [[nodiscard]] int pagesPrinted() const { return page_; }

    // Prints the next page; returns its number, from 1 (0, printing nothing, once the job has
    // ended). Every page but the last takes at least one row or group member, so a job always
    // ends.
    int printPage(PrintCanvas& canvas);

    // The pages the report takes with these measures.
    static int pageCount(const GearDocument& document, const PrintHeadings& headings,
                         PrintOptions options, const PrintMetrics& metrics);

private:
    void line(PrintCanvas& canvas, std::string_view text) const;
    void categoryTotal(PrintCanvas& canvas);
    void itemLines(PrintCanvas& canvas, const sPubInfo& record, std::string_view category);
    void pageNumber(PrintCanvas& canvas) const;
    [[nodiscard]] int lineY(std::int64_t n) const;
    // The line the closing totals end on when they start now; 0 when none are printed.
    [[nodiscard]] std::int64_t closingLastLine() const;
    // Whether text on line `n` would meet the page number.
    [[nodiscard]] bool reachesPageNumber(std::int64_t n) const;
    // Prints a group's members from `resumeMember_`; false when the page ended inside the group.
    bool groupLines(PrintCanvas& canvas, const CMMIList<sPubInfo>& members);

    static constexpr std::int64_t kFirstRowLine = 4; // below the title, heading and rule

    const GearDocument& document_;
    PrintHeadings headings_;
    PrintOptions options_;
    PrintMetrics metrics_;
    std::string title_;

    // Job state, kept from page to page.
    int page_ = 0;
    int rowsRemaining_ = 0;
    int nextRow_ = 0;
    float categoryTotal_ = 0.0F;
    float grandTotal_ = 0.0F;
    bool morePages_ = true;
    int resumeMember_ = 0; // a group longer than a page goes on from this member

    // Page state.
    std::int64_t n_ = 0; // line counter
    std::unordered_set<std::string_view> pageCategories_;
};

} // namespace varnel
