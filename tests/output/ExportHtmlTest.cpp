#include "output/ExportHtml.h"

#include "ExportFixtures.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

constexpr std::string_view kHead = "<html>\r\n<head>\r\n<title>Gear List</title>\r\n</head>\r\n"
                                   "<body>\r\n";

std::string left(std::string_view colour, std::string_view text) {
    return "<td  align=left bgcolor=#" + std::string(colour) + "><font face=Arial>" +
           std::string(text) + "</font></td>";
}

std::string centre(std::string_view colour, std::string_view text) {
    return "<td  align=center bgcolor=#" + std::string(colour) + "><font face=Arial>" +
           std::string(text) + "</font></td>";
}

std::string row(std::string_view colour, std::string_view category, std::string_view item,
                std::string_view weight) {
    return "<tr>" + left(colour, category) + centre(colour, item) + centre(colour, weight) +
           "</tr>\r\n";
}

TEST(ExportHtml, ColoursAreSixLowerCaseDigitsRedFirst) {
    EXPECT_EQ(htmlColour(0xFFFFFF), "ffffff");
    EXPECT_EQ(htmlColour(0x00FF00), "00ff00");
    EXPECT_EQ(htmlColour(0x000000), "000000");
    EXPECT_EQ(htmlColour(0x00CCBBAA), "aabbcc");
    EXPECT_EQ(htmlColour(0x7F000001), "010000") << "the high byte is no colour";
}

TEST(ExportHtml, EmptyListWithAndWithoutTitle) {
    GearDocument doc;
    const std::string headingRow = "<tr><td  align=left bgcolor=#ffffe0><font face=Arial>"
                                   "Category</font></td><td  align=center bgcolor=#ffffe0>"
                                   "<font face=Arial>Item</font></td><td  align=center "
                                   "bgcolor=#ffffe0><font face=Arial>Weight (oz)</font></td></tr>";
    EXPECT_EQ(exportHtmlBytes(doc, test::headings(), {}, {}),
              std::string(kHead) + "<table border=1 width=100%>\r\n" + headingRow +
                  "</table></body></html>\r\n");
    EXPECT_EQ(exportHtmlBytes(doc, test::headings(), {false, false, false, "My Trip"}, {}),
              std::string(kHead) +
                  "<h1 align=\"center\">My Trip</h1><p align=\"center\">&nbsp;</p>"
                  "<table border=1 width=100%>\r\n" +
                  headingRow + "</table></body></html>\r\n");
}

TEST(ExportHtml, OrdinaryRowsAlternateByListPlaceAndMembersTakeTheGroupColour) {
    GearDocument doc;
    test::buildTrip(doc);
    const ExportColours colours{0x0000FF, 0x00FF00, 0xFF0000}; // red, green, blue
    const std::string heading = "<tr>" + left("ff0000", "Category") + centre("ff0000", "Item") +
                                centre("ff0000", "Weight (oz)") + "</tr>";
    const std::string start = std::string(kHead) + "<table border=1 width=100%>\r\n" + heading;
    const std::string end = "</table></body></html>\r\n";
    const std::string members = row("0000ff", "Kitchen", "Cook kit part 2", "6.00") +
                                row("0000ff", "Kitchen", "Cook kit part 1", "4.00");
    EXPECT_EQ(exportHtmlBytes(doc, test::headings(), {}, colours),
              start + members + row("00ff00", "Kitchen", "Stove", "3.00") +
                  row("ff0000", "Shelter", "Stakes", "2.50") +
                  row("00ff00", "Shelter", "Tent", "10.00") + end);
    // Skipped rows still count: Stakes (2) is left out, Tent keeps the colour of place 3.
    EXPECT_EQ(exportHtmlBytes(doc, test::headings(), {true, false, false, ""}, colours),
              start + members + row("00ff00", "Kitchen", "Stove", "3.00") +
                  row("00ff00", "Shelter", "Tent", "10.00") + end);
}

TEST(ExportHtml, NotesAndUserColumnCells) {
    GearDocument doc;
    auto a = test::item("A", "", "1.00");
    test::addTexts(*a, {"Lunar"});
    doc.insertRecord(std::move(a));
    auto b = test::item("A", "B", "2.00");
    setField(b->notes, "Spare");
    doc.insertRecord(std::move(b));
    const std::string c = "ffffe0";
    const std::string alt = "ffffc4";
    const std::string bytes =
        exportHtmlBytes(doc, test::headings({"Brand", "Bought"}), {false, true, true, ""}, {});
    EXPECT_NE(bytes.find("<tr>" + left(c, "Category") + centre(c, "Item") +
                         centre(c, "Weight (oz)") + centre(c, "Brand") + centre(c, "Bought") +
                         left(c, "Notes") + "</tr><tr>"),
              std::string::npos);
    // An empty item is an empty cell, empty notes are "&nbsp;", a missing text is " ".
    EXPECT_NE(bytes.find("<tr>" + left(c, "A") + centre(c, "") + centre(c, "1.00") +
                         centre(c, "Lunar") + centre(c, " ") + left(c, "&nbsp;") + "</tr>\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("<tr>" + left(alt, "A") + centre(alt, "B") + centre(alt, "2.00") +
                         centre(alt, " ") + centre(alt, " ") + left(alt, "Spare") + "</tr>\r\n"),
              std::string::npos);
}

TEST(ExportHtml, TextsFromTheDocumentAndTheUserAreEscaped) {
    GearDocument doc;
    auto r = test::item("A&B", "Pots <& pans>", "1.00");
    setField(r->notes, "say \"hi\" & go; Caf\xe9");
    test::addTexts(*r, {"</td>"});
    doc.insertRecord(std::move(r));
    const ExportHeadings h{{"Cat<", "Item&", "W\"", "N>"}, {"<b>"}};
    const std::string bytes =
        exportHtmlBytes(doc, h, {false, true, true, "Tom & Jerry's <trip>"}, {});
    EXPECT_NE(bytes.find("<h1 align=\"center\">Tom &amp; Jerry's &lt;trip&gt;</h1>"),
              std::string::npos);
    const std::string c = "ffffe0";
    EXPECT_NE(bytes.find("<tr>" + left(c, "Cat&lt;") + centre(c, "Item&amp;") +
                         centre(c, "W&quot;") + centre(c, "&lt;b&gt;") + left(c, "N&gt;") +
                         "</tr>"),
              std::string::npos);
    EXPECT_NE(bytes.find("<tr>" + left(c, "A&amp;B") + centre(c, "Pots &lt;&amp; pans&gt;") +
                         centre(c, "1.00") + centre(c, "&lt;/td&gt;") +
                         left(c, "say &quot;hi&quot; &amp; go; Caf\xe9") + "</tr>\r\n"),
              std::string::npos);
}

} // namespace
} // namespace varnel
