#include "Fifo.h"
#include "MainWindowFixture.h"
#include "app/CommandIds.h"
#include "app/TWeightDisplayDialg.h"
#include "model/ByteOrder.h"
#include "model/FixedText.h"
#include "model/IniFile.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <climits>

namespace varnel {
namespace {

using test::MainWindowFixture;

class MainWindow : public MainWindowFixture {};

TEST_F(MainWindow, FirstStartInAnEmptyFolderAsksTheUnitOnceAndWritesTheDefaults) {
    int asked = 0;
    start([&](QDialog& dialog) {
        if (qobject_cast<TWeightDisplayDialg*>(&dialog) != nullptr) {
            ++asked;
            dialog.findChild<QRadioButton*>(QLatin1String(TWeightDisplayDialg::kMetricId))
                ->setChecked(true);
        }
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(doc().metric);
    EXPECT_EQ(client().model().heading(2), QStringLiteral("Weight (gm)"));
    EXPECT_EQ(client().totalText(), QStringLiteral("0.00 gm. (0.00 kg)"));
    EXPECT_EQ(client().documentName(), folder_ / "GearData.dat");
    EXPECT_EQ(frame_->windowTitle().toStdString(),
              "Varnel - " + (folder_ / "GearData.dat").string());
    const std::string ini = readFile(folder_ / "GearData.ini");
    EXPECT_NE(ini.find("USERCOLS=0000000000"), std::string::npos);
    EXPECT_NE(ini.find("COLWIDTHS=64000000640000006400000064000000"), std::string::npos);
    EXPECT_NE(ini.find("BACKCOLOR=FFFFE000DE"), std::string::npos);
    // An empty list: the row commands are off.
    for (int id : {ctl::Delete, ctl::Modify, ctl::Print, ctl::Totals, ctl::Export, ctl::Convert}) {
        EXPECT_FALSE(client().button(id)->isEnabled()) << id;
    }
    client().updateCommandEnablers();
    EXPECT_FALSE(client().action(cmd::SelectAll)->isEnabled());
    EXPECT_FALSE(client().action(cmd::ExpandAll)->isEnabled());
    EXPECT_FALSE(client().action(cmd::Save)->isEnabled());

    // Closing writes the document; the next start asks nothing.
    frame_->close();
    EXPECT_TRUE(std::filesystem::exists(folder_ / "GearData.dat"));
    EXPECT_NE(readFile(folder_ / "Varnel.ini").find("FILE=" + (folder_ / "GearData.dat").string()),
              std::string::npos);
    frame_.reset();
    asked = 0;
    start([&](QDialog&) {
        ++asked;
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(doc().metric);
}

TEST_F(MainWindow, SampleListChecksSortsHidesExpandsAndConverts) {
    copySample();
    start();
    ASSERT_GE(doc().rowCount(), 38);
    EXPECT_EQ(client().totalText(), QStringLiteral("170.60 oz. (10.66 lbs)"));
    EXPECT_TRUE(client().button(ctl::ClearSelected)->isEnabled());

    // Check a row through the view's model and watch the total.
    GearListModel& model = client().model();
    int unchecked = -1;
    for (int r = 0; r < doc().rowCount(); ++r) {
        if (!doc().row(r).checked()) {
            unchecked = r;
            break;
        }
    }
    ASSERT_GE(unchecked, 0);
    const double weight = doc().rowWeight(unchecked);
    model.setData(model.index(unchecked, 0), Qt::Checked, Qt::CheckStateRole);
    EXPECT_NEAR(doc().selectedTotal(), 170.6 + weight, 0.001);
    model.setData(model.index(unchecked, 0), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_EQ(client().totalText(), QStringLiteral("170.60 oz. (10.66 lbs)"));

    // Weight heading click sorts lightest first and turns Add and Modify off; Category restores.
    const int rows = doc().rowCount();
    client().listView()->header()->sectionClicked(2);
    EXPECT_TRUE(doc().sortedView);
    EXPECT_LE(doc().rowWeight(0), doc().rowWeight(rows - 1));
    client().listView()->header()->sectionClicked(0);
    EXPECT_FALSE(doc().sortedView);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("Clothing"));

    // Expand all and collapse all.
    client().cmExpandAll();
    EXPECT_EQ(doc().rowCount(), rows + 8);
    client().cmCollapseAll();
    EXPECT_EQ(doc().rowCount(), rows);

    // Hide the unchecked rows; closing and saving are refused meanwhile.
    auto* box = client().findChild<QCheckBox*>(QString::number(ctl::HideNonSelected));
    ASSERT_TRUE(box->isEnabled());
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(doc().hideNonSelected);
    EXPECT_LT(doc().rowCount(), rows);
    EXPECT_EQ(client().action(cmd::HideNonSelected)->text(), QStringLiteral("Show &Non-Selected"));
    prompts_->answer(PromptAnswer::Ok).answer(PromptAnswer::Ok).answer(PromptAnswer::Ok);
    EXPECT_FALSE(frame_->close());
    client().cmSave();
    client().cmConvert();
    ASSERT_EQ(prompts_->shown().size(), 3U);
    EXPECT_EQ(prompts_->shown()[0],
              ShownPrompt::message(
                  "Please uncheck the \"Hide Non-Selected Items\" checkbox before closing",
                  "Important!", MessageIcon::Exclamation));
    EXPECT_EQ(prompts_->shown()[1].text,
              "Please uncheck the \"Hide Non-Selected Items\" checkbox before saving");
    EXPECT_EQ(prompts_->shown()[2].text,
              "Please uncheck the \"Hide Non-Selected Items\" checkbox before converting");
    client().cmClearSelected();
    EXPECT_TRUE(box->isEnabled()) << "the way out stays open with nothing checked";
    client().cmHideNonSelected();
    EXPECT_FALSE(doc().hideNonSelected);
    EXPECT_EQ(doc().rowCount(), rows);
    EXPECT_EQ(client().totalText(), QStringLiteral("170.60 oz. (10.66 lbs)"));

    // Hide the checked rows from the menu, and back.
    client().cmHideSelected();
    EXPECT_EQ(client().action(cmd::HideSelected)->text(), QStringLiteral("S&how Selected"));
    prompts_->answer(PromptAnswer::Ok);
    EXPECT_FALSE(frame_->close());
    EXPECT_EQ(prompts_->shown().back().text,
              "Please select the \"Show Selected\" menu item before closing");
    client().cmHideSelected();
    EXPECT_EQ(doc().rowCount(), rows);

    // Convert and back.
    client().cmConvert();
    EXPECT_EQ(model.heading(2), QStringLiteral("Weight (gm)"));
    // 170.60 oz of checked gear, each weight converted with 28.375 and rounded to 0.01.
    EXPECT_EQ(client().totalText(), QStringLiteral("4840.78 gm. (4.84 kg)"));
    client().cmConvert();
    EXPECT_EQ(model.heading(2), QStringLiteral("Weight (oz)"));
}

TEST_F(MainWindow, SaveAsWritesReopensAndListsTheFile) {
    copySample();
    start();
    const int rows = doc().rowCount();
    const QString target = QString::fromStdString((folder_ / "trip.dat").string());
    prompts_->answerSaveFile(target);
    client().cmSaveAs();
    EXPECT_EQ(client().documentName(), folder_ / "trip.dat");
    EXPECT_EQ(doc().rowCount(), rows);
    // Same content; a group's members come back in reverse order after each save and load.
    EXPECT_EQ(readFile(folder_ / "trip.dat").size(), readFile(folder_ / "GearData.dat").size());
    EXPECT_TRUE(std::filesystem::exists(folder_ / "trip.ini"));
    EXPECT_EQ(client().appSettings().recentFiles().front(), (folder_ / "trip.dat").string());
    EXPECT_TRUE(frame_->windowTitle().endsWith(QStringLiteral("trip.dat")));

    // Open the first one again, answering No to saving the current one.
    prompts_->answerOpenFile(QString::fromStdString((folder_ / "GearData.dat").string()))
        .answer(PromptAnswer::No);
    client().cmOpen();
    EXPECT_EQ(client().documentName(), folder_ / "GearData.dat");
    EXPECT_EQ(prompts_->shown().back().text.toStdString(),
              "Save " + (folder_ / "trip.dat").string() + " before opening " +
                  (folder_ / "GearData.dat").string() + " ?");
    EXPECT_EQ(prompts_->shown().back().buttons, PromptButtons::YesNoCancel);
    EXPECT_EQ(client().appSettings().recentFiles().size(), 2U);
}

TEST_F(MainWindow, OpenGuardsAndNew) {
    copySample();
    start();
    prompts_->answerOpenFile(QStringLiteral("/nonexistent/x.dat")).answer(PromptAnswer::Ok);
    client().cmOpen();
    EXPECT_EQ(prompts_->shown().back(),
              ShownPrompt::message("/nonexistent/x.dat", "File Does Not Exist!",
                                   MessageIcon::Exclamation));
    prompts_->answerOpenFile(QString::fromStdString((folder_ / "GearData.dat").string()))
        .answer(PromptAnswer::Cancel);
    const int rows = doc().rowCount();
    client().cmOpen();
    EXPECT_EQ(doc().rowCount(), rows);

    client().cmNew();
    EXPECT_EQ(doc().rowCount(), 0);
    EXPECT_EQ(client().documentName(), folder_ / "Untitled.dat");
    EXPECT_TRUE(doc().categoryChoices.empty());
    EXPECT_EQ(client().model().columnCount(), 5) << "New keeps the user columns";
    EXPECT_EQ(client().totalText(), QStringLiteral("0.00 oz. (0.00 lbs)"));
}

TEST_F(MainWindow, SettingsRoundTripThroughTheWindow) {
    copySample();
    start();
    QHeaderView* header = client().listView()->header();
    header->resizeSection(3, 333);
    header->moveSection(header->visualIndex(4), 1);
    frame_->setGeometry(50, 60, 700, 500);
    frame_->close();
    frame_.reset();
    start();
    header = client().listView()->header();
    EXPECT_EQ(header->sectionSize(3), 333);
    EXPECT_EQ(header->visualIndex(4), 1);
    EXPECT_EQ(client().model().heading(4), QStringLiteral("Brand"));
    EXPECT_EQ(frame_->geometry().size(), QSize(700, 500));
}

TEST_F(MainWindow, AnOversizedSettingsFileIsNamedAtStartAndKeptAtExit) {
    copySample();
    {
        // The user's own settings, with a megabyte of padding after them.
        std::ofstream(folder_ / "GearData.ini", std::ios::binary | std::ios::app)
            << std::string(IniFile::kMaxFileSize, ';') << "\r\n";
    }
    const std::string before = readFile(folder_ / "GearData.ini");
    const std::string said = "Cannot read the settings file " +
                             (folder_ / "GearData.ini").string() +
                             ": Too large for a settings file (more than 1 MiB). It is left as "
                             "it is, and the settings will not be saved into it.";
    prompts_->setAcknowledgeOkMessages(true);
    start();
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_EQ(prompts_->shown()[0], ShownPrompt::message(QString::fromStdString(said), "Varnel",
                                                         MessageIcon::Exclamation));
    EXPECT_GT(doc().rowCount(), 0) << "the gear list is still read";

    EXPECT_TRUE(frame_->close());
    ASSERT_EQ(prompts_->shown().size(), 2U);
    EXPECT_EQ(prompts_->shown()[1], ShownPrompt::message(QString::fromStdString(said), "Error",
                                                         MessageIcon::Exclamation));
    EXPECT_TRUE(readFile(folder_ / "GearData.ini") == before) << "the settings were replaced";
}

TEST_F(MainWindow, FifosNamedLikeTheFilesNeitherBlockNorGetReplaced) {
    for (const char* name : {"GearData.ini", "GearData.dat", "Varnel.ini"}) {
        test::makeFifo(folder_ / name);
    }
    prompts_->setAcknowledgeOkMessages(true);
    EXPECT_TRUE(test::returnsWithoutBlocking(
        {folder_ / "GearData.ini", folder_ / "GearData.dat", folder_ / "Varnel.ini"},
        [this] { start(); }));
    QStringList texts;
    for (const ShownPrompt& p : prompts_->shown()) {
        texts << p.text;
    }
    const auto named = [this](const char* name) {
        return QString::fromStdString((folder_ / name).string() + ": Not a regular file.");
    };
    ASSERT_EQ(texts.size(), 3) << texts.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("Cannot read the settings file ") +
                                    named("Varnel.ini")));
    EXPECT_TRUE(texts[1].startsWith(QStringLiteral("Cannot read the settings file ") +
                                    named("GearData.ini")));
    EXPECT_EQ(texts[2], QStringLiteral("Cannot read ") + named("GearData.dat"));

    // The list shown is empty: exit asks before it would replace what could not be read.
    prompts_->answer(PromptAnswer::No);
    EXPECT_TRUE(test::returnsWithoutBlocking(
        {folder_ / "GearData.ini", folder_ / "GearData.dat", folder_ / "Varnel.ini"},
        [this] { frame_->close(); }));
    EXPECT_TRUE(prompts_->shown().back().text.contains(QStringLiteral("could not be read")));
    for (const char* name : {"GearData.ini", "GearData.dat", "Varnel.ini"}) {
        EXPECT_TRUE(std::filesystem::is_fifo(folder_ / name)) << name;
    }
}

TEST_F(MainWindow, AStoredPlacementOffEveryScreenCentresTheWindow) {
    copySample();
    const auto storeCoords = [this](std::int32_t l, std::int32_t t, std::int32_t r,
                                    std::int32_t b) {
        IniFile ini;
        ASSERT_FALSE(ini.load(folder_ / "GearData.ini"));
        std::uint8_t bytes[16];
        putInt32(bytes, l);
        putInt32(bytes + 4, t);
        putInt32(bytes + 8, r);
        putInt32(bytes + 12, b);
        ini.writeStruct("MISC", "COORDS", bytes);
        ASSERT_FALSE(ini.save(folder_ / "GearData.ini"));
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const auto& c : std::initializer_list<std::array<std::int32_t, 4>>{
             {20000, 20000, 20600, 20450}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}}) {
        SCOPED_TRACE(c[0]);
        storeCoords(c[0], c[1], c[2], c[3]);
        start();
        const QRect placed = frame_->geometry();
        EXPECT_TRUE(screen.contains(placed)) << placed.x() << "," << placed.y();
        EXPECT_LE(std::abs(placed.center().x() - screen.center().x()), 1);
        frame_.reset();
    }
}

TEST_F(MainWindow, TotalsDialogAndTooltipShowTheCategoryLines) {
    copySample();
    start();
    client().cmTotals();
    ASSERT_EQ(dialogsShown_.size(), 1);
    EXPECT_EQ(dialogsShown_.front(), QStringLiteral("Totals"));
    const QString tip = client().totalsTooltip();
    EXPECT_TRUE(tip.startsWith(QStringLiteral("Clothing :  24.90 oz. (  1.56 lb)\n")));
    EXPECT_FALSE(tip.contains(QStringLiteral("Grand Total")));
}

TEST_F(MainWindow, WindowPicture) {
    copySample();
    start();
    frame_->resize(900, 620);
    frame_->show();
    QApplication::processEvents();
    const QImage picture = frame_->grab().toImage();
    const QString out = qEnvironmentVariable("VARNEL_GRAB");
    if (!out.isEmpty()) {
        picture.save(out);
    }
    // The list's own colours are painted: both row colours, and the group colour of a group
    // row's Item cell.
    GearListView* list = client().listView();
    const auto colourAt = [&](int row, int column) {
        const QRect cell = list->visualRect(client().model().index(row, column));
        const QPoint at = list->viewport()->mapTo(frame_.get(), cell.topLeft() + QPoint(2, 2));
        return picture.pixelColor(at * picture.devicePixelRatio()).rgb() & 0xFFFFFF;
    };
    const auto bgr = [](std::uint32_t c) {
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    };
    EXPECT_EQ(colourAt(2, 3), bgr(client().settings().altColor));
    EXPECT_EQ(colourAt(3, 3), bgr(client().settings().backColor));
    int group = 0;
    while (group < doc().rowCount() && !doc().row(group).isGroupRow()) {
        ++group;
    }
    ASSERT_LT(group, doc().rowCount());
    EXPECT_EQ(colourAt(group, 1), bgr(client().settings().groupColor));
}

} // namespace
} // namespace varnel
