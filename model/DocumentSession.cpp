#include "model/DocumentSession.h"

#include "model/AtomicFile.h"
#include "model/DocumentFiles.h"
#include "model/ItemEditing.h"
#include "model/SettingsMigration.h"
#include "model/StartupFiles.h"
#include "model/Windows1252.h"

#include <system_error>
#include <utility>

namespace varnel {

namespace {

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    if (a.empty() || b.empty()) {
        return false;
    }
    std::error_code ec;
    return a.lexically_normal() == b.lexically_normal() || std::filesystem::equivalent(a, b, ec);
}

UserQuestion question(std::string text, const char* caption, MessageIcon icon,
                      PromptButtons buttons) {
    return {{std::move(text), caption, icon}, buttons};
}

} // namespace

DocumentSession::DocumentSession(Host& host, GearDocument& document, DocumentSettings& settings,
                                 AppSettings& appSettings, const FileLocations& files,
                                 std::filesystem::path currentFolder)
    : host_(host), document_(document), settings_(settings), appSettings_(appSettings),
      files_(files), currentFolder_(std::move(currentFolder)) {}

void DocumentSession::chooseStartupDocument(const RegistrySource& registry) {
    StartupFiles files = chooseStartupFiles(files_, registry);
    settingsFile_ = files.settingsFile;
    firstStart_ = !files.settingsExisted;
    documentName_ = files.documentFile;
    settings_.backColor = files.backColor;
    settings_.altColor = files.altColor;
    settings_.groupColor = files.groupColor;
}

std::optional<UserMessage>
DocumentSession::migrateOnFirstStart(const RegistrySource& registry,
                                     const std::function<bool()>& askMetric) {
    if (!firstStart_) {
        return std::nullopt;
    }
    firstStart_ = false;
    IniFile ini;
    (void)ini.load(settingsFile_);
    migrateSettings(registry, ini, settings_, askMetric);
    if (const auto ec = ini.save(settingsFile_)) {
        return writeErrorMessage(ec.message());
    }
    return std::nullopt;
}

std::filesystem::path DocumentSession::writeTarget() const {
    return varnel::writeTarget(documentName_, documentName_, currentFolder_);
}

void DocumentSession::resetDocument() {
    host_.documentResetting();
    document_.handheldDocument = false;
    document_.handheldBlock.clear();
    document_.resetCollections();
    document_.clearForReload();
}

std::vector<UserMessage> DocumentSession::read() {
    // Before the read: a write that comes during it counts as a change.
    rememberOnDisk(documentName_);
    const FileOutcome outcome =
        readDocumentWithSettings(documentName_, currentFolder_, document_, settings_);
    std::vector<UserMessage> messages;
    if (auto message = outcome.settingsMessage()) {
        messages.push_back(std::move(*message));
    }
    if (auto message = outcome.message()) {
        messages.push_back(std::move(*message));
    }
    cutShortFile_.clear();
    if (auto message = outcome.truncationMessage(documentName_.string())) {
        messages.push_back(std::move(*message));
        cutShortFile_ = documentName_;
        cutShortWhy_ = "was cut short when it was opened";
    } else if (!outcome.ok() && outcome.status != FileOutcome::Status::CannotOpen) {
        // A file that is there but is no gear list (or cannot be read) is the user's: the empty
        // list shown must not replace it unasked.
        cutShortFile_ = documentName_;
        cutShortWhy_ = "could not be read as a gear list";
    }
    return messages;
}

void DocumentSession::newDocument() {
    resetDocument();
    cutShortFile_.clear();
    documentName_ = files_.documentFolder / "Untitled.dat";
    rememberOnDisk(documentName_);
}

FileOutcome DocumentSession::writeDocumentAs(const std::filesystem::path& name) {
    host_.collectSettings();
    const auto target = varnel::writeTarget(name, name, currentFolder_);
    // A folder that cannot be made fails the write below, which tells why.
    (void)files_.makeFolderFor(target);
    FileOutcome outcome =
        writeDocumentFiles(target, name, document_, settings_, appSettings_, currentFolder_);
    // A handheld list is not written there but to the HotSync folder.
    if (outcome.ok() && !document_.handheldDocument && target == cutShortFile_) {
        cutShortFile_.clear(); // written as shown, on purpose
    }
    if (outcome.ok() || outcome.partial) {
        rememberOnDisk(target);
        host_.documentSaved();
    }
    return outcome;
}

void DocumentSession::rememberOnDisk(const std::filesystem::path& file) {
    stampedFile_ = file;
    diskStamp_ = FileStamp::of(file);
}

std::optional<PromptAnswer> DocumentSession::askIfChangedOnDisk(const std::filesystem::path& target,
                                                                SaveStep step) {
    // A handheld document's file is not written at exit; a file gone since, or a folder in its
    // place, is not replaced (the save says why).
    if (document_.handheldDocument || target != stampedFile_) {
        return std::nullopt;
    }
    const FileStamp now = FileStamp::of(target);
    if (!now.regular || now == diskStamp_) {
        return std::nullopt;
    }
    const char* no = step == SaveStep::Exit   ? "quit and leave the file as it is"
                     : step == SaveStep::Save ? "leave the file as it is"
                                              : "leave the file as it is and open the other one";
    return host_.ask(question(
        target.string() +
            " has changed on disk since Varnel read or saved it: another program or another "
            "copy of Varnel has written it.\n\nSave the " +
            std::to_string(itemCount(document_)) +
            " items shown over it? What it holds now is kept in " + backupPath(target).string() +
            ". Choose No to " + no + ".",
        "Varnel", MessageIcon::Question,
        step == SaveStep::Save ? PromptButtons::YesNo : PromptButtons::YesNoCancel));
}

bool DocumentSession::writeDocument(const std::filesystem::path& name, SaveStep step) {
    if (const auto changed =
            askIfChangedOnDisk(varnel::writeTarget(name, name, currentFolder_), step)) {
        if (*changed != PromptAnswer::Yes) {
            // Their file stays; only the save before Open goes on to the other file.
            return *changed == PromptAnswer::No && step == SaveStep::BeforeOpen;
        }
    }
    const FileOutcome outcome = writeDocumentAs(name);
    if (const auto message = outcome.message()) {
        host_.show(*message);
    }
    if (document_.handheldDocument) {
        const HandheldWrite written = writeHandheld();
        return written == HandheldWrite::Written || written == HandheldWrite::Kept;
    }
    // The list itself on disk is what counts; a settings file left alone was said above.
    return outcome.ok() || outcome.partial;
}

bool DocumentSession::save() {
    if (!writeDocument(documentName_, SaveStep::Save)) {
        return false;
    }
    addRecentFile(documentName_);
    return true;
}

bool DocumentSession::saveBeforeOpening(const std::optional<std::string>& other) {
    const std::string text =
        other ? "Save " + documentName_.string() + " before opening " + *other + " ?"
              : "Save " + documentName_.string() + " ?";
    const PromptAnswer answer = host_.ask(
        question(text, "Save Current File", MessageIcon::Question, PromptButtons::YesNoCancel));
    if (answer == PromptAnswer::Cancel) {
        return false;
    }
    return answer != PromptAnswer::Yes || writeDocument(documentName_, SaveStep::BeforeOpen);
}

bool DocumentSession::saveAs(const std::filesystem::path& name) {
    if (!writeDocument(name, SaveStep::Save)) {
        return false;
    }
    documentName_ = name;
    return true;
}

PromptAnswer DocumentSession::askToReplaceCutShortFile(const std::filesystem::path& target) {
    return host_.ask(
        question(target.string() + " " + cutShortWhy_ + ": saving now replaces it with the " +
                     std::to_string(itemCount(document_)) + " items shown.\n\nSave over it?",
                 "Varnel", MessageIcon::Question, PromptButtons::YesNoCancel));
}

bool DocumentSession::writeOnExit() {
    if (document_.handheldDocument) {
        return writeHandheldOnExit();
    }
    const std::filesystem::path target = writeTarget();
    if (const auto changed = askIfChangedOnDisk(target, SaveStep::Exit)) {
        if (*changed == PromptAnswer::Cancel) {
            return false;
        }
        if (*changed == PromptAnswer::No) {
            return true; // the other program's file stays
        }
    } else if (!cutShortFile_.empty() && target == cutShortFile_) {
        const PromptAnswer answer = askToReplaceCutShortFile(target);
        if (answer == PromptAnswer::Cancel) {
            return false;
        }
        if (answer == PromptAnswer::No) {
            return true; // the file stays as it is
        }
    }
    const FileOutcome outcome = writeDocumentAs(documentName_);
    if (outcome.ok()) {
        return true;
    }
    if (outcome.partial) {
        host_.show(*outcome.message()); // the list is saved; its settings are not
        return true;
    }
    // An operating-system text that is not UTF-8 is in the system's code page.
    const std::string& why = outcome.reason;
    // The edits exist only in this window now: the user decides whether they go.
    return host_.ask(question("The gear list could not be saved to " + target.string() + ":\n" +
                                  (isValidUtf8(why) ? why : windows1252ToUtf8(why)) +
                                  "\n\nIt is not saved. Quit anyway and lose the changes? "
                                  "Choose No to go back, then save it elsewhere with Save As.",
                              "Error", MessageIcon::Exclamation, PromptButtons::YesNo)) ==
           PromptAnswer::Yes;
}

DocumentSession::HandheldWrite DocumentSession::writeHandheld() {
    bool asked = false;
    std::filesystem::path file = host_.handheldFile(asked);
    for (;;) {
        // A registered folder without its path, or one that cannot take the file, fails the same
        // way every time: the user names another, once per save.
        if (file.empty() && !asked) {
            file = host_.askHandheldFolder();
            asked = true;
        }
        if (file.empty()) {
            return HandheldWrite::NotWritten;
        }
        const bool overCutShort = sameFile(file, cutShortFile_);
        if (overCutShort) {
            const PromptAnswer answer = askToReplaceCutShortFile(file);
            if (answer == PromptAnswer::Cancel) {
                return HandheldWrite::Cancelled;
            }
            if (answer == PromptAnswer::No) {
                return HandheldWrite::Kept;
            }
        }
        if (host_.writeHandheld(file)) {
            if (overCutShort) {
                cutShortFile_.clear(); // written as shown, on purpose
            }
            addRecentFile(file);
            return HandheldWrite::Written;
        }
        file.clear();
    }
}

bool DocumentSession::writeHandheldOnExit() {
    // The settings and the last file as for any document; the list goes to the HotSync folder.
    if (const auto message = writeDocumentAs(documentName_).message()) {
        host_.show(*message);
    }
    switch (writeHandheld()) {
    case HandheldWrite::Written:
    case HandheldWrite::Kept:
        return true;
    case HandheldWrite::Cancelled:
        return false;
    case HandheldWrite::NotWritten:
        break;
    }
    // The edits exist only in this window now: the user decides whether they go.
    return host_.ask(question("The gear list was not saved to the HotSync folder. Quit anyway "
                              "and lose the changes? Choose No to go back, then save it with "
                              "\"Save the file for syncing with Palm device\" on the File menu.",
                              "Varnel", MessageIcon::Exclamation, PromptButtons::YesNo)) ==
           PromptAnswer::Yes;
}

void DocumentSession::addRecentFile(const std::filesystem::path& name) {
    appSettings_.addRecentFile(name.string());
    (void)appSettings_.save();
    host_.recentFilesUpdated();
}

} // namespace varnel
