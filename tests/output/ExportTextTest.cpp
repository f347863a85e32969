#include "output/ExportText.h"

#include "ExportFixtures.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

using test::pad;

const std::string kTotalStart =
    "\r\n" + std::string(21, ' ') + "Total Weight of Selected Items" + std::string(10, ' ');

std::string line(std::string_view category, std::string_view item, std::string_view weight,
                 std::string_view rest = "") {
    return pad(category, 21) + pad(item, 41) + pad(weight, 9) + std::string(rest) + "\r\n";
}

TEST(ExportText, EmptyListIsTheHeadingTheRuleAnEmptyLineAndTheTotal) {
    GearDocument doc;
    EXPECT_EQ(exportTextBytes(doc, test::headings(), {}),
              "Category            Item                                    Weight (oz)\r\n"
              "-----------------------------------------------------------------------\r\n"
              "\r\n"
              "                     Total Weight of Selected Items             0.00\r\n");
}

TEST(ExportText, TitleIsCentredInEightyColumns) {
    GearDocument doc;
    const auto title = [&](const std::string& t) {
        const std::string bytes = exportTextBytes(doc, test::headings(), {false, false, false, t});
        return bytes.substr(0, bytes.find("Category"));
    };
    EXPECT_EQ(title("0123456789"), std::string(35, ' ') + "0123456789\r\n\r\n");
    EXPECT_EQ(title(std::string(80, 'T')), std::string(80, 'T') + "\r\n\r\n");
    EXPECT_EQ(title(std::string(81, 'T')), std::string(81, 'T') + "\r\n\r\n") << "never cut";
    EXPECT_EQ(title(""), "");
}

TEST(ExportText, GroupMembersStandForTheirGroupFrontToBackMarkedWithAStar) {
    GearDocument doc;
    test::buildTrip(doc);
    const std::string head =
        pad("Category", 20) + pad("Item", 40) + "Weight (oz)\r\n" + std::string(71, '-') + "\r\n";
    const std::string kitchen = line("Kitchen", "Cook kit part 2", "6.00", "*") +
                                line("Kitchen", "Cook kit part 1", "4.00", "*") +
                                line("Kitchen", "Stove", "3.00");
    EXPECT_EQ(exportTextBytes(doc, test::headings(), {}),
              head + kitchen + line("Shelter", "Stakes", "2.50") +
                  line("Shelter", "Tent", "10.00") + kTotalStart + "  23.00\r\n");
    EXPECT_EQ(exportTextBytes(doc, test::headings(), {true, false, false, ""}),
              head + kitchen + line("Shelter", "Tent", "10.00") + kTotalStart + "  23.00\r\n");

    // An unchecked group is written with every item but adds nothing; with only checked items
    // it is not written at all.
    doc.setChecked(0, false);
    EXPECT_EQ(exportTextBytes(doc, test::headings(), {}),
              head + kitchen + line("Shelter", "Stakes", "2.50") +
                  line("Shelter", "Tent", "10.00") + kTotalStart + "  13.00\r\n");
    EXPECT_EQ(exportTextBytes(doc, test::headings(), {true, false, false, ""}),
              head + line("Kitchen", "Stove", "3.00") + line("Shelter", "Tent", "10.00") +
                  kTotalStart + "  13.00\r\n");
}

TEST(ExportText, NotesWithoutUserColumns) {
    GearDocument doc;
    test::buildTrip(doc);
    const std::string bytes = exportTextBytes(doc, test::headings(), {false, true, false, ""});
    const std::string head = pad("Category", 20) + pad("Item", 40) + "Weight (oz)" +
                             pad("Notes", 40) + "\r\n" + std::string(79, '-') + "\r\n";
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    EXPECT_NE(bytes.find(line("Kitchen", "Stove", "3.00", "Canister")), std::string::npos);
    EXPECT_NE(bytes.find(line("Kitchen", "Cook kit part 1", "4.00", "*")), std::string::npos)
        << "empty notes end the line at once";
}

TEST(ExportText, UserColumnsGetOneCellEachWhateverTheRecordHolds) {
    GearDocument doc;
    auto both = test::item("A", "Both", "1.00");
    test::addTexts(*both, {"Lunar", "2026"});
    doc.insertRecord(std::move(both));
    auto first = test::item("A", "First only", "1.00");
    test::addTexts(*first, {"Zpacks"});
    doc.insertRecord(std::move(first));
    auto extra = test::item("A", "More than columns", "1.00");
    test::addTexts(*extra, {"x", "y", "z"});
    doc.insertRecord(std::move(extra));
    doc.insertRecord(test::item("A", "None", "1.00"));
    const auto h = test::headings({"Brand", "Bought"});
    const std::string blank(40, ' ');

    const std::string rule = std::string(20 + 40 + 11 + 40 + 40, '-');
    EXPECT_EQ(exportTextBytes(doc, h, {false, false, true, ""}),
              pad("Category", 20) + pad("Item", 40) + "Weight (oz)" + pad("Brand", 40) +
                  pad("Bought", 40) + "\r\n" + rule + "\r\n" +
                  line("A", "Both", "1.00", pad("Lunar", 40) + pad("2026", 40)) +
                  line("A", "First only", "1.00", pad("Zpacks", 40) + blank) +
                  line("A", "More than columns", "1.00", pad("x", 40) + pad("y", 40)) +
                  line("A", "None", "1.00", blank + blank) + kTotalStart + "   0.00\r\n");

    // With notes the notes heading ends the heading text with its own line end: an empty line
    // follows, and the rule runs over that line end too.
    const std::string withNotes = exportTextBytes(doc, h, {false, true, true, ""});
    const std::string heading = pad("Category", 20) + pad("Item", 40) + "Weight (oz)" +
                                pad("Brand", 40) + pad("Bought", 40);
    const std::string head =
        heading + "Notes\r\n\r\n" + std::string(heading.size() + 5 + 2, '-') + "\r\n";
    EXPECT_EQ(withNotes.substr(0, head.size()), head);

    // The option off writes no user columns however many there are.
    EXPECT_EQ(exportTextBytes(doc, h, {}).find("Lunar"), std::string::npos);
}

TEST(ExportText, ManyUserColumnsMakeAHeadingOfAnyLength) {
    GearDocument doc;
    std::vector<std::string> user(100, "Column");
    const std::string bytes = exportTextBytes(doc, test::headings(user), {false, true, true, ""});
    const std::size_t headingEnd = bytes.find("\r\n\r\n");
    EXPECT_EQ(headingEnd, 20 + 40 + 11 + 100 * 40 + 5U);
    EXPECT_EQ(bytes.substr(headingEnd + 4, headingEnd + 2), std::string(headingEnd + 2, '-'));
}

TEST(ExportText, LongTextsPushTheRestRightAndTextsAreWrittenAsStored) {
    GearDocument doc;
    const std::string longItem(40, 'I');
    auto r = test::item("Twenty-char category", longItem, "123456.00", true);
    setField(r->notes, "Caf\xe9, \"<&>\"");
    doc.insertRecord(std::move(r));
    const std::string bytes = exportTextBytes(doc, test::headings(), {false, true, false, ""});
    EXPECT_NE(bytes.find("Twenty-char category " + longItem + " 123456.00Caf\xe9, \"<&>\"\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("123456.00\r\n"), std::string::npos) << "a wider total is not cut";
}

TEST(ExportText, LineWeightsAndMetric) {
    GearDocument doc;
    doc.metric = true;
    auto r = test::item("Water", "Bottles", "2.00", true);
    setField(r->multiplier, "3");
    r->updateLineWeight();
    doc.insertRecord(std::move(r));
    doc.insertRecord(test::item("Water", "Filter", "1500.5", true));
    doc.insertRecord(test::item("Water", "Not a number", "abc", true));
    EXPECT_EQ(exportTextBytes(doc, test::headings({}, true), {}),
              pad("Category", 20) + pad("Item", 40) + "Weight (gm)\r\n" + std::string(71, '-') +
                  "\r\n" + line("Water", "Bottles", "6.00") + line("Water", "Filter", "1500.5") +
                  line("Water", "Not a number", "abc") + kTotalStart + "1506.50\r\n");
}

TEST(ExportText, TotalIsKeptInSinglePrecision) {
    GearDocument doc;
    doc.insertRecord(test::item("A", "Heavy", "16777216", true));
    doc.insertRecord(test::item("A", "Light", "1.00", true));
    const std::string bytes = exportTextBytes(doc, test::headings(), {});
    EXPECT_EQ(bytes.substr(bytes.size() - 13), "16777216.00\r\n");
}

} // namespace
} // namespace varnel
