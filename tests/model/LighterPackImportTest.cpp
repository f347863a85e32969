#include "model/LighterPackImport.h"
#include "TestRecords.h"
#include "model/FixedText.h"
#include "model/GearDocument.h"
#include "model/WeightText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

namespace varnel {
namespace {

std::string dataFile(const char* name) {
    std::ifstream in(std::string(VARNEL_TEST_DATA) + "/lighterpack/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    return {std::istreambuf_iterator<char>(in), {}};
}

constexpr double kOunce = 28.349523125;
const std::string kHeading = "Item Name,Category,desc,qty,weight,unit,url,price,worn,consumable\n";

LighterPackList parse(const std::string& body, bool metric = false) {
    return parseLighterPackCsv(kHeading + body, metric);
}

std::string unitWeightOf(const std::string& row, bool metric = false) {
    const LighterPackList list = parse(row, metric);
    EXPECT_EQ(list.items.size(), 1U) << row;
    return list.items.empty() ? std::string() : list.items[0].fields.unitWeight;
}

std::vector<std::string> lines(const std::vector<LighterPackNote>& notes) {
    std::vector<std::string> out;
    for (const LighterPackNote& n : notes) {
        out.push_back(std::to_string(n.line) + ": " + n.text);
    }
    return out;
}

TEST(LighterPackImport, ReadsEveryFieldOfTheCurrentFormat) {
    const LighterPackList list = parseLighterPackCsv(dataFile("full.csv"), false);
    ASSERT_TRUE(list.recognised);
    ASSERT_EQ(list.items.size(), 6U);

    const LighterPackItem& tent = list.items[0];
    EXPECT_EQ(tent.line, 2);
    EXPECT_EQ(tent.fields.category, "Shelter");
    EXPECT_EQ(tent.fields.item, "Tent");
    EXPECT_EQ(tent.fields.notes, "Two-person, freestanding");
    EXPECT_EQ(tent.fields.unitWeight, "32.00"); // 2 pound
    EXPECT_EQ(tent.fields.multiplier, "1");
    EXPECT_EQ(tent.extras[0], "https://example.com/tent");
    EXPECT_EQ(tent.extras[1], "349.95");

    const LighterPackItem& stakes = list.items[1];
    EXPECT_EQ(stakes.fields.notes, "Six \"MSR\" stakes");
    EXPECT_EQ(stakes.fields.unitWeight, "0.50");
    EXPECT_EQ(stakes.fields.multiplier, "6");

    EXPECT_EQ(list.items[2].fields.item, "Jetboil Flash \xBD L");
    EXPECT_EQ(list.items[2].fields.unitWeight, "13.09"); // 371 g

    const LighterPackItem& water = list.items[3];
    EXPECT_EQ(water.fields.category, "Unfiled");
    EXPECT_EQ(water.fields.unitWeight, "35.274"); // 1 kg, so that 2 of them come to 70.55
    EXPECT_EQ(water.fields.multiplier, "2");
    EXPECT_EQ(water.extras[3], "Consumable");

    EXPECT_EQ(list.items[4].fields.notes, "Gr\xF6\xDF"
                                          "e M");
    EXPECT_EQ(list.items[4].extras[2], "Worn");

    EXPECT_EQ(list.items[5].fields.item, "Snowman ?");
    EXPECT_EQ(list.items[5].line, 8);

    EXPECT_EQ(lines(list.skipped),
              std::vector<std::string>{"7: the weight \"heavy\" is not a number"});
    EXPECT_EQ(lines(list.changed),
              std::vector<std::string>{
                  "8: Item Name: a character that cannot be stored became \"?\" in \"Snowman ?\""});
    EXPECT_TRUE(list.cut.empty());
    EXPECT_EQ(list.extraUsed, (std::array<bool, 4>{true, true, true, true}));
}

TEST(LighterPackImport, ReadsTheOlderSixColumnsWithCrLfAbbreviationsAndNoFinalLineEnd) {
    const LighterPackList list = parseLighterPackCsv(dataFile("older.csv"), false);
    ASSERT_TRUE(list.recognised);
    std::vector<std::string> weights;
    for (const LighterPackItem& item : list.items) {
        weights.push_back(item.fields.item + " " + item.fields.unitWeight);
        EXPECT_EQ(item.extras, (std::array<std::string, 4>{}));
    }
    EXPECT_EQ(weights, (std::vector<std::string>{"Quilt 20.00", "Pad 11.99", "Pillow 2.00",
                                                 "Sack 3.527", "Liner 64.00", "Spoon 0.53"}));
    EXPECT_TRUE(list.skipped.empty());
    EXPECT_TRUE(list.changed.empty());
    EXPECT_EQ(list.extraUsed, (std::array<bool, 4>{}));
}

TEST(LighterPackImport, RefusesWhatIsNotALighterPackList) {
    EXPECT_FALSE(parseLighterPackCsv(dataFile("not-lighterpack.csv"), false).recognised);
    EXPECT_FALSE(parseLighterPackCsv("", false).recognised);
    EXPECT_FALSE(parseLighterPackCsv("Item Name,Category,desc,qty,weight\n", false).recognised);
    EXPECT_FALSE(parseLighterPackCsv("\x89PNG\r\n\x1a\n", false).recognised);
    // A heading alone is a list without items.
    const LighterPackList empty = parseLighterPackCsv("\xEF\xBB\xBFitem name,CATEGORY,Desc,Qty,"
                                                      "Weight,Unit",
                                                      false);
    EXPECT_TRUE(empty.recognised);
    EXPECT_TRUE(empty.items.empty());
}

TEST(LighterPackImport, ConvertsExactlyIntoEitherUnit) {
    EXPECT_EQ(unitWeightOf("a,b,,1,100,g,,,,\n"), "3.53");
    EXPECT_EQ(unitWeightOf("a,b,,1,1,lb,,,,\n"), "16.00");
    EXPECT_EQ(unitWeightOf("a,b,,1,1,KILOGRAMS,,,,\n"), "35.27");
    EXPECT_EQ(unitWeightOf("a,b,,1,3,Ounces,,,,\n"), "3.00");
    EXPECT_EQ(unitWeightOf("a,b,,1,1,oz,,,,\n", true), "28.35");
    EXPECT_EQ(unitWeightOf("a,b,,1,1,pounds,,,,\n", true), "453.59237");
    EXPECT_EQ(unitWeightOf("a,b,,1,1.5,kg,,,,\n", true), "1500.00");
    EXPECT_EQ(unitWeightOf("a,b,,1,12,gram,,,,\n", true), "12.00");
    EXPECT_EQ(unitWeightOf("a,b,,1,.5,Lbs,,,,\n"), "8.00");
}

TEST(LighterPackImport, LineWeightsComeWithinAHalfHundredthOfTheExactTotal) {
    using Case = std::tuple<const char*, bool, const char*, double, bool>; // rounded last
    for (const auto& [row, metric, unitWeight, exact, rounded] :
         {Case{"100,0.1,g", false, "0.0035", 10 / kOunce, true},
          Case{"30,0.5,g", false, "0.0176", 15 / kOunce, true},
          Case{"2,1,kg", false, "35.274", 2000 / kOunce, true},
          Case{"3,12.345,gram", true, "12.345", 37.035, false},
          Case{"6,0.5,oz", false, "0.50", 3, false}}) {
        const LighterPackList list = parse("a, c ,," + std::string(row) + ",,,,\n", metric);
        ASSERT_EQ(list.items.size(), 1U) << row;
        const ItemFields& f = list.items[0].fields;
        EXPECT_EQ(f.category, "c");
        EXPECT_EQ(f.unitWeight, unitWeight);
        EXPECT_NEAR(weightValue(*lineWeightText(f.unitWeight, f.multiplier)), exact, 0.005001);
        EXPECT_EQ(list.rounded.size(), rounded ? 1U : 0U) << row;
    }
    EXPECT_EQ(lines(parse("a,c,,100,0.1,gram,,,,\n").rounded),
              std::vector<std::string>{"2: \"0.1\" gram became 0.0035 oz."});
}

TEST(LighterPackImport, ReadsWindows1252AndListsEveryLineAnOpenQuoteTookIn) {
    const LighterPackList list =
        parse("Caf\xE9,c,,1,1,oz,,,,\nopen,\"c,,1,1,oz,,,,\r\nStove,c,,1,1,oz\r\n\nPot,c\n");
    ASSERT_EQ(list.items.size(), 1U);
    EXPECT_EQ(list.items[0].fields.item, "Caf\xE9");
    EXPECT_EQ(lines(list.skipped), (std::vector<std::string>{
                                       "3: a quoted field is not closed before the end of the file",
                                       "4: inside the quote opened on line 3: \"Stove,c,,1,1,oz\"",
                                       "5: inside the quote opened on line 3: \"\"",
                                       "6: inside the quote opened on line 3: \"Pot,c\""}));
    EXPECT_NE(lighterPackReport(list, {}).find("it was read as Windows-1252."), std::string::npos);
}

TEST(LighterPackImport, SkipsRowsThatCannotBeReadAndSaysWhere) {
    const LighterPackList list = parse("ok,c,,1,1,oz,,,,\n"
                                       "short,c,,1,1,oz\n"
                                       "stone,c,,1,1,stone,,,,\n"
                                       "neg,c,,1,-2,oz,,,,\n"
                                       "qty,c,,two,1,oz,,,,\n"
                                       "long qty,c,,12345,1,oz,,,,\n"
                                       "huge,c,,1,99999999,oz,,,,\n"
                                       "times,c,,1000,9999,oz,,,,\n"
                                       "fine,c,,9999,100.000001,oz,,,,\n"
                                       "\n"
                                       "ok,c,,1,1,oz,,,,\n"
                                       "bad,\"c\"x,,1,1,oz,,,,\n"
                                       "open,\"c,,1,1,oz,,,,\n");
    EXPECT_EQ(list.items.size(), 2U);
    EXPECT_EQ(list.items[1].line, 12);
    EXPECT_EQ(lines(list.skipped),
              (std::vector<std::string>{
                  "3: 6 fields where the heading has 10",
                  "4: the unit \"stone\" is not ounce, pound, gram or kilogram",
                  "5: the weight \"-2\" is not a number", "6: the qty \"two\" is not a number",
                  "7: the qty \"12345\" has more than 4 characters",
                  "8: the weight \"99999999\" oz times the qty 1 is too large to be stored",
                  "9: the weight \"9999\" oz times the qty 1000 is too large to be stored",
                  "10: the weight \"100.000001\" oz times the qty 9999 cannot be stored to "
                  "within 0.005",
                  "13: text follows a closing quote",
                  "14: a quoted field is not closed before the end of the file"}));
}

TEST(LighterPackImport, TakesOnlyPlainDecimalNumbers) {
    // LighterPack writes plain numbers; anything else is listed rather than guessed at.
    const LighterPackList list = parse("a,c,,1e2,1,oz,,,,\n"
                                       "b,c,,1,1.2.3,oz,,,,\n"
                                       "c,c,,1,.,oz,,,,\n"
                                       "d,c,,1,\"\",oz,,,,\n"
                                       "e,c,, 2 , 1.5 , oz ,,,,\n");
    EXPECT_EQ(lines(list.skipped),
              (std::vector<std::string>{
                  "2: the qty \"1e2\" is not a number", "3: the weight \"1.2.3\" is not a number",
                  "4: the weight \".\" is not a number", "5: the weight \"\" is not a number"}));
    ASSERT_EQ(list.items.size(), 1U);
    EXPECT_EQ(list.items[0].fields.multiplier, "2");
    EXPECT_EQ(list.items[0].fields.unitWeight, "1.50");
}

TEST(LighterPackImport, FitsTextsToTheRecordAndListsWhatChanged) {
    const std::string longItem(45, 'x');
    const LighterPackList list =
        parse(longItem + ",A category of twenty,\"two\r\nlines\",1,1,oz,,,,\n"
                         "after,c,\"tab\there\",1,1,oz,,,\"\xE2\x82\xAC\xE2\x98\x83\",\n");
    ASSERT_EQ(list.items.size(), 2U);
    EXPECT_EQ(list.items[0].fields.item, std::string(40, 'x'));
    EXPECT_EQ(list.items[0].fields.category, "A category of tw");
    EXPECT_EQ(list.items[0].fields.notes, "two lines");
    // The quoted line break moved the next row down a line.
    EXPECT_EQ(list.items[1].line, 4);
    EXPECT_EQ(list.items[1].extras[2], "\x80?");
    EXPECT_EQ(lines(list.cut),
              (std::vector<std::string>{
                  "2: Category \"A category of twenty\" was cut to 16 characters",
                  "2: Item Name \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" was cut to 40 characters"}));
    EXPECT_EQ(lines(list.changed),
              (std::vector<std::string>{
                  "2: desc: line breaks and tabs became blanks",
                  "4: desc: line breaks and tabs became blanks",
                  "4: worn: a character that cannot be stored became \"?\" in \"\x80?\""}));
}

TEST(LighterPackImport, FitsAUtf8TextCutBetweenCharacters) {
    // 39 ASCII letters, then two-byte characters: each is one byte once stored.
    const std::string item = std::string(39, 'a') + "\xC3\xA9\xC3\xA9\xC3\xA9";
    const LighterPackList list = parse(item + ",c,,1,1,oz,,,,\n");
    ASSERT_EQ(list.items.size(), 1U);
    EXPECT_EQ(list.items[0].fields.item, std::string(39, 'a') + "\xE9");
}

TEST(LighterPackImport, PlacesExtrasByColumnNameIgnoringCase) {
    EXPECT_EQ(lighterPackColumns({"Brand", "URL", "Worn", "url"}),
              (std::array<int, 4>{1, -1, 2, -1}));
    const LighterPackList list = parseLighterPackCsv(dataFile("full.csv"), false);
    EXPECT_EQ(missingLighterPackColumns(list, {"Brand", "URL", "Worn"}),
              (std::vector<std::string>{"price", "consumable"}));
    LighterPackList noExtras = list;
    noExtras.extraUsed = {};
    EXPECT_TRUE(missingLighterPackColumns(noExtras, {}).empty());
}

TEST(LighterPackImport, AddsCheckedItemsWithTheirCategoriesAndColumns) {
    GearDocument doc;
    doc.categoryList.emplace_back("Shelter", 128);
    doc.categoryChoices.push_back({"Shelter", 128});
    doc.nextCategoryId = 129;
    doc.insertRecord(test::item("Shelter", "Tarp", "10.00"));
    doc.userColumnCount = 3;
    const std::vector<std::string> headings{"Brand", "URL", "Worn"};

    const LighterPackList list = parseLighterPackCsv(dataFile("full.csv"), false);
    const LighterPackAdded added = addLighterPackItems(doc, list, headings);
    EXPECT_EQ(added.items, 6);
    EXPECT_EQ(added.newCategories, (std::vector<std::string>{"Kitchen", "Clothing", "Misc"}));
    EXPECT_EQ(added.leftOut, (std::vector<std::string>{"price", "consumable"}));
    ASSERT_EQ(doc.rowCount(), 7);
    EXPECT_EQ(doc.categoryChoices.back(), (CategoryChoice{"Misc", 131}));
    EXPECT_EQ(doc.nextCategoryId, 132);

    int checked = 0;
    for (int r = 0; r < doc.rowCount(); ++r) {
        checked += doc.row(r).checked() ? 1 : 0;
        const sPubInfo& rec = *doc.row(r).record;
        if (fieldText(rec.item) == "Tent") {
            EXPECT_EQ(rec.columnText(1), "");
            EXPECT_EQ(rec.columnText(2), "https://example.com/tent");
            EXPECT_EQ(rec.columnText(3), "");
        }
        if (fieldText(rec.item) == "Stakes") {
            EXPECT_EQ(fieldText(rec.weight), "3.00");
        }
        if (fieldText(rec.item) == "Rain jacket") {
            EXPECT_EQ(rec.columnText(3), "Worn");
        }
    }
    EXPECT_EQ(checked, 6); // the tarp stays unchecked
    // 32 + 3 + 13.09 + 70.55 + 10.50 + 1
    EXPECT_NEAR(doc.selectedTotal(), 130.14, 0.005);

    const std::string report = lighterPackReport(list, added);
    EXPECT_EQ(report.substr(0, report.find('\n')), "6 items imported and checked.");
    EXPECT_NE(report.find("New categories: Kitchen Clothing Misc"), std::string::npos);
    EXPECT_NE(report.find("user columns of these names: price consumable"), std::string::npos);
    EXPECT_NE(
        report.find("Skipped (not imported):\n  line 7: the weight \"heavy\" is not a number"),
        std::string::npos);
}

TEST(LighterPackImport, KeepsAWeightSortedListSorted) {
    GearDocument doc;
    doc.insertRecord(test::item("A", "light", "1.00"));
    doc.insertRecord(test::item("A", "heavy", "50.00"));
    ASSERT_TRUE(doc.sortByColumn(static_cast<int>(ColumnIndex::Weight)));
    const bool ascending = fieldText(doc.row(0).record->item) == "light";
    addLighterPackItems(doc, parse("middle,A,,1,20,oz,,,,\n"), {});
    ASSERT_EQ(doc.rowCount(), 3);
    EXPECT_EQ(doc.displayText(1, 1), "middle");
    EXPECT_EQ(doc.displayText(0, 1), ascending ? "light" : "heavy");
}

} // namespace
} // namespace varnel
