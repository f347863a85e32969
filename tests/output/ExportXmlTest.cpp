#include "output/ExportXml.h"

#include "ExportFixtures.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

constexpr std::string_view kStart = "<xml>\r\n<Razidevidez_Orav>\r\n";
constexpr std::string_view kEnd = "</Razidevidez_Orav></xml>\r\n";

std::string element(std::string_view category, std::string_view item, std::string_view weight,
                    std::string_view inner = "") {
    return "<Category attribute=\"" + std::string(category) + "\">\r\n\t<Item>" +
           std::string(item) + "</Item>\r\n\t<Weight__oz_>" + std::string(weight) +
           "</Weight__oz_>\r\n" + std::string(inner) + "</Category>\r\n";
}

TEST(ExportXml, EmptyListIsTheOpeningLinesAndTheClosingLine) {
    GearDocument doc;
    EXPECT_EQ(exportXmlBytes(doc, test::headings(), {false, true, true, ""}),
              "<xml>\r\n<Razidevidez_Orav>\r\n</Razidevidez_Orav></xml>\r\n");
}

TEST(ExportXml, HeadingsBecomeElementNames) {
    EXPECT_EQ(xmlElementName("Category"), "Category");
    EXPECT_EQ(xmlElementName("Weight (oz)"), "Weight__oz_");
    EXPECT_EQ(xmlElementName("Weight (gm)"), "Weight__gm_");
    // A blank is no name character, in a user column's heading too.
    EXPECT_EQ(xmlElementName("Brand name"), "Brand_name");
    EXPECT_EQ(xmlElementName("2nd choice"), "_2nd_choice");
    EXPECT_EQ(xmlElementName("-x.y"), "_-x.y");
    EXPECT_EQ(xmlElementName(""), "_");
    EXPECT_EQ(xmlElementName("a:b<c>&\"d'\x01"), "a_b_c___d__");
    // ASCII only, one "_" for each other character.
    EXPECT_EQ(xmlElementName("Cat\xe9gorie \xd7 \x80"), "Cat_gorie____");
    EXPECT_EQ(xmlElementName("Prix (\x80)"), "Prix____");
    EXPECT_EQ(xmlElementName("\xe9t\xe9"), "_t_");
}

TEST(ExportXml, MembersStandForTheirGroupAndNotesMayBeEmpty) {
    GearDocument doc;
    test::buildTrip(doc);
    EXPECT_EQ(exportXmlBytes(doc, test::headings(), {}),
              std::string(kStart) + element("Kitchen", "Cook kit part 2", "6.00") +
                  element("Kitchen", "Cook kit part 1", "4.00") +
                  element("Kitchen", "Stove", "3.00") + element("Shelter", "Stakes", "2.50") +
                  element("Shelter", "Tent", "10.00") + std::string(kEnd));
    EXPECT_EQ(exportXmlBytes(doc, test::headings(), {true, true, false, ""}),
              std::string(kStart) +
                  element("Kitchen", "Cook kit part 2", "6.00", "<Notes></Notes>\r\n") +
                  element("Kitchen", "Cook kit part 1", "4.00", "<Notes></Notes>\r\n") +
                  element("Kitchen", "Stove", "3.00", "<Notes>Canister</Notes>\r\n") +
                  element("Shelter", "Tent", "10.00", "<Notes>Seam sealed</Notes>\r\n") +
                  std::string(kEnd));
}

TEST(ExportXml, UserColumnsWriteTheTextsTheRecordHolds) {
    GearDocument doc;
    auto both = test::item("A", "Both", "1.00");
    test::addTexts(*both, {"Lunar", ""});
    doc.insertRecord(std::move(both));
    auto first = test::item("A", "First", "1.00");
    test::addTexts(*first, {"Zpacks"});
    doc.insertRecord(std::move(first));
    doc.insertRecord(test::item("A", "None", "1.00"));
    const auto h = test::headings({"Brand name", "Bought"});
    EXPECT_EQ(
        exportXmlBytes(doc, h, {false, false, true, ""}),
        std::string(kStart) +
            element("A", "Both", "1.00",
                    "<Brand_name>Lunar</Brand_name>\r\n<Bought></Bought>\r\n") +
            element("A", "First", "1.00", "<Brand_name>Zpacks</Brand_name>\r\n") +
            element("A", "None", "1.00", "<Brand_name></Brand_name>\r\n<Bought></Bought>\r\n") +
            std::string(kEnd));
    EXPECT_EQ(exportXmlBytes(doc, h, {}).find("Brand"), std::string::npos);
}

TEST(ExportXml, TextsAreEscapedAndWrittenInUtf8) {
    GearDocument doc;
    auto r = test::item("A&B \"q\" 'a' <c>", "Pots <& \"pans\"> ]]>", "1.00");
    setField(r->notes, "one\r\ntwo\tthree\x01\x1f\x7f end \x80 \x81 \xe9");
    doc.insertRecord(std::move(r));
    const std::string bytes = exportXmlBytes(doc, test::headings(), {false, true, false, ""});
    EXPECT_EQ(bytes, std::string(kStart) +
                         "<Category attribute=\"A&amp;B &quot;q&quot; &apos;a&apos; &lt;c&gt;\">"
                         "\r\n\t<Item>Pots &lt;&amp; &quot;pans&quot;&gt; ]]&gt;</Item>\r\n"
                         "\t<Weight__oz_>1.00</Weight__oz_>\r\n"
                         "<Notes>one&#13;\ntwo\tthree??\x7f end € \xc2\x81 é</Notes>\r\n"
                         "</Category>\r\n" +
                         std::string(kEnd));
    std::string attribute;
    appendXmlText(attribute, "a\r\nb\tc", true);
    EXPECT_EQ(attribute, "a&#13;&#10;b&#9;c") << "a reader would read blanks otherwise";
}

} // namespace
} // namespace varnel
