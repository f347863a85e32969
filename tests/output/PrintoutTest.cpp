#include "../model/TestRecords.h"
#include "output/PageRecorder.h"
#include "output/TMiravoPrintout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace varnel {
namespace {

constexpr int kLine = 10;
constexpr int kChar = 10;

// 79 columns; B = H - 105.
PrintMetrics metrics(int height = 1000, int width = 800) {
    return {{width, height, 100}, kLine, kChar};
}

const PrintHeadings kHeadings{"Category", "Item", "Weight"};

std::vector<PrintedPage> printAll(const GearDocument& doc, PrintOptions options,
                                  const PrintMetrics& m = metrics()) {
    TMiravoPrintout printout(doc, kHeadings, options, m);
    PageRecorder recorder;
    int expected = 0;
    while (printout.hasPage()) {
        recorder.startPage();
        EXPECT_EQ(printout.printPage(recorder), ++expected);
        if (expected > 100000) {
            ADD_FAILURE() << "the printout does not end";
            break;
        }
    }
    return recorder.takePages();
}

// A page's body by line number (y / L), below the title; the page number apart.
struct Sheet {
    std::map<int, std::string> lines;
    std::string footer;
};

Sheet sheet(const PrintedPage& page, const PrintMetrics& m = metrics()) {
    Sheet s;
    for (const PrintedText& t : page) {
        if (t.anchor == TextAnchor::TopCentre) {
            EXPECT_EQ(t.y, m.page.height - m.lineHeight);
            EXPECT_EQ(t.x, m.charWidth * m.columns() / 2);
            s.footer = t.text;
        } else if (t.y != 0) {
            EXPECT_EQ(t.x, m.charWidth);
            EXPECT_EQ(t.y % m.lineHeight, 0);
            EXPECT_FALSE(s.lines.contains(t.y / m.lineHeight)) << "two texts on line " << t.y;
            s.lines[t.y / m.lineHeight] = t.text;
        }
    }
    return s;
}

// A page's item lines as "category|item" and its category totals as "total" and the number.
std::vector<std::string> itemsOf(const Sheet& s) {
    std::vector<std::string> out;
    for (const auto& [n, text] : s.lines) {
        if (text.starts_with("__")) {
            std::string category = text.substr(2, 21);
            std::string item = text.substr(23, 41);
            category.erase(category.find_last_not_of(' ') + 1);
            item.erase(item.find_last_not_of(' ') + 1);
            category += '|';
            category += item;
            out.push_back(std::move(category));
        } else if (text.find("*** Category Weight:") != std::string::npos) {
            out.push_back("total " + text.substr(61));
        }
    }
    return out;
}

constexpr PrintOptions kNothing{false, false, false};
constexpr PrintOptions kTotals{true, true, false};
constexpr PrintOptions kEverything{true, true, true};

TEST(Printout, EmptyListIsOnePageWithZeroTotals) {
    GearDocument doc;
    const auto pages = printAll(doc, kEverything);
    ASSERT_EQ(pages.size(), 1U);
    const PrintedPage expected = {
        {360, 0, "Varnel", TextAnchor::TopLeft},
        {10, 20, "Category            Item                                    Weight      ",
         TextAnchor::TopLeft},
        {10, 30, std::string(71, '-'), TextAnchor::TopLeft},
        {10, 60, "                     *** Category Weight:                       0.00",
         TextAnchor::TopLeft},
        {10, 70, "                     -------------------------------------   ",
         TextAnchor::TopLeft},
        {10, 90, "                     Total Weight:                              0.00",
         TextAnchor::TopLeft},
        {395, 990, "- Page  1 -", TextAnchor::TopCentre},
    };
    EXPECT_EQ(pages[0], expected);

    const auto bare = printAll(doc, kNothing);
    ASSERT_EQ(bare.size(), 1U);
    ASSERT_EQ(bare[0].size(), 4U) << "title, heading, rule, page number";
    EXPECT_EQ(bare[0][3].text, "- Page  1 -");

    const auto grandOnly = printAll(doc, {false, true, false});
    EXPECT_EQ(sheet(grandOnly[0]).lines.at(6),
              "                     Total Weight:                              0.00");
}

TEST(Printout, ItemLinesLeaveTheCategoryBlankAfterItsFirstRow) {
    GearDocument doc;
    doc.insertRecord(test::item("Shelter", "Tent", "10.00"));
    doc.insertRecord(test::item("Shelter", "Stakes", "2.50"));
    doc.insertRecord(test::item("Water", "Bottle", "1.25", true));
    const Sheet s = sheet(printAll(doc, kNothing)[0]);
    ASSERT_EQ(s.lines.size(), 5U);
    EXPECT_EQ(s.lines.at(4),
              "__Shelter              Stakes                                   2.50      ");
    EXPECT_EQ(s.lines.at(5),
              "__                     Tent                                     10.00     ");
    EXPECT_EQ(s.lines.at(6),
              "__Water                Bottle                                   1.25      ");
    EXPECT_EQ(s.footer, "- Page  1 -");
}

TEST(Printout, CategoryTotalsBeforeEachLaterCategoryAndAtTheEnd) {
    GearDocument doc;
    doc.insertRecord(test::item("Food", "Oats", "3"));
    doc.insertRecord(test::item("Food", "Tea", "1.5"));
    doc.insertRecord(test::item("Water", "Bottle", "2"));
    doc.insertRecord(test::item("Zzz", "Pillow", "0.25"));
    const Sheet s = sheet(printAll(doc, kTotals)[0]);
    const std::vector<std::string> expected = {"Food|Oats",    "|Tea",          "total    4.50",
                                               "Water|Bottle", "total    2.00", "Zzz|Pillow",
                                               "total    0.25"};
    EXPECT_EQ(itemsOf(s), expected) << "no total before the very first row";
    // Rows 4, 5; total 6, rule 7; row 9; total 10, rule 11; row 13; two lines down at the end:
    // total 16, rule 17, and the grand total two further.
    EXPECT_EQ(s.lines.at(7), "                     -------------------------------------   ");
    EXPECT_EQ(s.lines.at(9).substr(0, 8), "__Water ");
    EXPECT_EQ(s.lines.at(16).substr(61), "   0.25");
    EXPECT_EQ(s.lines.at(19),
              "                     Total Weight:                              6.75");
    EXPECT_EQ(s.lines.size(), 2U + 11U);
}

TEST(Printout, CheckMarksPlayNoPartAndTotalsAreTheSameEachTime) {
    GearDocument doc;
    doc.insertRecord(test::item("Food", "Oats", "3", true));
    doc.insertRecord(test::item("Food", "Tea", "1.5", false));
    const auto first = printAll(doc, {true, false, false});
    const auto second = printAll(doc, kTotals);
    const auto third = printAll(doc, kTotals);
    EXPECT_EQ(sheet(first[0]).lines.at(8).substr(61), "   4.50");
    EXPECT_EQ(sheet(second[0]).lines.at(8).substr(61), "   4.50");
    EXPECT_EQ(sheet(second[0]).lines.at(11).substr(61), "   4.50");
    EXPECT_EQ(second, third);
}

TEST(Printout, NotesFollowTheirItemAndAnEmptyNotePrintsAnEmptyLine) {
    GearDocument doc;
    auto tent = test::item("Shelter", "Tent", "10");
    setField(tent->notes, "seam sealed");
    doc.insertRecord(std::move(tent));
    doc.insertRecord(test::item("Shelter", "Zip bag", "1"));
    doc.insertRecord(test::group("Water", "Filter kit", {"2", "3"}));
    setField(doc.record(2).notes, "group notes are not printed");
    setField(doc.record(2).members->at(1)->notes, "backflush");
    const Sheet s = sheet(printAll(doc, {false, false, true})[0]);
    EXPECT_EQ(s.lines.at(5), "seam sealed");
    EXPECT_EQ(s.lines.at(7), "");
    EXPECT_EQ(s.lines.at(8).substr(0, 30), "__Water                Filter ");
    EXPECT_EQ(s.lines.at(9), "");
    EXPECT_EQ(s.lines.at(11), "backflush");
    EXPECT_EQ(s.lines.size(), 2U + 8U);
}

TEST(Printout, GroupsPrintTheirMembersWithTheirOwnCategoriesExpandedOrNot) {
    GearDocument doc;
    doc.insertRecord(test::item("Kitchen", "Cup", "1"));
    const int g = doc.insertRecord(test::group("Kitchen", "Cook kit", {"4", "6"}));
    setField(doc.record(g).members->at(1)->category, "Fuel");
    doc.insertRecord(test::item("Kitchen", "Spoon", "0.5"));
    const auto collapsed = printAll(doc, kTotals);
    const std::vector<std::string> expected = {"Kitchen|Cook kit part 2", "Fuel|Cook kit part 1",
                                               "|Cup", "|Spoon", "total   11.50"};
    EXPECT_EQ(itemsOf(sheet(collapsed[0])), expected) << "front to back, no line for the group";
    EXPECT_EQ(sheet(collapsed[0]).lines.at(13).substr(61), "  11.50");

    ASSERT_EQ(doc.toggleGroup(0), 2) << "the group sorts first";
    ASSERT_EQ(doc.rowCount(), 5);
    EXPECT_EQ(printAll(doc, kTotals), collapsed);
}

TEST(Printout, AGroupIsNeverSplitAcrossPages) {
    GearDocument doc;
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        doc.insertRecord(test::item("A", name, "1"));
    }
    doc.insertRecord(test::group("A", "f group", {"1", "1", "1", "1", "1"}));
    doc.insertRecord(test::item("A", "g", "1"));
    // B = 95: a page ends once (n - 1) x 10 >= 95, at n = 11 after seven one-line rows.
    const auto pages = printAll(doc, kNothing, metrics(200));
    ASSERT_EQ(pages.size(), 2U);
    const Sheet first = sheet(pages[0], metrics(200));
    EXPECT_EQ(first.lines.size(), 2U + 10U) << "five items and the whole group of five";
    EXPECT_EQ(first.lines.rbegin()->first, 13);
    EXPECT_EQ(first.footer, "- Page  1 -");
    const Sheet second = sheet(pages[1], metrics(200));
    EXPECT_EQ(itemsOf(second), std::vector<std::string>{"A|g"}) << "named again on a new page";
    EXPECT_EQ(second.footer, "- Page  2 -");
}

// Lines 4 to 18 of a 200-high page stay clear of the page number on line 19: a group that would
// reach it starts a new page, and one longer than a page goes on over the next.
TEST(Printout, AGroupNeverMeetsThePageNumber) {
    struct Case {
        int itemsBefore, members, pages;
        std::vector<int> membersPerPage;
    };
    // Seven one-line rows fill a page; a page that ends on the last row leaves the closing one.
    for (const Case& c : {Case{5, 12, 3, {0, 12, 0}}, Case{0, 40, 4, {15, 15, 10, 0}},
                          Case{9, 20, 4, {0, 0, 15, 5}}}) {
        SCOPED_TRACE(c.members);
        GearDocument doc;
        for (int i = 0; i < c.itemsBefore; ++i) {
            doc.insertRecord(test::item("A", "a" + std::to_string(i), "1"));
        }
        auto g = test::group("A", "g", {});
        for (int k = 0; k < c.members; ++k) {
            auto m = test::item("A", "m" + std::to_string(100 + k), "1");
            m->inGroup = 1;
            m->group = g.get();
            g->members->add(std::move(m));
        }
        g->updateGroupWeight();
        doc.insertRecord(std::move(g));
        const auto pages = printAll(doc, kNothing, metrics(200));
        ASSERT_EQ(pages.size(), static_cast<std::size_t>(c.pages));
        std::vector<std::string> members;
        for (std::size_t p = 0; p < pages.size(); ++p) {
            const Sheet page = sheet(pages[p], metrics(200));
            int onPage = 0;
            for (const std::string& item : itemsOf(page)) {
                if (item.find("|m") != std::string::npos) {
                    members.push_back(item.substr(item.find('|') + 1));
                    ++onPage;
                }
            }
            EXPECT_LE(page.lines.rbegin()->first, 18) << "page " << p + 1;
            if (p < c.membersPerPage.size()) {
                EXPECT_EQ(onPage, c.membersPerPage[p]) << "page " << p + 1;
            }
        }
        ASSERT_EQ(members.size(), static_cast<std::size_t>(c.members));
        for (int k = 0; k < c.members; ++k) {
            EXPECT_EQ(members[static_cast<std::size_t>(k)],
                      "m" + std::to_string(100 + c.members - 1 - k));
        }
    }
}

TEST(Printout, ACategoryCarriedOntoANewPageIsNamedAndTotalledAgain) {
    GearDocument doc;
    for (int i = 10; i < 22; ++i) {
        doc.insertRecord(test::item("Food", "bar " + std::to_string(i), "1"));
    }
    doc.insertRecord(test::item("Water", "Bottle", "2"));
    const PrintMetrics m = metrics(230); // B = 125: ten one-line rows a page
    const auto pages = printAll(doc, kTotals, m);
    ASSERT_EQ(pages.size(), 3U);
    const std::vector<std::string> first = {"Food|bar 10", "|bar 11", "|bar 12", "|bar 13",
                                            "|bar 14",     "|bar 15", "|bar 16", "|bar 17",
                                            "|bar 18",     "|bar 19"};
    EXPECT_EQ(itemsOf(sheet(pages[0], m)), first);
    const std::vector<std::string> second = {"total   10.00", "Food|bar 20", "|bar 21",
                                             "total    2.00", "Water|Bottle"};
    EXPECT_EQ(itemsOf(sheet(pages[1], m)), second);
    // The closing totals would end on line 18, below the bottom limit.
    const Sheet last = sheet(pages[2], m);
    EXPECT_EQ(itemsOf(last), std::vector<std::string>{"total    2.00"});
    EXPECT_EQ(last.lines.at(9).substr(21, 13), "Total Weight:");
    EXPECT_EQ(last.lines.at(9).substr(61), "  14.00");
    EXPECT_EQ(last.footer, "- Page  3 -");
}

TEST(Printout, TheLastRowEndingAPageLeavesTheTotalsToAPageOfTheirOwn) {
    GearDocument doc;
    for (int i = 0; i < 7; ++i) {
        doc.insertRecord(test::item("Food", "bar " + std::to_string(i), "1"));
    }
    const PrintMetrics m = metrics(200);
    const auto pages = printAll(doc, kTotals, m);
    ASSERT_EQ(pages.size(), 2U);
    const Sheet last = sheet(pages[1], m);
    EXPECT_EQ(last.lines.size(), 5U) << "heading, rule, category total and rule, grand total";
    EXPECT_EQ(last.lines.at(6).substr(61), "   7.00");
    EXPECT_EQ(last.lines.at(9).substr(61), "   7.00");
}

TEST(Printout, TheClosingTotalsStayClearOfThePageNumber) {
    // A4 at 1200 dpi in the default printing font, as the PDF printer measures them.
    const PrintMetrics a4{{9583, 13699, 1200}, 245, 130};
    GearDocument doc;
    for (int size = 1; size <= 100; ++size) {
        doc.insertRecord(test::item("Food", "bar " + std::to_string(size), "1"));
        const auto pages = printAll(doc, kEverything, a4);
        ASSERT_EQ(TMiravoPrintout::pageCount(doc, kHeadings, kEverything, a4), pages.size());
        for (const PrintedPage& page : pages) {
            const Sheet s = sheet(page, a4);
            EXPECT_LE((s.lines.rbegin()->first + 1) * a4.lineHeight, a4.page.height - a4.lineHeight)
                << size << " items, " << s.footer;
        }
        const Sheet last = sheet(pages.back(), a4);
        EXPECT_EQ(last.lines.rbegin()->second, printGrandTotalLine(static_cast<float>(size)))
            << size;
        EXPECT_LT(last.lines.rbegin()->first * a4.lineHeight, a4.bottomLimit()) << size;
    }
}

TEST(Printout, CategoriesAreTakenCaseSensitivelyPerPage) {
    GearDocument doc;
    doc.insertRecord(test::item("Food", "a", "1"));
    doc.insertRecord(test::item("food", "b", "2"));
    doc.insertRecord(test::item("Water", "c", "5"));
    doc.insertRecord(test::item("Food", "d", "3"));
    ASSERT_TRUE(doc.sortByColumn(2)); // 1 Food, 2 food, 3 Food, 5 Water
    const std::vector<std::string> expected = {
        "Food|a", "total    1.00", "food|b", "|d", "total    5.00", "Water|c", "total    5.00"};
    EXPECT_EQ(itemsOf(sheet(printAll(doc, kTotals)[0])), expected)
        << "a category met again on the page is not new";
}

TEST(Printout, AShortPageTakesOneRowAndPrintingEnds) {
    GearDocument doc;
    for (int i = 0; i < 5; ++i) {
        doc.insertRecord(test::item("Food", "bar " + std::to_string(i), "1"));
    }
    for (int height : {0, 1, 50, -100}) {
        const PrintMetrics m = metrics(height);
        const auto pages = printAll(doc, kEverything, m);
        ASSERT_EQ(pages.size(), 6U) << "one row a page, then the totals; height " << height;
        EXPECT_EQ(pages[5].back().text, "- Page  6 -");
    }
    // A font that measures nothing: the lines still move down.
    const auto flat = printAll(doc, kNothing, {{800, 1000, 100}, 0, 0});
    ASSERT_EQ(flat.size(), 1U);
    EXPECT_EQ(flat[0][3].y, 4);
    EXPECT_EQ(flat[0][4].y, 5);
}

TEST(Printout, NarrowPagePrintsItsLinesWhole) {
    GearDocument doc;
    doc.insertRecord(test::item("Food", "Oats", "3"));
    const PrintMetrics m = metrics(1000, 100); // K = 9
    TMiravoPrintout printout(doc, kHeadings, kNothing, m);
    PageRecorder recorder;
    printout.printPage(recorder);
    EXPECT_FALSE(printout.hasPage());
    const PrintedPage& page = recorder.pages().at(0);
    EXPECT_EQ(page[0].x, 10) << "((9 - 6) / 2) x 10";
    EXPECT_EQ(page[3].text.size(), 74U) << "never cut";
    EXPECT_EQ(page.back().x, 45);
}

TEST(Printout, PageCountAndPagesAfterTheLastPrintNothing) {
    GearDocument doc;
    for (int i = 0; i < 41; ++i) {
        doc.insertRecord(test::item("Food", "bar " + std::to_string(i), "1"));
    }
    EXPECT_EQ(TMiravoPrintout::pageCount(doc, kHeadings, kNothing, metrics()), 1);
    EXPECT_EQ(TMiravoPrintout::pageCount(doc, kHeadings, kNothing, metrics(200)), 6);
    EXPECT_EQ(printAll(doc, kNothing, metrics(200)).size(), 6U);
    EXPECT_EQ(TMiravoPrintout::pageCount(GearDocument(), kHeadings, kEverything, metrics()), 1);

    const GearDocument empty;
    TMiravoPrintout printout(empty, kHeadings, kNothing, metrics());
    PageRecorder recorder;
    EXPECT_EQ(printout.printPage(recorder), 1);
    EXPECT_EQ(printout.printPage(recorder), 0);
    EXPECT_EQ(recorder.pages().size(), 1U);
    EXPECT_EQ(printout.pagesPrinted(), 1);
}

TEST(PrinterFont, HeightFromTheStoredScreenHeight) {
    EXPECT_EQ(printerFontHeight(-13, 600), 108);
    EXPECT_EQ(printerFontHeight(-13, 72), 13);
    EXPECT_EQ(printerFontHeight(13, 72), 13) << "a positive height counts by its size";
    EXPECT_EQ(printerFontHeight(0, 72), 13) << "none stored: 10 points on the screen";
    EXPECT_EQ(printerFontHeight(-1, 36), 1) << "never below one pixel";
    EXPECT_EQ(printerFontHeight(-13, 0), 1);
    EXPECT_EQ(printerFontHeight(-2000000000, 600), 1000 * 600 / 72);
}

TEST(PrinterFont, ShrinksInStepsUntil69ColumnsFit) {
    std::vector<int> asked;
    // Characters half as wide as the font is high.
    const MeasureFont measure = [&](int h) {
        asked.push_back(h);
        return FontMeasure{h + 2, h / 2};
    };
    // 72 dpi: printer pixels equal stored pixels. 700 / 10 - 1 = 69 columns at height 20.
    const PrinterFont font = choosePrinterFont(-26, {700, 1000, 72}, measure);
    EXPECT_EQ(asked, (std::vector<int>{26, 24, 22, 20}));
    EXPECT_EQ(font.pixelHeight, 20);
    EXPECT_EQ(font.metrics.columns(), 69);
    EXPECT_EQ(font.metrics.lineHeight, 22);
    EXPECT_EQ(font.metrics.page.width, 700);

    asked.clear();
    EXPECT_EQ(choosePrinterFont(-26, {7000, 1000, 72}, measure).pixelHeight, 26);
    EXPECT_EQ(asked.size(), 1U) << "wide enough at once";
}

TEST(PrinterFont, APageTooNarrowForAnyFontEndsAtOnePixel) {
    std::vector<int> asked;
    const MeasureFont measure = [&](int h) {
        asked.push_back(h);
        return FontMeasure{h, h}; // 1 pixel wide at the smallest
    };
    const PrinterFont font = choosePrinterFont(-9, {50, 1000, 144}, measure);
    EXPECT_EQ(asked, (std::vector<int>{18, 14, 10, 6, 2, 1}));
    EXPECT_EQ(font.pixelHeight, 1);
    EXPECT_LT(font.metrics.columns(), 69);

    asked.clear();
    const PrinterFont huge = choosePrinterFont(-2000000000, {10, 10, 600}, measure);
    EXPECT_EQ(huge.pixelHeight, 1);
    EXPECT_LE(asked.size(), 501U);
    // A measure that gives no width at all counts as 1 pixel a character.
    const PrinterFont none =
        choosePrinterFont(-13, {700, 1000, 72}, [](int) { return FontMeasure{}; });
    EXPECT_EQ(none.pixelHeight, 13);
    EXPECT_EQ(none.metrics.columns(), 699);
}

TEST(PrintLayout, OptionsAndHeadingsFromTheSettings) {
    DocumentSettings settings;
    settings.totalCats = 0;
    settings.totalAll = 7;
    settings.printNotes = 0;
    const PrintOptions options = PrintOptions::from(settings);
    EXPECT_FALSE(options.totalEachCategory);
    EXPECT_TRUE(options.grandTotal);
    EXPECT_FALSE(options.printNotes);
    settings.fixedColumns[0].heading = std::string(45, 'c');
    const PrintHeadings headings = PrintHeadings::from(settings);
    EXPECT_EQ(headings.item, "Item");
    const std::string line = printHeadingLine(headings);
    EXPECT_EQ(line.substr(0, 41), std::string(40, 'c') + "I") << "at most 40 characters each";
    EXPECT_EQ(printPageNumberLine(123), "- Page 123 -");
}

} // namespace
} // namespace varnel
