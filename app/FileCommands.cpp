#include "app/FileCommands.h"

#include "app/RecoveryKeeper.h"
#include "model/FileOutcome.h"
#include "model/HideViewRefusal.h"
#include "model/RecoveryStore.h"
#include "ui/WaitCursor.h"

#include <system_error>
#include <vector>

namespace varnel {

namespace {

constexpr const char* kFileFilter = "Gear Weight Files (*.dat)|*.dat|Text Files (*.txt)|*.txt|";

std::filesystem::path toPath(const QString& s) {
    return std::filesystem::path(s.toStdString());
}

} // namespace

FileCommands::FileCommands(Window& window, const ClientEnvironment& env, GearDocument& document,
                           DocumentSettings& settings, AppSettings& appSettings,
                           const FileLocations& files, QObject* owner)
    : window_(window), env_(env), prompts_(*env.prompts), document_(document), settings_(settings),
      session_(*this, document, settings, appSettings, files, env.currentFolder),
      handheld_{document, prompts_, env.hotSyncRegistry, env.currentFolder} {
    // Choose the settings file and the document from the last one, reading or migrating the
    // three list colours.
    if (const auto ec = appSettings.load()) {
        prompts_.showMessage(unreadableSettingsMessage(appSettings.path(), ec.message()));
    }
    // A list named on the command line is the user's choice: the last one is not read.
    if (!env_.namedDocument) {
        session_.chooseStartupDocument(*env_.settingsRegistry);
    }
    recovery_ = new RecoveryKeeper(
        env_.recoveryFolder, document_, [this] { return beginRecoveryCopy(); }, owner);
}

void FileCommands::setupWindow() {
    if (env_.namedDocument) {
        openChosen(*env_.namedDocument);
        return;
    }
    window_.documentRenamed();
    const auto failed = session_.migrateOnFirstStart(*env_.settingsRegistry,
                                                     [this] { return window_.askMetric(); });
    if (failed) {
        prompts_.showMessage(*failed);
    }
    readSettingsAndDocument();
    offerRecoveryCopy();
    window_.refreshButtons();
    window_.applyPlacement();
}

void FileCommands::readSettingsAndDocument() {
    const std::vector<UserMessage> messages = session_.read();
    window_.applyColumns();
    for (const UserMessage& message : messages) {
        prompts_.showMessage(message);
    }
    window_.documentShown();
    recovery_->clean();
}

std::filesystem::path FileCommands::recoveryPath() const {
    return recoveryDocumentPath(session_.writeTarget(), env_.currentFolder);
}

std::optional<RecoveryFile> FileCommands::beginRecoveryCopy() {
    // A hide view holds part of the list; a handheld list is saved to another file.
    if (document_.hideViewActive() || document_.handheldDocument) {
        return std::nullopt;
    }
    window_.collectColumns();
    return RecoveryFile::begin(recoveryPath(), document_, settings_);
}

void FileCommands::offerRecoveryCopy() {
    const auto copy = recovery_->offer(recoveryPath(), prompts_);
    if (!copy) {
        return;
    }
    session_.resetDocument();
    const FileOutcome outcome = copy->restoreInto(document_, settings_);
    window_.applyColumns();
    if (const auto message = outcome.message()) {
        prompts_.showMessage(*message);
    }
    window_.documentShown();
    // The copy stays until the document is saved: it still holds these edits.
    recovery_->clean();
}

void FileCommands::writeRecoveryNow() {
    recovery_->writeNow();
}

void FileCommands::discardRecoveryCopy() {
    recovery_->discard(recoveryPath());
}

void FileCommands::documentSaved() {
    // The edits no longer need the copy, under the old name or the new.
    recovery_->discard(recoveryPath());
}

bool FileCommands::refuseWhileHidden(std::string_view doing) {
    return prompts_.refused(hideViewRefusal(document_, doing));
}

bool FileCommands::canClose() {
    return !refuseWhileHidden("closing");
}

void FileCommands::saveForHandheld() {
    if (!document_.handheldDocument || refuseWhileHidden("saving")) {
        return;
    }
    if (handheldSaveConfirmed(handheld_)) {
        session_.saveForHandheld();
    }
}

void FileCommands::newDocument() {
    window_.leaveHideViews();
    discardRecoveryCopy();
    session_.newDocument();
    window_.documentRenamed();
    window_.documentShown();
    window_.refreshButtons();
    recovery_->clean();
}

void FileCommands::openDocument(const std::filesystem::path& name) {
    session_.resetDocument();
    session_.setDocumentName(name);
    readSettingsAndDocument();
    offerRecoveryCopy();
    window_.documentRenamed();
    window_.applyPlacement();
    window_.refreshButtons();
}

void FileCommands::open() {
    const auto chosen = prompts_.openFileName(QStringLiteral("Open a Gear Weight Data File"),
                                              QString::fromLatin1(kFileFilter));
    if (!chosen) {
        return;
    }
    const std::filesystem::path name = toPath(*chosen);
    std::error_code ec;
    if (!std::filesystem::exists(name, ec)) {
        prompts_.message(*chosen, QStringLiteral("File Does Not Exist!"), MessageIcon::Exclamation,
                         PromptButtons::Ok);
        return;
    }
    // The whole document, not the part a hide view shows, is what gets saved and replaced.
    window_.leaveHideViews();
    if (!session_.saveBeforeOpening(chosen->toStdString())) {
        return; // not saved: the document stays open
    }
    discardRecoveryCopy();
    openChosen(name);
}

void FileCommands::openChosen(const std::filesystem::path& name) {
    {
        WaitCursor wait(prompts_);
        openDocument(name);
    }
    session_.addRecentFile();
}

void FileCommands::save() {
    if (refuseWhileHidden("saving")) {
        return;
    }
    session_.save();
}

void FileCommands::saveAs() {
    if (document_.handheldDocument) {
        return; // the list would go to the HotSync folder and the window read back nothing
    }
    if (refuseWhileHidden("saving")) {
        return;
    }
    const auto chosen = prompts_.saveFileName(QStringLiteral("Save Current Configuration As..."),
                                              QString::fromLatin1(kFileFilter));
    if (!chosen) {
        return;
    }
    // Nothing changes until the list is written: a failed write leaves the document, its name
    // and the last-file entry as they were.
    if (!session_.saveAs(toPath(*chosen))) {
        return;
    }
    window_.documentRenamed();
    {
        // Reading back shows exactly what was written.
        WaitCursor wait(prompts_);
        session_.resetDocument();
        readSettingsAndDocument();
    }
    window_.refreshButtons();
    session_.addRecentFile();
}

void FileCommands::openRecent(const QString& name) {
    window_.leaveHideViews();
    if (!session_.saveBeforeOpening(std::nullopt)) {
        return;
    }
    discardRecoveryCopy();
    openDocument(toPath(name));
    session_.addRecentFile();
}

} // namespace varnel
