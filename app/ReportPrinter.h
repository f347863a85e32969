#pragma once
// The printed report drawn with Qt: the printer, the print preview and PDF files all go through
// here, onto pages the output layer composes.

#include "model/GearDocument.h"
#include "model/LogFont.h"
#include "output/PrintLayout.h"

#include <QFont>

#include <functional>

class QPrintDialog;
class QPrinter;

namespace varnel {

struct ReportSource {
    const GearDocument& document;
    PrintHeadings headings;
    PrintOptions options;
    LogFont font; // the printing font as stored
};

// PastTheEnd: the printer's page range starts after the report's last page; nothing was printed.
enum class PrintResult { Printed, Cancelled, Failed, PastTheEnd };

// The printing font made for the printer at a character height of `pixelHeight` printer pixels:
// face, weight and italic as stored, fixed pitch, nothing underlined or struck out.
QFont reportFont(const LogFont& font, int pixelHeight);

// The pages the report takes on `printer` as it is set up now.
int reportPageCount(QPrinter& printer, const ReportSource& source);

// Offers the report's real pages as the print dialog's range and lets the dialog grow to show
// its options whole.
void setUpPrintDialog(QPrintDialog& dialog, const ReportSource& source);

// Prints the report onto `printer`, only the pages of its range when it has one (a range that
// runs past the last page stops there). `pagePrinted` hears of each page composed and answers
// false to cancel the job.
PrintResult printReport(QPrinter& printer, const ReportSource& source,
                        const std::function<bool(int page)>& pagePrinted = {});

} // namespace varnel
