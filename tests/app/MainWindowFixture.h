#pragma once
// A real main window in a temporary current folder, with scripted prompts and dialogs.

#include "QtTestApp.h"
#include "app/GearListView.h"
#include "app/TMiravo99DlgClient.h"
#include "app/TSDIDecFrame.h"
#include "model/MemoryRegistry.h"
#include "ui/ScriptedPrompts.h"

#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>

namespace varnel::test {

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        qtTestApp();
        ASSERT_TRUE(dir_.isValid());
        folder_ = std::filesystem::path(dir_.path().toStdString());
        prompts_ = std::make_unique<ScriptedPrompts>(
            [](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    }

    void TearDown() override {
        frame_.reset();
        prompts_.reset();
    }

    // Puts the sample gear list (and its settings) in the folder as GearData.dat.
    void copySample() {
        const std::filesystem::path sample =
            std::filesystem::path(VARNEL_SOURCE_DIR) / "resources/sample";
        std::filesystem::copy_file(sample / "GearData.dat", folder_ / "GearData.dat");
        std::filesystem::copy_file(sample / "GearData.ini", folder_ / "GearData.ini");
    }

    // Builds the window and runs its setup; `dialogs` answers modal dialogs.
    void start(std::function<int(QDialog&)> dialogs = {}) {
        dialogs_ = std::move(dialogs);
        ClientEnvironment env;
        env.prompts = prompts_.get();
        env.settingsRegistry = &registry_;
        env.hotSyncRegistry = &hotSyncRegistry_;
        env.currentFolder = folder_;
        env.namedDocument = named_;
        env.files = files_;
        env.recoveryFolder = recoveryFolder_;
        env.openUrl = [this](const QUrl& url) {
            openedUrls_.push_back(url);
            return true;
        };
        env.runDialog = [this](QDialog& dialog) {
            dialogsShown_.push_back(dialog.windowTitle());
            return dialogs_ ? dialogs_(dialog) : static_cast<int>(QDialog::Accepted);
        };
        auto* client = new TMiravo99DlgClient(env);
        frame_ = std::make_unique<TSDIDecFrame>(client);
        client->setupWindow();
    }

    // The list named on the command line, if any.
    std::optional<std::filesystem::path> named_;

    TMiravo99DlgClient& client() { return *frame_->client(); }
    GearDocument& doc() { return client().document(); }

    [[nodiscard]] std::string readFile(const std::filesystem::path& p) const {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    QTemporaryDir dir_;
    std::filesystem::path folder_;
    // None: every file in folder_.
    std::optional<FileLocations> files_;
    std::filesystem::path recoveryFolder_; // none: no recovery copies
    MemoryRegistry registry_;
    MemoryRegistry hotSyncRegistry_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<TSDIDecFrame> frame_;
    std::function<int(QDialog&)> dialogs_;
    QStringList dialogsShown_;
    QList<QUrl> openedUrls_;
};

} // namespace varnel::test
