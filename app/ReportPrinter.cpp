#include "app/ReportPrinter.h"

#include "output/TMiravoPrintout.h"
#include "ui/Cp1252.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace varnel {

namespace {

class PainterCanvas final : public PrintCanvas {
public:
    PainterCanvas(QPainter& painter, int lineHeight, bool drawing)
        : painter_(painter), lineHeight_(lineHeight), drawing_(drawing) {}

    void text(int x, int y, std::string_view cp1252, TextAnchor anchor) override {
        if (!drawing_) {
            return; // a page outside the chosen range still counts its totals
        }
        const QString text = Cp1252::toUnicode(cp1252);
        const int width = painter_.fontMetrics().horizontalAdvance(text) + 1;
        const int left = anchor == TextAnchor::TopCentre ? x - width / 2 : x;
        painter_.drawText(QRect(left, y, width, lineHeight_), Qt::AlignLeft | Qt::AlignTop, text);
    }

private:
    QPainter& painter_;
    int lineHeight_;
    bool drawing_;
};

} // namespace

namespace {

// Font matching never fails, it substitutes: a proportional stand-in would break the report's
// columns, so what the face turns out to be is measured.
bool evenColumns(const QFont& font) {
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(QLatin1Char('i')) ==
               metrics.horizontalAdvance(QLatin1Char('W')) &&
           metrics.horizontalAdvance(QLatin1Char('.')) ==
               metrics.horizontalAdvance(QLatin1Char('M'));
}

} // namespace

QFont reportFont(const LogFont& stored, int pixelHeight) {
    QFont font(QString::fromLatin1(stored.lfFaceName.c_str()));
    font.setPixelSize(std::max(1, pixelHeight));
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter, QFont::PreferQuality);
    if (stored.lfWeight > 0) {
        font.setWeight(static_cast<QFont::Weight>(std::clamp(stored.lfWeight, 1, 1000)));
    }
    font.setItalic(stored.lfItalic != 0);
    font.setUnderline(false);
    font.setStrikeOut(false);
    if (!evenColumns(font)) {
        for (const QString& family :
             {QFontDatabase::systemFont(QFontDatabase::FixedFont).family(),
              QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")}) {
            font.setFamily(family);
            if (evenColumns(font)) {
                break;
            }
        }
    }
    return font;
}

namespace {

PrinterFont printerFont(QPrinter& printer, const LogFont& stored) {
    const PageGeometry page{printer.width(), printer.height(), printer.logicalDpiY()};
    const auto measure = [&](int pixelHeight) {
        const QFontMetrics metrics(reportFont(stored, pixelHeight), &printer);
        return FontMeasure{metrics.lineSpacing(), metrics.averageCharWidth()};
    };
    return choosePrinterFont(stored.lfHeight, page, measure);
}

} // namespace

int reportPageCount(QPrinter& printer, const ReportSource& source) {
    return TMiravoPrintout::pageCount(source.document, source.headings, source.options,
                                      printerFont(printer, source.font).metrics);
}

namespace {

// Qt's print dialog shows its options below the printer without widening itself, which cuts
// their labels short: the dialog grows to its content whenever that is laid out anew.
class GrowToContent final : public QObject {
public:
    explicit GrowToContent(QWidget& widget) : QObject(&widget) { widget.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::LayoutRequest) {
            auto* widget = static_cast<QWidget*>(watched);
            const QSize wanted = widget->size().expandedTo(widget->sizeHint());
            if (wanted != widget->size()) {
                widget->resize(wanted);
            }
        }
        return false;
    }
};

} // namespace

void setUpPrintDialog(QPrintDialog& dialog, const ReportSource& source) {
    dialog.setMinMax(1, reportPageCount(*dialog.printer(), source));
    new GrowToContent(dialog);
}

PrintResult printReport(QPrinter& printer, const ReportSource& source,
                        const std::function<bool(int page)>& pagePrinted) {
    const PrinterFont font = printerFont(printer, source.font);
    const int from = printer.fromPage();
    const int to = printer.toPage();
    // The range was offered for the printer the dialog started with; another paper size chosen
    // there can leave it past the end, where printing would give one blank page.
    if (from > TMiravoPrintout::pageCount(source.document, source.headings, source.options,
                                          font.metrics)) {
        return PrintResult::PastTheEnd;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return PrintResult::Failed;
    }
    painter.setFont(reportFont(source.font, font.pixelHeight));

    TMiravoPrintout printout(source.document, source.headings, source.options, font.metrics);
    bool drawnAny = false;
    while (printout.hasPage()) {
        const int next = printout.pagesPrinted() + 1;
        if (to > 0 && next > to) {
            break;
        }
        const bool inRange = from == 0 || next >= from;
        // A trailing newPage() would add a blank page: one goes between pages only.
        if (inRange && drawnAny && !printer.newPage()) {
            painter.end();
            return PrintResult::Failed;
        }
        PainterCanvas canvas(painter, font.metrics.line(), inRange);
        printout.printPage(canvas);
        drawnAny = drawnAny || inRange;
        if (pagePrinted && !pagePrinted(next)) {
            printer.abort();
            painter.end();
            return PrintResult::Cancelled;
        }
    }
    return painter.end() ? PrintResult::Printed : PrintResult::Failed;
}

} // namespace varnel
