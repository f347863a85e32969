#include "output/ExportLighterPack.h"

#include "../model/SettingsTempFolder.h"
#include "ExportFixtures.h"
#include "model/LighterPackImport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace varnel {
namespace {

const std::string kHeading = "Item Name,Category,desc,qty,weight,unit,url,price,worn,consumable\n";

TEST(ExportLighterPack, EmptyListIsTheHeadingAlone) {
    GearDocument doc;
    EXPECT_EQ(exportLighterPackBytes(doc, {}), kHeading);
}

TEST(ExportLighterPack, OneLinePerItemWithMembersAsItems) {
    GearDocument doc;
    test::buildTrip(doc);
    setField(doc.record(3).multiplier, "2");
    setField(doc.record(3).unitWeight, "5");
    const std::string kitchen = "Cook kit part 2,Kitchen,,1,6.00,ounce,,,,\n"
                                "Cook kit part 1,Kitchen,,1,4.00,ounce,,,,\n"
                                "Stove,Kitchen,Canister,1,3.00,ounce,,,,\n";
    EXPECT_EQ(exportLighterPackBytes(doc, {}), kHeading + kitchen +
                                                   "Stakes,Shelter,,1,2.50,ounce,,,,\n" +
                                                   "Tent,Shelter,Seam sealed,2,5,ounce,,,,\n");
    EXPECT_EQ(exportLighterPackBytes(doc, {}, true),
              kHeading + kitchen + "Tent,Shelter,Seam sealed,2,5,ounce,,,,\n");
    // An expanded group writes the same lines.
    doc.toggleGroup(0);
    EXPECT_EQ(exportLighterPackBytes(doc, {}, true),
              kHeading + kitchen + "Tent,Shelter,Seam sealed,2,5,ounce,,,,\n");
    doc.metric = true;
    EXPECT_NE(exportLighterPackBytes(doc, {}).find("Stakes,Shelter,,1,2.50,gram,,,,\n"),
              std::string::npos);
}

TEST(ExportLighterPack, OptionalFieldsComeFromColumnsOfTheirNamesAndTextsAreQuotedUtf8) {
    GearDocument doc;
    auto jetboil = test::item("Kitchen", "Jetboil Flash \xBD L", "13.09");
    setField(jetboil->notes, "Gr\xF6\xDF"
                             "e \"M\", blue");
    test::addTexts(*jetboil, {"Jetboil", "https://example.com/a,b", "Worn", "89.95"});
    doc.insertRecord(std::move(jetboil));
    auto odd = test::item("Kitchen", "Odd", "");
    setField(odd->multiplier, "x");
    doc.insertRecord(std::move(odd));
    doc.userColumnCount = 4;
    EXPECT_EQ(exportLighterPackBytes(doc, {"Brand", "URL", "worn", "Price"}),
              kHeading +
                  "Jetboil Flash \xC2\xBD L,Kitchen,\"Gr\xC3\xB6\xC3\x9F"
                  "e \"\"M\"\", blue\",1,13.09,ounce,\"https://example.com/a,b\",89.95,Worn,\n"
                  "Odd,Kitchen,,0,0.00,ounce,,,,\n");
}

TEST(ExportLighterPack, UnitWeightsComeToTheLineWeightsTheListShows) {
    GearDocument doc;
    doc.metric = true;
    addLighterPackItems(doc, parseLighterPackCsv(kHeading + "Pegs,c,,100,0.1,g,,,,\n", true), {});
    doc.convertUnits(); // to ounces: the unit weight becomes 0.00, the line weight 0.35
    const std::string out = exportLighterPackBytes(doc, {});
    EXPECT_EQ(out, kHeading + "Pegs,c,,100,0.0035,ounce,,,,\n");
    GearDocument back;
    addLighterPackItems(back, parseLighterPackCsv(out, false), {});
    EXPECT_EQ(fieldText(back.record(0).weight), fieldText(doc.record(0).weight));
}

TEST(ExportLighterPack, WritesThroughTheSafeWriterAndSaysWhenItCannot) {
    test::SettingsTempFolder folder;
    const std::filesystem::path file = folder / "lp.csv";
    GearDocument doc;
    test::buildTrip(doc);
    const FileOutcome ok = writeLighterPackExport(file, doc, {});
    EXPECT_TRUE(ok.ok());
    EXPECT_EQ(test::readAll(file), exportLighterPackBytes(doc, {}));

    // As the Export dialog writes it: only the scope and the user-column headings count, and
    // the document's selected fields stay as they were.
    const ExportOptions checkedOnly{true, true, true, "title"};
    doc.record(0).selected = 7;
    EXPECT_TRUE(
        writeExport(ExportFormat::LighterPack, file, doc, test::headings(), checkedOnly).ok());
    EXPECT_EQ(test::readAll(file), exportLighterPackBytes(doc, {}, true));
    EXPECT_EQ(doc.record(0).selected, 7);

    const FileOutcome failed = writeLighterPackExport(file / "inside", doc, {});
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.message(), (UserMessage{(file / "inside").string(), "Unable to Open!",
                                             MessageIcon::Exclamation}));
}

using ItemLine = std::tuple<std::string, std::string, std::string, std::string, std::string,
                            std::string, std::string>;

std::vector<ItemLine> itemLines(const GearDocument& doc) {
    std::vector<ItemLine> out;
    for (const GearRow& row : doc.rows()) {
        const auto add = [&](const sPubInfo& r) {
            out.emplace_back(fieldText(r.category), fieldText(r.item), fieldText(r.notes),
                             fieldText(r.unitWeight), fieldText(r.weight),
                             std::string(r.columnText(1)), std::string(r.columnText(2)));
        };
        if (row.isGroupRow()) {
            row.record->members->forEach(add);
        } else if (!row.isMemberRow()) {
            add(*row.record);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

TEST(ExportLighterPack, ImportReadsBackTheSameItemsAndWeights) {
    for (const bool metric : {false, true}) {
        GearDocument doc;
        doc.metric = metric;
        test::buildTrip(doc);
        auto odd = test::item("Misc", "Stuff, \"odd\" \xE9", "1.25");
        // Written as stored: as a number printed afresh (0.991) it would no longer fit.
        setField(odd->multiplier, ".991");
        odd->updateLineWeight();
        test::addTexts(*odd, {"Worn", "Consumable"});
        doc.insertRecord(std::move(odd));
        doc.userColumnCount = 2;
        const std::vector<std::string> headings{"worn", "consumable"};

        const LighterPackList list =
            parseLighterPackCsv(exportLighterPackBytes(doc, headings), metric);
        EXPECT_TRUE(list.skipped.empty());
        EXPECT_TRUE(list.changed.empty());
        GearDocument back;
        back.metric = metric;
        back.userColumnCount = 2;
        addLighterPackItems(back, list, headings);
        EXPECT_EQ(itemLines(back), itemLines(doc)) << metric;
    }
}

} // namespace
} // namespace varnel
