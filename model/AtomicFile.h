#pragma once
// Replaces a file only once its new contents are safely on disk.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace varnel {

// Writes `bytes` to a temporary file beside `path`, syncs it and renames it over `path`. A
// symbolic link is followed, so its target is replaced and the link stays; the old file's
// permissions (and, where allowed, owner) are kept. A folder, FIFO or device in the way is
// refused, never replaced. On failure the temporary is removed, the
// previous file is left as it was, and the operating system's text for the error is returned.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& path,
                                               std::string_view bytes);

// The same, keeping the operating system's error code.
std::error_code replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Where the previous version of `file` is kept: its name with ".bak" added.
std::filesystem::path backupPath(const std::filesystem::path& file);

// Errors to raise on purpose at the steps of replaceFileKeepingBackup, as if the system had
// refused them (0: none). Tests use them for the failures no file system gives on demand.
struct ReplaceFaults {
    int writeTemporary = 0;
    int linkPrevious = 0; // then the previous version is copied instead
    int copyPrevious = 0;
    int replace = 0;
    int storeBackup = 0;
};

struct BackupOutcome {
    std::error_code error;
    // The file the error is about, when it is not the one being replaced.
    std::filesystem::path where;
    // The new contents are in place; only keeping the previous version as the backup failed.
    bool replaced = false;
    // Then the previous version is still here.
    std::filesystem::path keptAt;

    [[nodiscard]] bool ok() const { return !error; }
    // What the user is told: the system's text, after the file it is about when that is not the
    // one being replaced.
    [[nodiscard]] std::string message() const;
};

// As replaceFileAtomically, and the version replaced becomes backupPath(file) beside it (after
// the link is followed), replacing an older backup. The new contents are written and synced
// first, the previous ones then get a second name, then the file is replaced, then that second
// name becomes the backup: any failure before the replacement leaves the file and its backup as
// they were. Saving the contents the file already holds leaves the backup alone. A folder or
// FIFO where the backup goes stops the save before anything changes.
BackupOutcome replaceFileKeepingBackup(const std::filesystem::path& path, std::string_view bytes,
                                       const ReplaceFaults& faults = {});

} // namespace varnel
