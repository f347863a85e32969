#include "app/ExportCommand.h"
#include "app/TExportDialog.h"
#include "app/TExportDialogXfer.h"
#include "model/FixedText.h"
#include "output/ExportWriter.h"
#include "ui/ScriptedPrompts.h"

#include "../model/TestRecords.h"
#include "MailerStub.h"
#include "QtTestApp.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace varnel {
namespace {

using test::MailerStub;

template <typename T> T* control(QDialog& d, int id) {
    auto* w = d.findChild<T*>(QString::number(id));
    EXPECT_NE(w, nullptr) << id;
    return w;
}

QLineEdit* edit(QDialog& d, int id) {
    return control<QLineEdit>(d, id);
}

void tick(QDialog& d, int id, bool on = true) {
    control<QAbstractButton>(d, id)->setChecked(on);
}

void press(QDialog& d, int id) {
    control<QAbstractButton>(d, id)->click();
}

ShownPrompt stop(const char* text) {
    return ShownPrompt::message(QString::fromLatin1(text), QStringLiteral("Export"),
                                MessageIcon::Stop);
}

ShownPrompt unableToOpen(const std::string& name) {
    return ShownPrompt::message(QString::fromStdString(name), QStringLiteral("Unable to Open!"),
                                MessageIcon::Exclamation);
}

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

constexpr std::size_t kText = 0;
constexpr std::size_t kComma = 1;
constexpr std::size_t kHtml = 2;
constexpr std::size_t kXml = 3;

TEST(ExportCloseCheck, StopsAtTheFirstBrokenRuleInTheOrderTheUserIsTold) {
    TExportDialogXfer xfer;
    EXPECT_FALSE(exportCloseProblem(xfer)) << "nothing chosen is fine";

    for (auto& f : xfer.files) {
        f.chosen = 1;
    }
    xfer.sendMail = 1;
    const char* expected[] = {
        "Please enter a name for the Text file", "Please enter a name for the Comma Delimited file",
        "Please enter a name for the HTMLfile", "Please enter a name for the XML file",
        "Please enter a name for the LighterPack CSV file"};
    static_assert(std::size(expected) == kExportFileCount);
    for (std::size_t i = 0; i < kExportFileCount; ++i) {
        const auto problem = exportCloseProblem(xfer);
        ASSERT_TRUE(problem) << i;
        EXPECT_STREQ(problem->message, expected[i]);
        EXPECT_EQ(problem->focusRow, i);
        xfer.files[i].name = "f" + std::to_string(i);
    }
    EXPECT_FALSE(exportCloseProblem(xfer));

    // Mail needs the text file's name even when no format is chosen; the focus stays.
    TExportDialogXfer mailOnly;
    mailOnly.sendMail = 1;
    mailOnly.files[kComma].name = "other.txt";
    const auto problem = exportCloseProblem(mailOnly);
    ASSERT_TRUE(problem);
    EXPECT_STREQ(problem->message, "To send EMail, please choose a Text File by clicking on the "
                                   "Browse button and entering a file name");
    EXPECT_FALSE(problem->focusRow);
    // A name left in an unchosen row asks for nothing.
    mailOnly.sendMail = 0;
    mailOnly.files[kHtml].chosen = 0;
    EXPECT_FALSE(exportCloseProblem(mailOnly));
}

TEST(ExportDialogXfer, ReloadsNamesNotesAndTitleButNotTheChoices) {
    DocumentSettings settings;
    settings.textFile = "/trips/a.txt";
    settings.commaFile = "b.txt";
    settings.htmlFile = "c.htm";
    settings.xmlFile = "d.xml";
    settings.exportNotes = 1;
    settings.exportColumns = 1;
    settings.title = "Sierra";
    TExportDialogXfer xfer;
    xfer.files[kHtml].chosen = 1;
    xfer.sendMail = 1;
    xfer.allItems = 0;
    xfer.checkedOnly = 1;
    xfer.reload(settings);
    EXPECT_EQ(xfer.files[kText].name, "/trips/a.txt");
    EXPECT_EQ(xfer.files[kComma].name, "b.txt");
    EXPECT_EQ(xfer.files[kHtml].name, "c.htm");
    EXPECT_EQ(xfer.files[kXml].name, "d.xml");
    EXPECT_EQ(xfer.notes, 1);
    EXPECT_EQ(fieldText(xfer.title), "Sierra");
    EXPECT_EQ(xfer.allItems, 1);
    EXPECT_EQ(xfer.checkedOnly, 0);
    // These keep their last confirmed state for the run.
    EXPECT_EQ(xfer.files[kHtml].chosen, 1);
    EXPECT_EQ(xfer.sendMail, 1);
    EXPECT_EQ(xfer.customColumns, 0);

    // A stored title longer than the field is cut to the 80 characters the dialog allows; file
    // names are never cut.
    settings.title = std::string(90, 'T');
    settings.xmlFile = "/" + std::string(400, 'x') + ".xml";
    xfer.reload(settings);
    EXPECT_EQ(fieldText(xfer.title), std::string(80, 'T'));
    EXPECT_EQ(xfer.files[kXml].name, settings.xmlFile);
}

class ExportDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::qtTestApp(); }

    ScriptedPrompts prompts{[](const QString& what) { ADD_FAILURE() << what.toStdString(); }};
    TExportDialogXfer xfer;
};

TEST_F(ExportDialogTest, ShowsEveryControlWithItsIdAndTheRecordsValues) {
    xfer.files[kComma] = {1, "list.csv"};
    xfer.files[kXml].name = "list.xml";
    xfer.notes = 1;
    xfer.customColumns = 1;
    setField(xfer.title, "Caf\xE9 trip");
    TExportDialog d(xfer, prompts, true);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Export Gear Data"));
    EXPECT_EQ(control<QGroupBox>(d, 101)->title(), QStringLiteral("Export Gear Data to"));
    EXPECT_EQ(control<QGroupBox>(d, 108)->title(), QStringLiteral("Options"));
    const struct {
        int id;
        const char* text;
        bool checked;
    } boxes[] = {{102, "Text File: ", false},         {104, "Comma Delimited File:", true},
                 {113, "HTML File:", false},          {114, "XML File:", false},
                 {106, "Send as EMail", false},       {112, "Export Notes", true},
                 {120, "Export Custom Columns", true}};
    for (const auto& b : boxes) {
        auto* box = control<QCheckBox>(d, b.id);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QString::fromLatin1(b.text)) << b.id;
        EXPECT_EQ(box->isChecked(), b.checked) << b.id;
    }
    EXPECT_TRUE(control<QCheckBox>(d, 120)->isEnabled());
    EXPECT_EQ(control<QRadioButton>(d, 109)->text(), QStringLiteral("Export All Items"));
    EXPECT_TRUE(control<QRadioButton>(d, 109)->isChecked());
    EXPECT_EQ(control<QRadioButton>(d, 110)->text(), QStringLiteral("Export only Checked Items"));
    EXPECT_FALSE(control<QRadioButton>(d, 110)->isChecked());
    for (int id : {107, 111, 117, 118}) {
        EXPECT_EQ(control<QPushButton>(d, id)->text(), QStringLiteral("Browse...")) << id;
        EXPECT_FALSE(control<QPushButton>(d, id)->isDefault()) << id;
    }
    EXPECT_EQ(edit(d, 103)->text(), QString());
    EXPECT_EQ(edit(d, 105)->text(), QStringLiteral("list.csv"));
    EXPECT_EQ(edit(d, 115)->text(), QString());
    EXPECT_EQ(edit(d, 116)->text(), QStringLiteral("list.xml"));
    EXPECT_EQ(edit(d, 121)->text(), QStringLiteral("Caf\u00E9 trip"));
    EXPECT_EQ(edit(d, 121)->maxLength(), 80);
    bool titleLabel = false;
    for (const QLabel* l : d.findChildren<QLabel*>()) {
        titleLabel =
            titleLabel || (l->text() == QStringLiteral("Title:") && l->buddy() == edit(d, 121));
    }
    EXPECT_TRUE(titleLabel);
    EXPECT_EQ(control<QPushButton>(d, 1)->text(), QStringLiteral("OK"));
    EXPECT_TRUE(control<QPushButton>(d, 1)->isDefault());
    EXPECT_EQ(control<QPushButton>(d, 2)->text(), QStringLiteral("Cancel"));

    // Without user columns the box shows its state but cannot be changed.
    TExportDialog plain(xfer, prompts, false);
    EXPECT_FALSE(control<QCheckBox>(plain, 120)->isEnabled());
    EXPECT_TRUE(control<QCheckBox>(plain, 120)->isChecked());
}

TEST_F(ExportDialogTest, OkTakesEveryControlBackIntoTheRecord) {
    TExportDialog d(xfer, prompts, true);
    tick(d, 102);
    edit(d, 103)->setText(QStringLiteral("/tmp/trip.txt"));
    tick(d, 114);
    edit(d, 116)->setText(QStringLiteral("/tmp/\u00FCber.xml"));
    tick(d, 106);
    press(d, 110);
    tick(d, 112);
    tick(d, 120);
    edit(d, 121)->setText(QStringLiteral("Caf\u00E9 \u20AC"));
    press(d, 1);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(xfer.files[kText], (ExportFileChoice{1, "/tmp/trip.txt"}));
    EXPECT_EQ(xfer.files[kComma], (ExportFileChoice{0, ""}));
    EXPECT_EQ(xfer.files[kXml], (ExportFileChoice{1, "/tmp/\xC3\xBC"
                                                     "ber.xml"}));
    EXPECT_EQ(xfer.sendMail, 1);
    EXPECT_EQ(xfer.allItems, 0);
    EXPECT_EQ(xfer.checkedOnly, 1);
    EXPECT_EQ(xfer.notes, 1);
    EXPECT_EQ(xfer.customColumns, 1);
    // The title is kept as the exports write it, in Windows-1252.
    EXPECT_EQ(fieldText(xfer.title), "Caf\xE9 \x80");
}

TEST_F(ExportDialogTest, EachEmptyNameIsRefusedInTurnAndCancelThenKeepsTheRecord) {
    xfer.files[kHtml].name = "old.htm";
    const TExportDialogXfer before = xfer;
    TExportDialog d(xfer, prompts, false);
    for (int id : {102, 104, 113, 114, 106}) {
        tick(d, id);
    }
    edit(d, 115)->clear();
    prompts.setAcknowledgeOkMessages(true);
    press(d, 1);
    edit(d, 103)->setText(QStringLiteral("a.txt"));
    press(d, 1);
    edit(d, 105)->setText(QStringLiteral("b.txt"));
    press(d, 1);
    EXPECT_EQ(d.focusWidget(), edit(d, 115));
    edit(d, 115)->setText(QStringLiteral("c.htm"));
    press(d, 1);
    EXPECT_EQ(d.focusWidget(), edit(d, 116));
    EXPECT_NE(d.result(), QDialog::Accepted);
    const std::vector<ShownPrompt> expected = {
        stop("Please enter a name for the Text file"),
        stop("Please enter a name for the Comma Delimited file"),
        stop("Please enter a name for the HTMLfile"),
        stop("Please enter a name for the XML file"),
    };
    EXPECT_EQ(prompts.shown(), expected);

    // Nothing of the refused tries reaches the record when the dialog is then cancelled.
    press(d, 2);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(xfer, before);
}

TEST_F(ExportDialogTest, MailWithoutATextNameIsRefusedEvenWithNoFormatChosen) {
    TExportDialog d(xfer, prompts, false);
    tick(d, 106);
    edit(d, 121)->setFocus();
    prompts.answer(PromptAnswer::Ok);
    press(d, 1);
    EXPECT_NE(d.result(), QDialog::Accepted);
    ASSERT_EQ(prompts.shown().size(), 1U);
    EXPECT_EQ(prompts.shown()[0],
              stop("To send EMail, please choose a Text File by clicking on the Browse button and "
                   "entering a file name"));
    EXPECT_EQ(d.focusWidget(), edit(d, 121)) << "the focus stays where it was";

    // A text name without "Text File" chosen is enough to mail.
    edit(d, 103)->setText(QStringLiteral("trip.txt"));
    press(d, 1);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(xfer.files[kText], (ExportFileChoice{0, "trip.txt"}));
    EXPECT_EQ(xfer.sendMail, 1);
}

TEST_F(ExportDialogTest, BrowseFiltersExtensionsAndTheChooserTextAndCommaShare) {
    xfer.files[kText].name = "typed.txt";
    TExportDialog d(xfer, prompts, false);
    const QString txt = QStringLiteral("Text Files (*.TXT)|*.txt|");
    const QString htm = QStringLiteral("HTML Files (*.HTM)|*.htm|");
    const QString xml = QStringLiteral("XML Files (*.XML)|*.xml|");
    prompts.answerSaveFile(QStringLiteral("/trips/list.txt"))
        .answerSaveFile(std::nullopt)
        .answerSaveFile(QStringLiteral("/trips/page.htm"))
        .answerSaveFile(QStringLiteral("/trips/again.htm"))
        .answerSaveFile(QStringLiteral("/trips/data.xml"))
        .answerSaveFile(QStringLiteral("/trips/sheet.txt"))
        .answerSaveFile(std::nullopt);
    press(d, 107); // text: opens on nothing chosen yet, not on the typed name
    EXPECT_EQ(edit(d, 103)->text(), QStringLiteral("/trips/list.txt"));
    press(d, 111); // comma: opens on the text's choice; Cancel changes nothing
    EXPECT_EQ(edit(d, 105)->text(), QString());
    press(d, 117);
    press(d, 117); // HTML: a fresh chooser each time
    EXPECT_EQ(edit(d, 115)->text(), QStringLiteral("/trips/again.htm"));
    press(d, 118);
    EXPECT_EQ(edit(d, 116)->text(), QStringLiteral("/trips/data.xml"));
    press(d, 111);
    EXPECT_EQ(edit(d, 105)->text(), QStringLiteral("/trips/sheet.txt"));
    press(d, 107); // and the text button now opens on the comma's choice
    EXPECT_EQ(edit(d, 103)->text(), QStringLiteral("/trips/list.txt"));
    const QString as = QStringLiteral("Save As");
    const std::vector<ShownPrompt> expected = {
        ShownPrompt::saveFile(as, txt, QString(), QStringLiteral("TXT")),
        ShownPrompt::saveFile(as, txt, QStringLiteral("/trips/list.txt"), QStringLiteral("TXT")),
        ShownPrompt::saveFile(as, htm, QString(), QStringLiteral("HTM")),
        ShownPrompt::saveFile(as, htm, QString(), QStringLiteral("HTM")),
        ShownPrompt::saveFile(as, xml, QString(), QStringLiteral("XML")),
        ShownPrompt::saveFile(as, txt, QStringLiteral("/trips/list.txt"), QStringLiteral("TXT")),
        ShownPrompt::saveFile(as, txt, QStringLiteral("/trips/sheet.txt"), QStringLiteral("TXT")),
    };
    EXPECT_EQ(prompts.shown(), expected);
    // Browsing changes only the edit: the record takes it on OK.
    EXPECT_EQ(xfer.files[kText].name, "typed.txt");
}

// The Export command over a document, with the dialog answered by a script.
class ExportCommandTest : public ExportDialogTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = std::filesystem::path(dir.path().toStdString());
        document.insertRecord(test::item("Shelter", "Tent", "40.00", true));
        document.insertRecord(test::item("Water", "Bottle, 1 l", "6.00"));
    }

    // Runs the command; `script` works the dialog, which then ends as its buttons left it.
    bool run(const std::function<void(QDialog&)>& script) {
        ExportCommandContext context{document,
                                     settings,
                                     prompts,
                                     [&](QDialog& d) {
                                         ++opened;
                                         script(d);
                                         return d.result();
                                     },
                                     folder,
                                     exportHeadings(settings),
                                     exportColours(settings),
                                     nullptr};
        return exportCommand(context, xfer);
    }

    std::string expected(ExportFormat format, const ExportOptions& options) {
        return exportBytes(format, document, exportHeadings(settings), options,
                           exportColours(settings));
    }

    QTemporaryDir dir;
    std::filesystem::path folder;
    GearDocument document;
    DocumentSettings settings;
    int opened = 0;
};

TEST_F(ExportCommandTest, WritesTheChosenFilesAndGivesTheChoicesToTheSettings) {
    settings.exportColumns = 1; // never loaded into the dialog
    ASSERT_TRUE(run([](QDialog& d) {
        EXPECT_FALSE(control<QCheckBox>(d, 120)->isChecked());
        EXPECT_FALSE(control<QCheckBox>(d, 120)->isEnabled());
        tick(d, 102);
        edit(d, 103)->setText(QStringLiteral("trip.txt")); // relative: the current folder
        tick(d, 104);
        edit(d, 105)->setText(QStringLiteral("trip.csv"));
        tick(d, 113);
        edit(d, 115)->setText(QStringLiteral("trip.htm"));
        tick(d, 114);
        edit(d, 116)->setText(QStringLiteral("trip.xml"));
        press(d, 110);
        tick(d, 112);
        edit(d, 121)->setText(QStringLiteral("Sierra"));
        press(d, 1);
    }));
    const ExportOptions options{true, true, false, "Sierra"};
    EXPECT_EQ(readFile(folder / "trip.txt"), expected(ExportFormat::Text, options));
    EXPECT_EQ(readFile(folder / "trip.csv"), expected(ExportFormat::Comma, options));
    EXPECT_EQ(readFile(folder / "trip.htm"), expected(ExportFormat::Html, options));
    EXPECT_EQ(readFile(folder / "trip.xml"), expected(ExportFormat::Xml, options));
    EXPECT_EQ(settings.textFile, "trip.txt");
    EXPECT_EQ(settings.commaFile, "trip.csv");
    EXPECT_EQ(settings.htmlFile, "trip.htm");
    EXPECT_EQ(settings.xmlFile, "trip.xml");
    EXPECT_EQ(settings.exportNotes, 1);
    EXPECT_EQ(settings.exportColumns, 0);
    EXPECT_EQ(settings.title, "Sierra");
    EXPECT_TRUE(prompts.shown().empty());
    // The written rows' `selected` fields follow their check marks.
    EXPECT_EQ(document.record(0).selected, 1);

    // The next run opens on all items again, with the choices and the settings' names.
    settings.htmlFile = "other.htm"; // as another document's settings would
    EXPECT_FALSE(run([](QDialog& d) {
        EXPECT_TRUE(control<QRadioButton>(d, 109)->isChecked());
        for (int id : {102, 104, 113, 114, 112}) {
            EXPECT_TRUE(control<QCheckBox>(d, id)->isChecked()) << id;
        }
        EXPECT_EQ(edit(d, 115)->text(), QStringLiteral("other.htm"));
        EXPECT_EQ(edit(d, 121)->text(), QStringLiteral("Sierra"));
        press(d, 2);
    }));
}

TEST_F(ExportCommandTest, CancelWritesNothingAndMailsNothingEvenAfterAnEarlierExport) {
    MailerStub mailer;
    ASSERT_TRUE(run([](QDialog& d) {
        tick(d, 104);
        edit(d, 105)->setText(QStringLiteral("trip.csv"));
        edit(d, 103)->setText(QStringLiteral("trip.txt"));
        tick(d, 106);
        press(d, 1);
    }));
    ASSERT_TRUE(mailer.waitForCall());
    std::filesystem::remove(folder / "trip.csv");
    std::filesystem::remove(folder / "trip.txt");
    mailer.forget();
    const DocumentSettings before = settings;
    EXPECT_FALSE(run([](QDialog& d) {
        edit(d, 105)->setText(QStringLiteral("changed.csv"));
        press(d, 2);
    }));
    EXPECT_FALSE(std::filesystem::exists(folder / "trip.csv"));
    EXPECT_FALSE(std::filesystem::exists(folder / "trip.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder / "changed.csv"));
    EXPECT_EQ(settings, before);
    EXPECT_FALSE(mailer.waitForCall(300));
}

TEST_F(ExportCommandTest, AFileThatCannotBeWrittenIsToldAndTheOthersAreStillWritten) {
    // Every export fails, so their messages show the order they run in.
    const std::string bad = (folder / "missing-folder").string() + "/";
    prompts.setAcknowledgeOkMessages(true);
    ASSERT_TRUE(run([&](QDialog& d) {
        edit(d, 103)->setText(QString::fromStdString(bad + "a.txt"));
        edit(d, 105)->setText(QString::fromStdString(bad + "b.csv"));
        edit(d, 115)->setText(QStringLiteral("ok.htm"));
        edit(d, 116)->setText(QString::fromStdString(bad + "d.xml"));
        for (int id : {102, 104, 113, 114}) {
            tick(d, id);
        }
        press(d, 1);
    }));
    const std::vector<ShownPrompt> told = {unableToOpen(bad + "a.txt"), unableToOpen(bad + "b.csv"),
                                           unableToOpen(bad + "d.xml")};
    EXPECT_EQ(prompts.shown(), told);
    EXPECT_EQ(readFile(folder / "ok.htm"), expected(ExportFormat::Html, {}));
}

TEST_F(ExportCommandTest, MailWritesTheTextAgainAndHandsItsFullPathToTheMailer) {
    MailerStub mailer;
    ASSERT_TRUE(run([](QDialog& d) {
        tick(d, 102);
        edit(d, 103)->setText(QStringLiteral("trip report.txt"));
        tick(d, 106);
        press(d, 1);
    }));
    ASSERT_TRUE(mailer.waitForCall());
    EXPECT_EQ(mailer.arguments(),
              QStringList({QStringLiteral("--attach"),
                           QString::fromStdString((folder / "trip report.txt").string())}));
    EXPECT_EQ(readFile(folder / "trip report.txt"), expected(ExportFormat::Text, {}));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(ExportCommandTest, AReportThatCannotBeWrittenIsNotMailed) {
    MailerStub mailer;
    // Something that is no report stands where the report would go.
    std::filesystem::create_directory(folder / "trip.txt");
    const std::string name = (folder / "trip.txt").string();
    prompts.setAcknowledgeOkMessages(true);
    ASSERT_TRUE(run([&](QDialog& d) {
        edit(d, 103)->setText(QString::fromStdString(name));
        tick(d, 106);
        press(d, 1);
    }));
    EXPECT_EQ(prompts.shown(), std::vector<ShownPrompt>{unableToOpen(name)});
    EXPECT_FALSE(mailer.waitForCall(500));
}

TEST_F(ExportCommandTest, AMailProgramThatCannotBeStartedIsToldToTheUser) {
    MailerStub mailer(MailerStub::Missing);
    prompts.setAcknowledgeOkMessages(true);
    ASSERT_TRUE(run([](QDialog& d) {
        edit(d, 103)->setText(QStringLiteral("trip.txt"));
        tick(d, 106);
        press(d, 1);
    }));
    ASSERT_EQ(prompts.shown().size(), 1U);
    const ShownPrompt& shown = prompts.shown()[0];
    EXPECT_EQ(shown.caption, QStringLiteral("Send as EMail"));
    EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
    EXPECT_TRUE(shown.text.contains(mailer.program())) << shown.text.toStdString();
    EXPECT_TRUE(shown.text.contains(QString::fromStdString((folder / "trip.txt").string())));
    // The report itself is written.
    EXPECT_EQ(readFile(folder / "trip.txt"), expected(ExportFormat::Text, {}));
}

TEST(MailDisplayName, IsTheNameAfterTheLastSeparator) {
    EXPECT_EQ(mailDisplayName("/home/hiker/trips/sierra.txt"), QStringLiteral("sierra.txt"));
    EXPECT_EQ(mailDisplayName("sierra.txt"), QStringLiteral("sierra.txt"));
}

} // namespace
} // namespace varnel
