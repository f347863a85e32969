#include "output/ExportWriter.h"

#include "../model/SettingsTempFolder.h"
#include "ExportFixtures.h"

#include <gtest/gtest.h>

#include <array>

namespace varnel {
namespace {

constexpr std::array kFormats = {ExportFormat::Text, ExportFormat::Comma, ExportFormat::Html,
                                 ExportFormat::Xml};

TEST(ExportWriter, ExpandingAGroupChangesNoFile) {
    for (const bool checkedOnly : {false, true}) {
        const ExportOptions options{checkedOnly, true, true, "Trip"};
        const auto h = test::headings({"Brand"});
        GearDocument doc;
        test::buildTrip(doc);
        std::vector<std::string> collapsed;
        collapsed.reserve(kFormats.size());
        for (const ExportFormat f : kFormats) {
            collapsed.push_back(exportBytes(f, doc, h, options));
        }
        ASSERT_EQ(doc.toggleGroup(0), 2);
        ASSERT_EQ(doc.rowCount(), 6);
        for (std::size_t i = 0; i < kFormats.size(); ++i) {
            EXPECT_EQ(exportBytes(kFormats[i], doc, h, options), collapsed[i])
                << "format " << i << ", checked only " << checkedOnly;
        }
    }
}

TEST(ExportWriter, WritesTheBytesAndRefreshesTheWrittenRowsSelectedFields) {
    test::SettingsTempFolder folder;
    GearDocument doc;
    test::buildTrip(doc);
    doc.setChecked(1, false); // Stove: the record still says selected
    doc.setChecked(2, true);  // Stakes: the record still says not selected
    doc.record(0).selected = 0;
    const auto h = test::headings();

    const ExportOptions checkedOnly{true, false, false, ""};
    const auto outcome = writeExport(ExportFormat::Comma, folder / "list.csv", doc, h, checkedOnly);
    ASSERT_TRUE(outcome.ok());
    EXPECT_FALSE(outcome.message());
    EXPECT_EQ(test::readAll(folder / "list.csv"),
              exportBytes(ExportFormat::Comma, doc, h, checkedOnly));
    EXPECT_EQ(doc.record(2).selected, 1);
    EXPECT_EQ(doc.record(1).selected, 1) << "an unchecked row is not written with checked only";
    EXPECT_EQ(doc.record(0).selected, 0) << "group rows are left alone";

    ASSERT_TRUE(writeExport(ExportFormat::Text, folder / "list.txt", doc, h, {}).ok());
    EXPECT_EQ(doc.record(1).selected, 0);
}

TEST(ExportWriter, AFileThatCannotBeWrittenIsUnableToOpenAndChangesNothing) {
    test::SettingsTempFolder folder;
    GearDocument doc;
    test::buildTrip(doc);
    doc.setChecked(1, false);
    const std::filesystem::path file = folder / "missing folder" / "list.htm";
    const auto outcome = writeExport(ExportFormat::Html, file, doc, test::headings(), {});
    EXPECT_FALSE(outcome.ok());
    EXPECT_FALSE(outcome.reason.empty());
    EXPECT_EQ(outcome.message(),
              (UserMessage{file.string(), "Unable to Open!", MessageIcon::Exclamation}));
    EXPECT_EQ(doc.record(1).selected, 1);

    // A folder where the file should be: the previous contents of everything stay.
    std::filesystem::create_directory(folder / "list.xml");
    EXPECT_FALSE(
        writeExport(ExportFormat::Xml, folder / "list.xml", doc, test::headings(), {}).ok());
    EXPECT_TRUE(std::filesystem::is_directory(folder / "list.xml"));
}

TEST(ExportWriter, ReplacesAnOlderExport) {
    test::SettingsTempFolder folder;
    test::writeAll(folder / "list.txt", std::string(100000, 'x'));
    GearDocument doc;
    ASSERT_TRUE(
        writeExport(ExportFormat::Text, folder / "list.txt", doc, test::headings(), {}).ok());
    EXPECT_EQ(test::readAll(folder / "list.txt"),
              exportBytes(ExportFormat::Text, doc, test::headings(), {}));
}

TEST(ExportWriter, HeadingsAndOptionsFromTheDocumentSettings) {
    DocumentSettings settings;
    settings.metric = true;
    settings.fixedColumns[2].heading = weightHeading(true);
    settings.fixedColumns[3].heading = "Remarks";
    settings.userColumns = 2;
    settings.userColumnRecords = {{"Brand", 0, 4}, {"Bought", 0, 5}};
    settings.exportNotes = 1;
    settings.exportColumns = 1;
    settings.title = "Trip";
    settings.altColor = 0x123456;
    const ExportHeadings h = exportHeadings(settings);
    EXPECT_EQ(h.fixed, (std::array<std::string, 4>{"Category", "Item", "Weight (gm)", "Remarks"}));
    EXPECT_EQ(h.user, (std::vector<std::string>{"Brand", "Bought"}));
    const ExportOptions o = exportOptions(settings);
    EXPECT_FALSE(o.checkedOnly);
    EXPECT_TRUE(o.notes);
    EXPECT_TRUE(o.customColumns);
    EXPECT_EQ(o.title, "Trip");
    EXPECT_EQ(exportColours(settings).alt, 0x123456U);
    EXPECT_EQ(exportColours(settings).back, kDefaultBackColor);
}

} // namespace
} // namespace varnel
