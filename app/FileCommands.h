#pragma once
// The File menu and the window's start and end: names asked for, the recovery copy offered and
// kept, and the window following each new document. The rules of saving are the session's.

#include "app/ClientEnvironment.h"
#include "app/HandheldCommands.h"
#include "model/DocumentSession.h"

#include <QString>

#include <filesystem>
#include <optional>
#include <string_view>

class QWidget;

namespace varnel {

class RecoveryKeeper;
struct RecoveryFile;

class FileCommands : private DocumentSession::Host {
public:
    // How the window follows the document.
    class Window {
    public:
        virtual ~Window() = default;
        // The headings, widths and placement into the settings, and back out of them.
        virtual void collectColumns() = 0;
        virtual void applyColumns() = 0;
        virtual void applyPlacement() = 0;
        // The rows are another list's (or the list read back): totals and summary follow.
        virtual void documentShown() = 0;
        virtual void refreshButtons() = 0;
        virtual void documentRenamed() = 0;
        virtual void leaveHideViews() = 0;
        // No undo step may reach the rows of the document that goes.
        virtual void clearHistory() = 0;
        virtual void recentFilesUpdated() = 0;
        // The first start's unit question; true for grams.
        virtual bool askMetric() = 0;
    };

    // Reads the program's settings and, unless the command line named a list, chooses the last
    // document; the recovery keeper is made as a child of `owner`.
    FileCommands(Window& window, const ClientEnvironment& env, GearDocument& document,
                 DocumentSettings& settings, AppSettings& appSettings, const FileLocations& files,
                 QObject* owner);

    [[nodiscard]] const DocumentSession& session() const { return session_; }
    [[nodiscard]] RecoveryKeeper& recovery() { return *recovery_; }
    [[nodiscard]] HandheldCommandContext& handheld() { return handheld_; }

    // Once the window sits in its frame: migration, settings, document, the recovery offer.
    void setupWindow();
    void newDocument();
    void open();
    void openChosen(const std::filesystem::path& name);
    void openDocument(const std::filesystem::path& name);
    void openRecent(const QString& name);
    void save();
    void saveAs();
    void saveForHandheld();
    bool canClose();
    bool writeOnExit() { return session_.writeOnExit(); }
    void writeRecoveryNow();
    void discardRecoveryCopy();

private:
    PromptAnswer ask(const UserQuestion& question) override { return prompts_.ask(question); }
    void show(const UserMessage& message) override { prompts_.showMessage(message); }
    void collectSettings() override { window_.collectColumns(); }
    void documentResetting() override { window_.clearHistory(); }
    void documentSaved() override;
    void recentFilesUpdated() override { window_.recentFilesUpdated(); }
    std::filesystem::path handheldFile(bool& asked) override {
        return FindHotSyncFile(handheld_, &asked);
    }
    std::filesystem::path askHandheldFolder() override { return AskHotSyncFolder(handheld_); }
    bool writeHandheld(const std::filesystem::path& file) override {
        return writeHandheldFileTo(handheld_, file);
    }

    bool refuseWhileHidden(std::string_view doing);
    void readSettingsAndDocument();
    // The full path recovery copies know the document by.
    [[nodiscard]] std::filesystem::path recoveryPath() const;
    std::optional<RecoveryFile> beginRecoveryCopy();
    // Asks about the document's recovery copy and on Yes shows it instead.
    void offerRecoveryCopy();

    Window& window_;
    const ClientEnvironment& env_;
    Prompts& prompts_;
    GearDocument& document_;
    DocumentSettings& settings_;
    DocumentSession session_;
    HandheldCommandContext handheld_;
    RecoveryKeeper* recovery_ = nullptr;
};

} // namespace varnel
