#pragma once
// Replaces a file only once its new contents are safely on disk.

#include "model/FileOutcome.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace varnel {

// Every writer here follows the rule of the shell's `>`: it writes where `echo x > FILE` would
// and refuses where that would be refused. A file that is there but may not be written (made
// read-only, on a read-only mount) is refused with the system's error. Where the folder lets a
// new file take the old one's name, the bytes go to a temporary file beside it, synced, and
// renamed over it, keeping its permissions and owner; a symbolic link is followed, so its target
// is replaced and the link stays. A file we may write in a folder that does not allow that (or
// whose owner a new file could not keep) is written into in place. On failure the previous
// file is left as it was and the temporary removed.

// Writes a document's file: a folder, FIFO or device in its place is refused, never replaced.
// A file that already holds `bytes` counts as written even where it may not be written.
// Returns the operating system's text for the error.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& path,
                                               std::string_view bytes);

// The same, keeping the operating system's error code.
std::error_code replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Writes an export or a report. A pipe, terminal or device (/dev/null) is written straight
// into, and a name for one of this process's open descriptors (/dev/stdout, /dev/fd/N,
// /proc/self/fd/N) is written through that descriptor, where it stands: neither is ever
// reopened over or renamed over, so a log that standard output goes to keeps what it holds.
std::error_code writeOutputFile(const std::filesystem::path& path, std::string_view bytes);

// All of `bytes` into an open descriptor, such as standard output for "-".
std::error_code writeToDescriptor(int fd, std::string_view bytes);

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

// As replaceFileAtomically, and the version replaced becomes backupPath(file) beside it (after
// the link is followed), replacing an older backup. The new contents are written and synced
// first, the previous ones then get a second name, then the file is replaced, then that second
// name becomes the backup: any failure before the replacement leaves the file and its backup as
// they were. Saving the contents the file already holds leaves the backup alone. A folder or
// FIFO where the backup goes stops the save before anything changes. Where the file can only be
// written in place, its previous version is written into the backup first (made if the folder
// allows); a list that cannot keep its backup is not written. The outcome is a save's: its
// reason names the file it is about when that is not the one being replaced, and a backup that
// could not take its name after the replacement makes it partial, with the previous version at
// keptAt.
FileOutcome replaceFileKeepingBackup(const std::filesystem::path& path, std::string_view bytes,
                                     const ReplaceFaults& faults = {});

} // namespace varnel
