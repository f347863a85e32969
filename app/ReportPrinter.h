#pragma once
// The printed report drawn with Qt: the printer, the print preview and PDF files all go through
// here, onto pages the output layer composes.

#include "model/GearDocument.h"
#include "model/LogFont.h"
#include "output/PrintLayout.h"

#include <QFont>

#include <functional>

class QPrinter;

namespace varnel {

struct ReportSource {
    const GearDocument& document;
    PrintHeadings headings;
    PrintOptions options;
    LogFont font; // the printing font as stored
};

enum class PrintResult { Printed, Cancelled, Failed };

// The printing font made for the printer at a character height of `pixelHeight` printer pixels:
// face, weight and italic as stored, fixed pitch, nothing underlined or struck out.
QFont reportFont(const LogFont& font, int pixelHeight);

// Prints the report onto `printer`, only the pages of its range when it has one. `pagePrinted`
// hears of each page composed and answers false to cancel the job.
PrintResult printReport(QPrinter& printer, const ReportSource& source,
                        const std::function<bool(int page)>& pagePrinted = {});

} // namespace varnel
