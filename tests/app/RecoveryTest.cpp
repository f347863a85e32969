// A window that ends without its exit write (killed, or ended by the session) gives its edits
// back at the next start.

#include "MainWindowFixture.h"

#include <QProcess>
#include <QTest>

#include <csignal>

namespace varnel::test {
namespace {

namespace fs = std::filesystem;

class RecoveryAfterAnEnd : public MainWindowFixture, public ::testing::WithParamInterface<int> {
protected:
    [[nodiscard]] bool copyWritten() const {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(recoveryFolder_, ec)) {
            if (entry.path().extension() == ".recovery") {
                return true;
            }
        }
        return false;
    }
};

TEST_P(RecoveryAfterAnEnd, TheEditIsBackAfterTheAnswerYes) {
    copySample();
    const std::string saved = readFile(folder_ / "GearData.dat");
    recoveryFolder_ = folder_ / "state";
    QProcess child;
    child.start(QStringLiteral(VARNEL_RECOVERY_CHILD),
                {QString::fromStdString(folder_.string()),
                 QString::fromStdString(recoveryFolder_.string())});
    ASSERT_TRUE(child.waitForReadyRead(60000)) << child.readAllStandardError().toStdString();
    ASSERT_EQ(child.readLine().trimmed(), "edited");
    if (GetParam() == SIGKILL) {
        ASSERT_TRUE(QTest::qWaitFor([this] { return copyWritten(); }, 30000));
    }
    ::kill(static_cast<pid_t>(child.processId()), GetParam());
    ASSERT_TRUE(child.waitForFinished(30000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(readFile(folder_ / "GearData.dat"), saved);

    prompts_->answer(PromptAnswer::Yes);
    start();
    ASSERT_EQ(prompts_->shown().size(), 1U);
    EXPECT_TRUE(prompts_->shown()[0].text.startsWith("Varnel has a recovery copy of "));
    ASSERT_GT(doc().rowCount(), 0);
    EXPECT_EQ(doc().selectedTotal(), 0.0F) << "the cleared check marks are back";
    EXPECT_EQ(readFile(folder_ / "GearData.dat"), saved) << "the file waits for a save";
    frame_->close();
    EXPECT_FALSE(copyWritten()) << "the exit saved the edits, so their copy went";
}

INSTANTIATE_TEST_SUITE_P(Signals, RecoveryAfterAnEnd, ::testing::Values(SIGKILL, SIGTERM),
                         [](const auto& info) { return info.param == SIGKILL ? "Kill" : "Term"; });

} // namespace
} // namespace varnel::test
