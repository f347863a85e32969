// General Options from the main window: the list's colours, what is saved, what is printed.
#include "MainWindowDriving.h"
#include "app/CommandIds.h"
#include "config/TColorButton.h"
#include "config/TConfigureDialog.h"
#include "model/DocumentSettings.h"
#include "model/IniFile.h"
#include "platform/ColorRef.h"
#include "ui/DialogButtons.h"

#include <QCheckBox>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>

#include <cstdlib>

namespace varnel {
namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(20000) || p.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

void grabTo(QWidget& w, const char* name) {
    if (const char* dir = std::getenv("VARNEL_GRAB_DIR"); dir && *dir) {
        QApplication::processEvents();
        EXPECT_TRUE(w.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(name)));
    }
}

class GeneralOptions : public test::DrivenMainWindow {
protected:
    using Answer = std::function<void(TConfigureDialog&)>;

    // The options dialog is shown and answered by `answer`; a print dialog prints to `pdf_`.
    void startAnswering(Answer answer) {
        answer_ = std::move(answer);
        start([this](QDialog& d) {
            if (auto* options = qobject_cast<TConfigureDialog*>(&d)) {
                ++opened_;
                options->show();
                EXPECT_TRUE(QTest::qWaitForWindowExposed(options));
                if (answer_) {
                    answer_(*options);
                }
                options->hide();
                return options->result();
            }
            if (auto* print = qobject_cast<QPrintDialog*>(&d)) {
                print->printer()->setOutputFormat(QPrinter::PdfFormat);
                print->printer()->setOutputFileName(pdf_);
                print->printer()->setPageSize(QPageSize(QPageSize::A4));
                return int(QDialog::Accepted);
            }
            return int(QDialog::Accepted);
        });
    }

    static void pressSwatch(TConfigureDialog& d, const char* id) {
        auto* swatch = d.findChild<TColorButton*>(QLatin1String(id));
        ASSERT_NE(swatch, nullptr) << id;
        QTest::mouseClick(swatch, Qt::LeftButton);
    }
    static void press(TConfigureDialog& d, const char* id) {
        auto* b = d.findChild<QAbstractButton*>(QLatin1String(id));
        ASSERT_NE(b, nullptr) << id;
        QTest::mouseClick(b, Qt::LeftButton);
    }

    // The colour painted at the top left of a cell, as 0x00BBGGRR.
    std::uint32_t paintedAt(int row, int column) {
        QApplication::processEvents();
        const QImage picture = frame_->grab().toImage();
        GearListView* list = client().listView();
        const QRect cell = list->visualRect(client().model().index(row, column));
        const QPoint at = list->viewport()->mapTo(frame_.get(), cell.topLeft() + QPoint(2, 2));
        return colorRefFromColor(picture.pixelColor(at * picture.devicePixelRatio()));
    }
    // The list's own background, below the last row.
    std::uint32_t paintedBelowTheRows() {
        QApplication::processEvents();
        GearListView* list = client().listView();
        const QImage picture = list->viewport()->grab().toImage();
        return colorRefFromColor(
            picture.pixelColor(QPoint(5, picture.height() - 3) * picture.devicePixelRatio()));
    }
    int groupRow() {
        for (int r = 0; r < doc().rowCount(); ++r) {
            if (doc().row(r).isGroupRow()) {
                return r;
            }
        }
        return -1;
    }

    Answer answer_;
    int opened_ = 0;
    QString pdf_;
};

constexpr std::uint32_t kBack = 0x00F0E0D0;
constexpr std::uint32_t kAlt = 0x00C0B0A0;
constexpr std::uint32_t kGroup = 0x00208040;

TEST_F(GeneralOptions, OkRepaintsTheListInTheNewColours) {
    copySample();
    prompts_->answerColor(colorFromColorRef(kBack))
        .answerColor(colorFromColorRef(kAlt))
        .answerColor(colorFromColorRef(kGroup));
    startAnswering([](TConfigureDialog& d) {
        pressSwatch(d, TConfigureDialog::kBackgroundId);
        pressSwatch(d, TConfigureDialog::kAlternateId);
        pressSwatch(d, TConfigureDialog::kGroupId);
        press(d, kOkId);
    });
    // Few rows, so that the list's own background shows below them.
    for (int r = doc().rowCount() - 1; r >= 0 && doc().rowCount() > 6; --r) {
        if (!doc().row(r).isGroupRow()) {
            (void)doc().takeRow(r);
        }
    }
    showWindow();
    const int group = groupRow();
    ASSERT_GE(group, 0);
    const std::uint32_t before = paintedBelowTheRows();
    EXPECT_EQ(before, client().settings().backColor);

    clickButton(ctl::Configure);
    ASSERT_EQ(opened_, 1);
    EXPECT_EQ(client().settings().backColor, kBack);
    EXPECT_EQ(client().settings().altColor, kAlt);
    EXPECT_EQ(client().settings().groupColor, kGroup);
    EXPECT_EQ(paintedAt(0, 3), kAlt);
    EXPECT_EQ(paintedAt(1, 3), kBack);
    EXPECT_EQ(paintedAt(group, 1), kGroup);
    EXPECT_EQ(paintedBelowTheRows(), kBack);
    grabTo(*frame_, "recoloured-list.png");
}

TEST_F(GeneralOptions, CancelLeavesTheListAsItWas) {
    copySample();
    prompts_->answerColor(colorFromColorRef(kBack)).answerColor(colorFromColorRef(kGroup));
    startAnswering([](TConfigureDialog& d) {
        pressSwatch(d, TConfigureDialog::kBackgroundId);
        pressSwatch(d, TConfigureDialog::kGroupId);
        d.findChild<QCheckBox*>(QLatin1String(TConfigureDialog::kShowGrandTotalId))->click();
        press(d, kCancelId);
    });
    showWindow();
    const DocumentSettings before = client().settings();
    const int group = groupRow();

    ASSERT_TRUE(clickMenu(cmd::GeneralOptions));
    ASSERT_EQ(opened_, 1);
    EXPECT_EQ(client().settings(), before);
    EXPECT_EQ(client().model().backgroundColor(), before.backColor);
    EXPECT_EQ(paintedAt(0, 3), before.altColor);
    EXPECT_EQ(paintedAt(1, 3), before.backColor);
    EXPECT_EQ(paintedAt(group, 1), before.groupColor);
}

TEST_F(GeneralOptions, TheOptionsOpenOnTheSettingsInMemory) {
    copySample();
    startAnswering([](TConfigureDialog& d) {
        EXPECT_TRUE(d.findChild<QCheckBox*>(QLatin1String(TConfigureDialog::kTotalEachCategoryId))
                        ->isChecked());
        d.findChild<QCheckBox*>(QLatin1String(TConfigureDialog::kShowGrandTotalId))->click();
        press(d, kOkId);
    });
    clickButton(ctl::Configure);
    EXPECT_EQ(client().settings().totalCats, 1);
    EXPECT_EQ(client().settings().totalAll, 0);
    EXPECT_EQ(client().settings().printNotes, 1);
    // The second opening shows what the first one stored.
    answer_ = [](TConfigureDialog& d) {
        EXPECT_FALSE(d.findChild<QCheckBox*>(QLatin1String(TConfigureDialog::kShowGrandTotalId))
                         ->isChecked());
        press(d, kCancelId);
    };
    clickButton(ctl::Configure);
    EXPECT_EQ(opened_, 2);
}

TEST_F(GeneralOptions, SaveAndReopenKeepColoursPrintOptionsAndFont) {
    copySample();
    QFont chosen(QStringLiteral("DejaVu Sans Mono"));
    chosen.setPointSize(12);
    prompts_->answerColor(colorFromColorRef(kBack))
        .answerColor(QColor(Qt::black))
        .answerFont(chosen);
    startAnswering([](TConfigureDialog& d) {
        pressSwatch(d, TConfigureDialog::kBackgroundId);
        pressSwatch(d, TConfigureDialog::kGroupId);
        press(d, TConfigureDialog::kFontId);
        d.findChild<QCheckBox*>(QLatin1String(TConfigureDialog::kTotalEachCategoryId))->click();
        d.findChild<QCheckBox*>(QLatin1String(TConfigureDialog::kPrintNotesId))->click();
        press(d, kOkId);
    });
    clickButton(ctl::Configure);
    const DocumentSettings set = client().settings();
    EXPECT_EQ(set.fontSize, 12);
    EXPECT_EQ(set.font.lfFaceName, "DejaVu Sans Mono");
    ASSERT_TRUE(clickMenu(cmd::Save));

    IniFile ini;
    ASSERT_FALSE(ini.load(folder_ / "GearData.ini"));
    DocumentSettings stored;
    readDocumentSettings(ini, stored);
    EXPECT_EQ(stored.backColor, kBack);
    EXPECT_EQ(stored.groupColor, set.groupColor);
    EXPECT_EQ(stored.totalCats, 0);
    EXPECT_EQ(stored.totalAll, 1);
    EXPECT_EQ(stored.printNotes, 0);
    EXPECT_EQ(stored.fontSize, 12);
    EXPECT_EQ(stored.font, set.font);

    // A new window on the same folder reads them back, black group colour included.
    frame_.reset();
    startAnswering({});
    EXPECT_EQ(client().settings().backColor, kBack);
    EXPECT_EQ(client().settings().groupColor, set.groupColor);
    EXPECT_EQ(client().model().groupColor(), set.groupColor);
    EXPECT_EQ(client().settings().totalCats, 0);
    EXPECT_EQ(client().settings().printNotes, 0);
    EXPECT_EQ(client().settings().font, set.font);
    EXPECT_EQ(client().settings().fontSize, 12);
}

TEST_F(GeneralOptions, PrintingUsesTheChosenFontAndOptions) {
    copySample();
    pdf_ = QString::fromStdString((folder_ / "list.pdf").string());
    QFont chosen(QStringLiteral("DejaVu Sans Mono"));
    chosen.setPointSize(9);
    prompts_->answerFont(chosen);
    startAnswering([](TConfigureDialog& d) {
        press(d, TConfigureDialog::kFontId);
        for (const char* id :
             {TConfigureDialog::kTotalEachCategoryId, TConfigureDialog::kShowGrandTotalId,
              TConfigureDialog::kPrintNotesId}) {
            d.findChild<QCheckBox*>(QLatin1String(id))->click();
        }
        press(d, kOkId);
    });
    ASSERT_TRUE(clickMenu(cmd::GeneralOptions));
    clickButton(ctl::Print);
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf_, "-"});
    const QString fonts = run(QStringLiteral("pdffonts"), {pdf_});
    if (text.isEmpty() || fonts.isEmpty()) {
        GTEST_SKIP() << "pdftotext or pdffonts is not installed";
    }
    EXPECT_TRUE(text.contains(QStringLiteral("__Water")));
    EXPECT_FALSE(text.contains(QStringLiteral("Total Weight:")));
    EXPECT_FALSE(text.contains(QStringLiteral("*** Category Weight:")));
    EXPECT_FALSE(text.contains(QStringLiteral("Backflush at home")));
    EXPECT_TRUE(fonts.contains(QStringLiteral("DejaVuSansMono"))) << fonts.toStdString();
    EXPECT_FALSE(fonts.contains(QStringLiteral("Liberation"))) << fonts.toStdString();
}

} // namespace
} // namespace varnel
