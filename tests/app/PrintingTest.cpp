// Printing from the window: the print dialog, the pages as a PDF read back as text, the preview.
#include "../model/TestRecords.h"
#include "MainWindowDriving.h"
#include "app/CommandIds.h"
#include "app/ReportPrinter.h"
#include "model/GearDataWriter.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>

namespace varnel {
namespace {

// The text of a PDF, laid out as printed; empty when pdftotext is missing.
QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(20000) || p.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

QRegularExpression pageNumber(int page) {
    return QRegularExpression(QStringLiteral("- Page\\s+%1 -").arg(page));
}

class Printing : public test::DrivenMainWindow {
protected:
    // Answers the print dialog by choosing a PDF file, pages `from` to `to` (0: all).
    void startPrintingTo(const QString& pdf, int from = 0, int to = 0) {
        start([=, this](QDialog& d) {
            if (auto* dialog = qobject_cast<QPrintDialog*>(&d)) {
                offered_ = dialog->maxPage();
                dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
                dialog->printer()->setOutputFileName(pdf);
                dialog->printer()->setPageSize(QPageSize(QPageSize::A4));
                if (from > 0) {
                    dialog->printer()->setPrintRange(QPrinter::PageRange);
                    dialog->printer()->setFromTo(from, to);
                }
                return int(QDialog::Accepted);
            }
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&d)) {
                auto* widget = preview->findChild<QPrintPreviewWidget*>();
                widget->updatePreview();
                previewPages_ = widget->pageCount();
            }
            return int(QDialog::Rejected);
        });
    }
    int previewPages_ = -1;
    int offered_ = -1; // the print dialog's last page
};

TEST_F(Printing, TheSampleListPrintsToPdfAsTheReportLaysItOut) {
    copySample();
    const QString pdf = QString::fromStdString((folder_ / "list.pdf").string());
    startPrintingTo(pdf);
    showWindow();
    clickButton(ctl::Print);
    const QString text = pdfText(pdf);
    if (text.isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    EXPECT_TRUE(text.contains(QStringLiteral("Varnel")));
    EXPECT_TRUE(
        text.contains(QRegularExpression(QStringLiteral("Category\\s+Item\\s+Weight \\(oz\\)"))));
    EXPECT_TRUE(text.contains(QStringLiteral("__Clothing")));
    // Group members print with their own category; the group row itself prints no line.
    EXPECT_TRUE(text.contains(
        QRegularExpression(QStringLiteral("__Kitchen\\s+Titanium pot 750 ml\\s+3.60"))));
    EXPECT_FALSE(text.contains(QStringLiteral("Cook kit  ")));
    EXPECT_TRUE(text.contains(QStringLiteral("*** Category Weight:")));
    // Every row counts, checked or not.
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Total Weight:\\s+243.10"))));
    const int pages = static_cast<int>(text.count(QLatin1Char('\f')));
    ASSERT_GE(pages, 2);
    for (int page = 1; page <= pages; ++page) {
        EXPECT_TRUE(text.contains(pageNumber(page))) << page;
    }
    // The totals come once, at the end, and no blank page follows.
    EXPECT_EQ(text.count(QStringLiteral("Total Weight:")), 1);
    EXPECT_TRUE(text.section(QLatin1Char('\f'), pages - 1, pages - 1)
                    .contains(QStringLiteral("Total Weight:")));
}

TEST_F(Printing, APageRangePrintsOnlyThosePages) {
    copySample();
    const QString pdf = QString::fromStdString((folder_ / "two.pdf").string());
    startPrintingTo(pdf, 2, 2);
    ASSERT_TRUE(clickMenu(cmd::Print));
    const QString text = pdfText(pdf);
    if (text.isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    EXPECT_TRUE(text.contains(pageNumber(2)));
    EXPECT_FALSE(text.contains(pageNumber(1)));
    EXPECT_EQ(text.count(QLatin1Char('\f')), 1) << "one page";
}

TEST_F(Printing, TheTotalsOfAFullLastPageStandAboveThePageNumber) {
    copySample(); // for its settings: the default print options and font
    GearDocument list;
    for (int i = 1; i <= 23; ++i) {
        list.insertRecord(test::item("Food", "bar " + std::to_string(i), "1.00"));
    }
    ASSERT_TRUE(writeGearDataFile(folder_ / "GearData.dat", list).ok());
    const QString pdf = QString::fromStdString((folder_ / "list.pdf").string());
    startPrintingTo(pdf);
    showWindow();
    clickButton(ctl::Print);
    const QStringList pages = pdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    if (pages.isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    EXPECT_EQ(offered_, pages.size()) << "the dialog offers the real pages";
    const QStringList last = pages.back().split(QLatin1Char('\n'));
    const auto total = last.indexOf(QRegularExpression(QStringLiteral(".*Total Weight:.*")));
    const auto number = last.indexOf(QRegularExpression(QStringLiteral(".*- Page +\\d+ -.*")));
    EXPECT_TRUE(total >= 0 && total < number) << pages.back().toStdString();

    // Pages past the end, as another paper size chosen in the dialog leaves them: no blank page.
    std::filesystem::remove(folder_ / "list.pdf");
    startPrintingTo(pdf, offered_ + 1, offered_ + 1);
    prompts_->answer(PromptAnswer::Ok);
    showWindow();
    clickButton(ctl::Print);
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(prompts_->shown()[0].text,
              QStringLiteral("The chosen pages lie past the end of the report."));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "list.pdf"));
}

TEST_F(Printing, ThePreviewDrawsTheSamePages) {
    copySample();
    startPrintingTo(QString());
    ASSERT_TRUE(clickMenu(cmd::PrintPreview));
    EXPECT_GE(previewPages_, 1);
}

} // namespace
} // namespace varnel

namespace varnel {
namespace {

TEST(ReportFont, TheColumnsLineUpWhicheverFaceIsInstalled) {
    test::qtTestApp();
    for (const char* face : {"Courier New", "No Such Face At All", "DejaVu Sans"}) {
        LogFont stored = LogFont::defaultPrintingFont();
        stored.lfFaceName = face;
        const QFontMetrics metrics(reportFont(stored, 40));
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiiiiiiiii")),
                  metrics.horizontalAdvance(QStringLiteral("WWWWWWWWWW")))
            << face;
    }
}

} // namespace
} // namespace varnel
