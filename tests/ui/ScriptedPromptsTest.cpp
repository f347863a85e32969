#include "ui/ScriptedPrompts.h"
#include "ui/WaitCursor.h"

#include "QtTestApp.h"

#include <gtest/gtest.h>

#include <vector>

namespace varnel {
namespace {

// Failures the scripted prompts report are collected here instead of failing the test, so that
// the tests below can check them.
struct Collected {
    QStringList failures;
    ScriptedPrompts::FailureHandler handler() {
        return [this](const QString& what) { failures << what; };
    }
};

TEST(ScriptedPrompts, AnswersInOrderAndRecordsEveryPrompt) {
    Collected c;
    {
        ScriptedPrompts prompts(c.handler());
        prompts.answer(PromptAnswer::No)
            .answerOpenFile(QStringLiteral("/tmp/b.dat"))
            .answerText(QStringLiteral("Kitchen"))
            .answerSaveFile(std::nullopt);
        const QString filter = QStringLiteral("Gear Weight Files (*.dat)|*.dat|");
        EXPECT_EQ(prompts.message(QStringLiteral("Save a.dat ?"),
                                  QStringLiteral("Save Current File"), MessageIcon::None,
                                  PromptButtons::YesNoCancel),
                  PromptAnswer::No);
        EXPECT_EQ(prompts.openFileName(QStringLiteral("Open a Gear Weight Data File"), filter),
                  QStringLiteral("/tmp/b.dat"));
        EXPECT_EQ(
            prompts.textInput(QStringLiteral("Group"), QStringLiteral("Name:"), QString(), 40),
            QStringLiteral("Kitchen"));
        EXPECT_EQ(prompts.saveFileName(QStringLiteral("Save As"), filter), std::nullopt);

        const std::vector<ShownPrompt> expected = {
            ShownPrompt::message(QStringLiteral("Save a.dat ?"),
                                 QStringLiteral("Save Current File"), MessageIcon::None,
                                 PromptButtons::YesNoCancel),
            ShownPrompt::fileName(PromptKind::OpenFile,
                                  QStringLiteral("Open a Gear Weight Data File"), filter),
            ShownPrompt::textInput(QStringLiteral("Group"), QStringLiteral("Name:"), QString(), 40),
            ShownPrompt::fileName(PromptKind::SaveFile, QStringLiteral("Save As"), filter),
        };
        EXPECT_EQ(prompts.shown(), expected);
        EXPECT_EQ(prompts.pendingAnswers(), 0);
    }
    EXPECT_TRUE(c.failures.isEmpty()) << c.failures.join(QLatin1Char('\n')).toStdString();
}

TEST(ScriptedPrompts, SurprisesAreRefusedAndReported) {
    Collected c;
    {
        ScriptedPrompts prompts(c.handler());
        // Nothing scripted: refused with the safe answer of each button set.
        EXPECT_EQ(prompts.message(QStringLiteral("q"), QStringLiteral("c"), MessageIcon::Question,
                                  PromptButtons::YesNo),
                  PromptAnswer::No);
        EXPECT_EQ(prompts.message(QStringLiteral("q"), QStringLiteral("c"), MessageIcon::Question,
                                  PromptButtons::YesNoCancel),
                  PromptAnswer::Cancel);
        EXPECT_EQ(prompts.message(QStringLiteral("i"), QStringLiteral("c"),
                                  MessageIcon::Information, PromptButtons::Ok),
                  PromptAnswer::Ok);
        EXPECT_EQ(prompts.chooseColor(Qt::red, {}), std::nullopt);
        EXPECT_EQ(c.failures.size(), 4);

        // An answer of the wrong kind stays queued for the prompt it was meant for.
        prompts.answerOpenFile(QStringLiteral("x.dat"));
        EXPECT_EQ(prompts.message(QStringLiteral("q"), QStringLiteral("c"), MessageIcon::None,
                                  PromptButtons::OkCancel),
                  PromptAnswer::Cancel);
        EXPECT_EQ(prompts.pendingAnswers(), 1);
        EXPECT_EQ(c.failures.size(), 5);
        EXPECT_EQ(prompts.openFileName(QStringLiteral("t"), QString()), QStringLiteral("x.dat"));

        // An answer the box does not offer.
        prompts.answer(PromptAnswer::Yes);
        EXPECT_EQ(prompts.message(QStringLiteral("q"), QStringLiteral("c"), MessageIcon::None,
                                  PromptButtons::OkCancel),
                  PromptAnswer::Cancel);
        EXPECT_EQ(c.failures.size(), 6);

        // A scripted text the dialog would not have taken.
        prompts.answerText(QStringLiteral("far too long"));
        EXPECT_EQ(prompts.textInput(QStringLiteral("c"), QStringLiteral("p"), QString(), 3),
                  QStringLiteral("far"));
        EXPECT_EQ(c.failures.size(), 7);
        EXPECT_EQ(prompts.shown().size(), 8U);

        prompts.answer(PromptAnswer::Ok); // never used
        prompts.beginWait();              // never ended
    }
    ASSERT_EQ(c.failures.size(), 9);
    EXPECT_TRUE(c.failures[0].contains(QStringLiteral("unexpected message")));
    EXPECT_TRUE(c.failures[7].contains(QStringLiteral("never asked for")));
    EXPECT_TRUE(c.failures[8].contains(QStringLiteral("wait cursor")));
}

TEST(ScriptedPrompts, OkBoxesMayBeAcknowledgedWithoutAScript) {
    Collected c;
    ScriptedPrompts prompts(c.handler());
    prompts.setAcknowledgeOkMessages(true);
    prompts.answer(PromptAnswer::Yes);
    EXPECT_EQ(prompts.message(QStringLiteral("Yes?"), QString(), MessageIcon::Question,
                              PromptButtons::YesNo),
              PromptAnswer::Yes);
    EXPECT_EQ(prompts.showMessage({"Not a Varnel data file", "GearData.dat", MessageIcon::Stop}),
              PromptAnswer::Ok);
    // Questions still need their answer.
    EXPECT_EQ(prompts.message(QStringLiteral("Again?"), QString(), MessageIcon::Question,
                              PromptButtons::YesNo),
              PromptAnswer::No);
    EXPECT_EQ(c.failures.size(), 1);
    ASSERT_EQ(prompts.shown().size(), 3U);
    EXPECT_EQ(prompts.shown()[1],
              ShownPrompt::message(QStringLiteral("Not a Varnel data file"),
                                   QStringLiteral("GearData.dat"), MessageIcon::Stop));
}

TEST(ScriptedPrompts, ChoosersRecordWhatTheyWereGiven) {
    Collected c;
    ScriptedPrompts prompts(c.handler());
    Prompts::CustomColors custom{};
    custom[0] = QColor(1, 2, 3);
    QFont courier(QStringLiteral("Courier New"), 10);
    prompts.answerColor(QColor(Qt::blue)).answerFont(QFont(QStringLiteral("Courier New"), 20));
    EXPECT_EQ(prompts.chooseColor(Qt::red, custom), QColor(Qt::blue));
    // 20 points is outside 8..14: the dialog would not have let it through.
    EXPECT_EQ(prompts.chooseFont(courier, true, 8, 14), std::nullopt);
    ASSERT_EQ(prompts.shown().size(), 2U);
    EXPECT_EQ(prompts.shown()[0].customColors, custom);
    EXPECT_EQ(prompts.shown()[0].color, QColor(Qt::red));
    EXPECT_EQ(prompts.shown()[1].font, courier);
    EXPECT_TRUE(prompts.shown()[1].fixedPitchOnly);
    EXPECT_EQ(prompts.shown()[1].maxPointSize, 14);
    EXPECT_EQ(c.failures.size(), 1);
}

TEST(ScriptedPrompts, WaitCursorGuardsNestAndBalance) {
    Collected c;
    {
        ScriptedPrompts prompts(c.handler());
        {
            WaitCursor outer(prompts);
            WaitCursor inner(prompts);
            EXPECT_EQ(prompts.waitDepth(), 2);
        }
        EXPECT_EQ(prompts.waitDepth(), 0);
        EXPECT_EQ(prompts.waitCount(), 2);
        prompts.endWait();
    }
    ASSERT_EQ(c.failures.size(), 1);
    EXPECT_TRUE(c.failures[0].contains(QStringLiteral("without being shown")));
}

TEST(Prompts, MessageTextsFromBelowAreUtf8OrElseWindows1252) {
    EXPECT_EQ(Prompts::messageText("/home/j\xc3\xb6rg/GearData.dat"),
              QString::fromUtf8("/home/jörg/GearData.dat"));
    EXPECT_EQ(Prompts::messageText("Caf\xe9 \x80"), QString::fromUtf8("Café €"));
    EXPECT_EQ(Prompts::messageText(""), QString());
}

} // namespace
} // namespace varnel
