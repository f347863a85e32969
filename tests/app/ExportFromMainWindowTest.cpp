#include "MailerStub.h"
#include "MainWindowDriving.h"
#include "app/CommandIds.h"
#include "output/ExportWriter.h"
#include "platform/ColorRef.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace varnel {
namespace {

using test::DrivenMainWindow;
using test::MailerStub;

class ExportFromMainWindow : public DrivenMainWindow {
protected:
    static void setName(QDialog& d, int id, const QString& name) {
        auto* e = d.findChild<QLineEdit*>(QString::number(id));
        ASSERT_NE(e, nullptr) << id;
        e->setText(name);
    }
    static QAbstractButton* button(QDialog& d, int id) {
        auto* b = d.findChild<QAbstractButton*>(QString::number(id));
        EXPECT_NE(b, nullptr) << id;
        return b;
    }
    // Clicks as the user does, so that a disabled control stays as it is.
    static void click(QDialog& d, int id) {
        QAbstractButton* b = button(d, id);
        ASSERT_TRUE(b->isEnabled()) << id;
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }
};

TEST_F(ExportFromMainWindow, ExportsEveryFormatAndMailsTheText) {
    copySample();
    MailerStub mailer;
    const QString html = documentName("trip.htm");
    int runs = 0;
    start([&](QDialog& d) {
        ++runs;
        d.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
        if (runs == 1) {
            for (int id : {102, 104, 113, 114, 122, 106, 112, 120}) {
                click(d, id);
            }
            click(d, 110);
            setName(d, 103, documentName("trip.txt"));
            setName(d, 105, documentName("trip.csv"));
            prompts_->answerSaveFile(html);
            click(d, 117);
            setName(d, 116, documentName("trip.xml"));
            setName(d, 123, documentName("trip-lp.csv"));
            setName(d, 121, QStringLiteral("Sierra High Route"));
        } else {
            // The next opening: all items again, the choices as they were left.
            EXPECT_TRUE(button(d, 109)->isChecked());
            EXPECT_TRUE(button(d, 102)->isChecked());
            EXPECT_TRUE(button(d, 120)->isChecked());
            EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("115"))->text(), html);
        }
        click(d, runs == 1 ? 1 : 2);
        d.hide();
        return d.result();
    });
    showWindow();
    ASSERT_GT(doc().userColumnCount, 0) << "the sample has user columns";

    const ExportHeadings headings = exportHeadings(client().settings());
    const ExportColours colours = exportColours(client().settings(), currentColorRef);
    const ExportOptions options{true, true, true, "Sierra High Route"};
    const auto expected = [&](ExportFormat format) {
        return exportBytes(format, doc(), headings, options, colours);
    };
    const std::string text = expected(ExportFormat::Text);
    const std::string comma = expected(ExportFormat::Comma);
    const std::string page = expected(ExportFormat::Html);
    const std::string xml = expected(ExportFormat::Xml);
    const std::string lighterPack = expected(ExportFormat::LighterPack);

    ASSERT_TRUE(clickMenu(cmd::Export));
    EXPECT_EQ(dialogsShown_, QStringList{QStringLiteral("Export Gear Data")});
    EXPECT_EQ(readFile(folder_ / "trip.txt"), text);
    EXPECT_EQ(readFile(folder_ / "trip.csv"), comma);
    EXPECT_EQ(readFile(folder_ / "trip.htm"), page);
    EXPECT_EQ(readFile(folder_ / "trip.xml"), xml);
    EXPECT_EQ(readFile(folder_ / "trip-lp.csv"), lighterPack);
    ASSERT_TRUE(mailer.waitForCall());
    EXPECT_EQ(mailer.arguments(),
              QStringList({QStringLiteral("--attach"), documentName("trip.txt")}));
    EXPECT_TRUE(prompts_->shown().size() == 1 && prompts_->shown()[0].kind == PromptKind::SaveFile);

    // The choices are the document's: they are saved with it.
    EXPECT_EQ(client().settings().htmlFile, html.toStdString());
    EXPECT_EQ(client().settings().title, "Sierra High Route");
    EXPECT_EQ(client().settings().lighterPackFile, documentName("trip-lp.csv").toStdString());
    EXPECT_EQ(client().settings().exportNotes, 1);
    EXPECT_EQ(client().settings().exportColumns, 1);

    // The button runs the same command; cancelled, it writes nothing.
    mailer.forget();
    std::filesystem::remove(folder_ / "trip.txt");
    clickButton(ctl::Export);
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "trip.txt"));
    EXPECT_FALSE(mailer.waitForCall(300));
}

TEST_F(ExportFromMainWindow, IsRefusedWhileAHideViewShowsPartOfTheList) {
    copySample();
    start();
    showWindow();
    clickHideBox();
    ASSERT_TRUE(doc().hideNonSelected);
    prompts_->answer(PromptAnswer::Ok);
    clickButton(ctl::Export);
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(prompts_->shown()[0],
              ShownPrompt::message(
                  QStringLiteral(
                      "Please uncheck the \"Hide Non-Selected Items\" checkbox before exporting"),
                  QStringLiteral("Important!"), MessageIcon::Exclamation));
    EXPECT_TRUE(dialogsShown_.isEmpty());
    clickHideBox();
}

} // namespace
} // namespace varnel
