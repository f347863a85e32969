#pragma once
// The open document's life: which file it is, reading it, saving it (on command, before another
// is opened, at exit, to the HotSync folder), the last file and the recent files. It shows
// nothing: questions and messages go to its host, which the window implements with its prompts.

#include "model/AppSettings.h"
#include "model/DocumentSettings.h"
#include "model/FileLocations.h"
#include "model/FileOutcome.h"
#include "model/FileStamp.h"
#include "model/GearDocument.h"
#include "model/RegistrySource.h"
#include "model/UserMessage.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

class DocumentSession {
public:
    // Where a save of the document's own file happens; the changed-on-disk question offers what
    // fits there.
    enum class SaveStep { Save, BeforeOpen, Exit };

    // A handheld document's list goes to the HotSync folder, not to the document's file.
    enum class HandheldWrite {
        Written,
        Kept,       // the user chose to leave the file there as it is
        NotWritten, // said to the user, or the folder prompt cancelled
        Cancelled,  // the user chose to go back
    };

    class Host {
    public:
        virtual ~Host() = default;
        virtual PromptAnswer ask(const UserQuestion& question) = 0;
        virtual void show(const UserMessage& message) = 0;
        // Before a write: the settings brought up to what the window shows.
        virtual void collectSettings() {}
        // Before the document is emptied: no undo step may reach its rows after.
        virtual void documentResetting() {}
        // The list is on disk under the current name (or the new one a Save As gives).
        virtual void documentSaved() {}
        virtual void recentFilesUpdated() {}
        // The handheld file in the registered HotSync folder, or asked for; empty when there is
        // none (said to the user). `asked` tells whether the folder prompt was shown.
        virtual std::filesystem::path handheldFile(bool& asked) = 0;
        virtual std::filesystem::path askHandheldFolder() = 0;
        // False when the file could not be made (said to the user).
        virtual bool writeHandheld(const std::filesystem::path& file) = 0;
    };

    DocumentSession(Host& host, GearDocument& document, DocumentSettings& settings,
                    AppSettings& appSettings, const FileLocations& files,
                    std::filesystem::path currentFolder);

    // The last document and its settings file, from the program's settings or the old registry
    // key, with the list colours kept there.
    void chooseStartupDocument(const RegistrySource& registry);
    // On the first start the old settings come over, `askMetric` choosing the unit when there are
    // none; what to tell the user when they could not be written.
    std::optional<UserMessage> migrateOnFirstStart(const RegistrySource& registry,
                                                   const std::function<bool()>& askMetric);

    [[nodiscard]] const std::filesystem::path& documentName() const { return documentName_; }
    // Nothing is read: the next read() reads it.
    void setDocumentName(std::filesystem::path name) { documentName_ = std::move(name); }
    // Where writing the document's own file goes.
    [[nodiscard]] std::filesystem::path writeTarget() const;

    // Another document, or this one read back.
    void resetDocument();
    // Reads the document and its settings; returns what to tell the user once they are shown.
    std::vector<UserMessage> read();
    // An empty document named "Untitled.dat" in the document folder.
    void newDocument();

    // False when the caller must stop: not saved.
    bool save();
    // Asks whether to save before another file (named when given) is opened, and does; false
    // when the user went back or the save failed.
    bool saveBeforeOpening(const std::optional<std::string>& other);
    // The save after the handheld check; the handheld file, not the document, becomes recent.
    bool saveForHandheld() { return writeDocument(documentName_, SaveStep::Save); }
    // Nothing changes unless the list is written: then the document has the new name.
    bool saveAs(const std::filesystem::path& name);
    // The document is written when the window goes, asking only when a file would be lost;
    // false when the user chose to stay.
    bool writeOnExit();
    HandheldWrite writeHandheld();

    // The document's name at the top of the recent files.
    void addRecentFile() { addRecentFile(documentName_); }

private:
    bool writeDocument(const std::filesystem::path& name, SaveStep step);
    // Writes the document under `name` (data, settings, last file); nothing is shown.
    FileOutcome writeDocumentAs(const std::filesystem::path& name);
    bool writeHandheldOnExit();
    PromptAnswer askToReplaceCutShortFile(const std::filesystem::path& target);
    void rememberOnDisk(const std::filesystem::path& file);
    // When that file changed since, asks whether to save over it; nothing when it has not.
    std::optional<PromptAnswer> askIfChangedOnDisk(const std::filesystem::path& target,
                                                   SaveStep step);
    void addRecentFile(const std::filesystem::path& name);

    Host& host_;
    GearDocument& document_;
    DocumentSettings& settings_;
    AppSettings& appSettings_;
    const FileLocations& files_;
    std::filesystem::path currentFolder_;
    std::filesystem::path documentName_;
    std::filesystem::path settingsFile_;
    bool firstStart_ = false;
    // The file the document was read from when that file was cut short or refused, until it is
    // written on purpose; the exit and handheld writes ask before they replace it.
    std::filesystem::path cutShortFile_;
    std::string cutShortWhy_;
    // The document file as last read or written here, to notice another program's write.
    std::filesystem::path stampedFile_;
    FileStamp diskStamp_;
};

} // namespace varnel
