#pragma once
// How reading or writing a file went, and the message box the user sees for it.

#include "model/UserMessage.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace varnel {

struct FileOutcome {
    enum class Status {
        Ok,
        CannotOpen, // missing: silent when a list is opened; the command line says so
        Refused,    // there but unreadable (a FIFO, a folder, no permission): always said
        NotVarnel,
        Version3,
        Failed, // a write that did not go through, or only in part
    };

    // What was being done: each tells its failures in its own way.
    enum class Task {
        Read,     // a gear data file (or a recovery copy of one)
        Import,   // a LighterPack CSV
        Save,     // the list and the files beside it
        Export,   // a report or export file
        Handheld, // the handheld data file
    };

    Status status = Status::Ok;
    Task task = Task::Read;
    // The file the outcome is about: for a failed save the one that failed, which need not be
    // the list itself; for an export the name as the user gave it.
    std::filesystem::path file;
    // The operating system's error, when it gave one.
    std::error_code error;
    // What the user is told of the failure: the system's text, for a save with the file it is
    // about when that is not the list.
    std::string reason;

    // Reads. The file ended inside a record, or a count promised more than it held: what came
    // before was read, the rest is gone from this copy.
    bool truncated = false;
    std::size_t itemsRead = 0;
    // The settings file beside the document when it is there but could not be read; it is then
    // never written over (see writeDocumentFiles).
    std::filesystem::path settingsFile;
    std::string settingsReason;

    // Writes. The main file was written; only a companion (settings, the last-file entry, the
    // backup) failed.
    bool partial = false;
    // A replacement that keeps a backup: the new contents are in place, and when only keeping
    // the previous version failed, that version is still at `keptAt`.
    bool replaced = false;
    std::filesystem::path keptAt;

    [[nodiscard]] bool ok() const { return status == Status::Ok; }

    // A write of `file` for `task` that ends with `error` (none: it went through).
    static FileOutcome written(Task task, const std::filesystem::path& file, std::error_code error);

    [[nodiscard]] std::optional<UserMessage> message() const;
    // Said once when a cut-short file is opened; `fileName` as the user knows it.
    [[nodiscard]] std::optional<UserMessage> truncationMessage(const std::string& fileName) const;
    [[nodiscard]] std::optional<UserMessage> settingsMessage() const;
};

// The messages of file outcomes, for the callers that tell one without an outcome too.
UserMessage notVarnelMessage();
UserMessage version3Message();
UserMessage cannotReadMessage(const std::string& fileName, const std::string& why,
                              const std::string& caption = "Varnel");
UserMessage unreadableSettingsMessage(const std::filesystem::path& settings,
                                      const std::string& why);
// A write that failed, told by `text` alone.
UserMessage writeErrorMessage(const std::string& text);
// An export file that could not be written, told by its name.
UserMessage unableToOpenMessage(const std::string& fileName);
UserMessage handheldNotCreatedMessage();

} // namespace varnel
