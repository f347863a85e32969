// The exports read back by real readers: python's csv module, python's HTML parser, xmllint.
#include "output/ExportWriter.h"

#include "../model/SettingsTempFolder.h"
#include "ExportFixtures.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

using Records = std::vector<std::vector<std::string>>;

// A list with every character the formats are sensitive to in every kind of text.
struct HostileList {
    GearDocument doc;
    ExportHeadings headings{{"Cat, \"egory\"", "Item <b>", "Weight (oz)", "Notes & more"},
                            {"Brand name", "2nd, \"x\""}};
    ExportOptions options{false, true, true, "Tom & Jerry's <trip>"};

    HostileList() {
        auto tent = test::item("Caf\xe9 & Co", "Tent, 2 \"person\" <big>", "26.50", true);
        setField(tent->notes, "line one\r\nline two");
        test::addTexts(*tent, {"Lunar", "a\rb"});
        doc.insertRecord(std::move(tent));
        auto kit = test::group("Kitchen", "Kit", {"1.00", "2.00"}, true);
        kit->members->forEach([](sPubInfo& m) { setField(m.notes, "\x01tab\there \x80"); });
        doc.insertRecord(std::move(kit));
        doc.insertRecord(test::item("Kitchen", "]]> & </Item>", "", false));
    }
};

// Runs `command`, returns what it printed; false when it failed.
bool run(const std::string& command, const std::filesystem::path& output, std::string& printed) {
    const int status = std::system((command + " >" + output.string() + " 2>&1").c_str());
    printed = test::readAll(output);
    return status == 0;
}

Records split(const std::string& text) {
    Records records;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\x1e', at);
        const std::string record = text.substr(at, end - at);
        std::vector<std::string> fields;
        for (std::size_t f = 0;;) {
            const std::size_t sep = record.find('\x1f', f);
            fields.push_back(record.substr(f, sep - f));
            if (sep == std::string::npos) {
                break;
            }
            f = sep + 1;
        }
        records.push_back(fields);
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return records;
}

// Latin-1 both ways keeps every byte as it is.
constexpr std::string_view kCsvReader = R"(import csv, sys
with open(sys.argv[1], newline='', encoding='latin-1') as f:
    rows = list(csv.reader(f, strict=True))
sys.stdout.buffer.write('\x1e'.join('\x1f'.join(r) for r in rows).encode('latin-1'))
)";

// Prints the title and every table row's cells; fails on a tag closed out of order.
constexpr std::string_view kHtmlReader = R"(import sys
from html.parser import HTMLParser
class Reader(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open, self.rows, self.text, self.title = [], [], None, None
    def handle_starttag(self, tag, attrs):
        self.open.append(tag)
        if tag == 'tr': self.rows.append([])
        if tag in ('td', 'h1'): self.text = ''
    def handle_endtag(self, tag):
        if not self.open or self.open.pop() != tag: sys.exit('unbalanced </%s>' % tag)
        if tag == 'td': self.rows[-1].append(self.text)
        if tag == 'h1': self.title = self.text
        if tag in ('td', 'h1'): self.text = None
    def handle_data(self, data):
        if self.text is not None: self.text += data
r = Reader()
r.feed(open(sys.argv[1], newline='', encoding='latin-1').read())
r.close()
if r.open: sys.exit('left open: %s' % r.open)
out = [['TITLE', r.title or '']] + r.rows
sys.stdout.buffer.write('\x1e'.join('\x1f'.join(c) for c in out).encode('latin-1'))
)";

TEST(ExportConsumers, CsvReaderGetsBackEveryField) {
    if (!test::haveProgram("python3")) {
        GTEST_SKIP() << "python3 is not installed";
    }
    test::SettingsTempFolder folder;
    HostileList list;
    ASSERT_TRUE(
        writeExport(ExportFormat::Comma, folder / "list.csv", list.doc, list.headings, list.options)
            .ok());
    test::writeAll(folder / "read.py", kCsvReader);
    std::string printed;
    ASSERT_TRUE(
        run("python3 " + (folder / "read.py").string() + " " + (folder / "list.csv").string(),
            folder / "out", printed))
        << printed;
    const std::string notes = "\x01tab\there \x80";
    EXPECT_EQ(split(printed), (Records{
                                  {"Cat, \"egory\"", "Item <b>", "Weight (oz)", "Brand name",
                                   "2nd, \"x\"", "Notes & more"},
                                  {"Caf\xe9 & Co", "Tent, 2 \"person\" <big>", "26.50", "Lunar",
                                   "a\rb", "line one\r\nline two"},
                                  {"Kitchen", "]]> & </Item>", "", "", "", ""},
                                  {"Kitchen", "Kit part 2", "2.00", "", "", notes},
                                  {"Kitchen", "Kit part 1", "1.00", "", "", notes},
                                  {"", "Total Weight of Selected Items", "  29.50", ""},
                              }));
}

TEST(ExportConsumers, HtmlParserGetsBackEveryText) {
    if (!test::haveProgram("python3")) {
        GTEST_SKIP() << "python3 is not installed";
    }
    test::SettingsTempFolder folder;
    HostileList list;
    ASSERT_TRUE(
        writeExport(ExportFormat::Html, folder / "list.htm", list.doc, list.headings, list.options)
            .ok());
    test::writeAll(folder / "read.py", kHtmlReader);
    std::string printed;
    ASSERT_TRUE(
        run("python3 " + (folder / "read.py").string() + " " + (folder / "list.htm").string(),
            folder / "out", printed))
        << printed;
    const std::string notes = "\x01tab\there \x80";
    EXPECT_EQ(split(printed), (Records{
                                  {"TITLE", "Tom & Jerry's <trip>"},
                                  {"Cat, \"egory\"", "Item <b>", "Weight (oz)", "Brand name",
                                   "2nd, \"x\"", "Notes & more"},
                                  {"Caf\xe9 & Co", "Tent, 2 \"person\" <big>", "26.50", "Lunar",
                                   "a\rb", "line one\r\nline two"},
                                  {"Kitchen", "]]> & </Item>", "", " ", " ", "\xa0"},
                                  {"Kitchen", "Kit part 2", "2.00", " ", " ", notes},
                                  {"Kitchen", "Kit part 1", "1.00", " ", " ", notes},
                              }));
}

TEST(ExportConsumers, XmllintFindsTheFileWellFormedWithItsTexts) {
    if (!test::haveProgram("xmllint")) {
        GTEST_SKIP() << "xmllint is not installed (Debian: libxml2-utils)";
    }
    test::SettingsTempFolder folder;
    HostileList list;
    const std::string file = (folder / "list.xml").string();
    ASSERT_TRUE(writeExport(ExportFormat::Xml, file, list.doc, list.headings, list.options).ok());
    std::string printed;
    EXPECT_TRUE(run("xmllint --noout " + file, folder / "out", printed)) << printed;
    EXPECT_EQ(printed, "");

    const auto xpath = [&](const std::string& expression) {
        std::string value;
        EXPECT_TRUE(run("xmllint --xpath '" + expression + "' " + file, folder / "out", value))
            << value;
        if (!value.empty() && value.back() == '\n') {
            value.pop_back(); // xmllint ends what it prints with a line end
        }
        return value;
    };
    EXPECT_EQ(xpath("string(/xml/Razidevidez_Orav/Cat___egory_[1]/@attribute)"), "Café & Co");
    EXPECT_EQ(xpath("string(/xml/Razidevidez_Orav/Cat___egory_[1]/Item__b_)"),
              "Tent, 2 \"person\" <big>");
    EXPECT_EQ(xpath("string(/xml/Razidevidez_Orav/Cat___egory_[1]/Notes___more)"),
              "line one\r\nline two");
    EXPECT_EQ(xpath("string(/xml/Razidevidez_Orav/Cat___egory_[1]/_2nd___x_)"), "a\rb");
    EXPECT_EQ(xpath("string(/xml/Razidevidez_Orav/Cat___egory_[3]/Notes___more)"), "?tab\there €");
    EXPECT_EQ(xpath("string(/xml/Razidevidez_Orav/Cat___egory_[2]/Item__b_)"), "]]> & </Item>");
}

} // namespace
} // namespace varnel
