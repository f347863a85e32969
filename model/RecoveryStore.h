#pragma once
// The folder of recovery copies ($XDG_STATE_HOME/varnel/): one copy per document, named from the
// document's full path, and the copies kept aside when the user chose not to restore them.

#include "model/RecoveryFile.h"
#include "model/UserMessage.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace varnel {

// Where the copies go, from the environment's $XDG_STATE_HOME and $HOME (either may be null or
// empty); a relative $XDG_STATE_HOME is ignored, as the desktop's rules say. Empty when neither
// gives a place.
std::filesystem::path recoveryFolder(const char* xdgStateHome, const char* home);

// A document's name as one full path: relative to `currentFolder`, links and "." resolved, so
// that two spellings of one file find the same copy.
std::filesystem::path recoveryDocumentPath(const std::filesystem::path& document,
                                           const std::filesystem::path& currentFolder);

// A copy found for a document at start or on opening it.
struct RecoveryFound {
    enum class Status { None, Readable, Unreadable };
    Status status = Status::None;
    std::filesystem::path file;
    RecoveryFile copy; // Readable
    std::string why;   // Unreadable
    // The document file was written after the copy was taken.
    bool documentChanged = false;
    // Where the copy goes when it is not restored.
    std::filesystem::path keepAt;

    // Yes restores the copy; No keeps it aside at `keepAt`.
    [[nodiscard]] UserMessage question() const;
    // A copy that cannot be read is kept aside all the same.
    [[nodiscard]] UserMessage unreadableMessage() const;
};

class RecoveryStore {
public:
    explicit RecoveryStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

    [[nodiscard]] const std::filesystem::path& folder() const { return folder_; }

    // The copy of `document` (a full path): its file name, then a hash of the whole path.
    [[nodiscard]] std::filesystem::path fileFor(const std::filesystem::path& document) const;

    // Through the safe writer; the folder is made (for the user alone) when missing.
    std::error_code write(const RecoveryFile& copy) const;
    // The copy of `document`, if any; nothing else is touched.
    std::error_code remove(const std::filesystem::path& document) const;

    [[nodiscard]] RecoveryFound find(const std::filesystem::path& document) const;
    // Renames the copy found to found.keepAt.
    std::error_code keepAside(const RecoveryFound& found) const;

private:
    std::filesystem::path folder_;
};

} // namespace varnel
