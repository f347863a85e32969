#pragma once
// Where the handheld data file goes: the HotSync folder the registry names, or one the user
// types. The registry and the prompt are the caller's; these are the decisions between them.
//
// FindHotSyncFile, on the Qt side:
//   key = open kHotSyncRegistryKey (current user, read);  // null when it cannot be opened
//   lookup = lookUpHotSyncFile(key.get());
//   Found      -> lookup.file
//   NoPath     -> show *lookup.message, no file
//   AskFolder  -> AskHotSyncFolder: input dialog kHotSyncPromptCaption / kHotSyncPrompt, empty
//                 text; Cancel -> no file; OK -> check = checkHotSyncFolder(typed):
//                 a message -> show it, no file, nothing registered;
//                 otherwise  -> set kHotSyncPathValue to `typed` exactly as typed, check.file.

#include "model/RegistryKey.h"
#include "model/UserMessage.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace varnel {

// Under the current user's root.
inline constexpr std::string_view kHotSyncRegistryKey = "Software\\Ostrand\\Varnel\\HotSync";
inline constexpr std::string_view kHotSyncPathValue = "Path";
inline constexpr std::string_view kHandheldFileName = "PalmData.dat";
inline constexpr std::string_view kHotSyncPromptCaption = "Enter HotSync Path for Varnel";
inline constexpr std::string_view kHotSyncPrompt =
    "HotSync Path (i.e., C:\\Palm\\MyUserName\\Varnel)";

// The handheld data file in `folder`, joined with the native separator.
std::filesystem::path hotSyncFilePath(const std::filesystem::path& folder);

struct HotSyncLookup {
    enum class Result {
        Found,     // `file` is the handheld data file in the registered folder
        AskFolder, // no key: ask the user for the folder
        NoPath,    // a key without a usable "Path": show `message`, write nothing
    };
    Result result = Result::AskFolder;
    std::filesystem::path file;
    std::optional<UserMessage> message;
};

// The registered folder from the opened key, or null when the key cannot be opened. An empty
// "Path" names no folder.
HotSyncLookup lookUpHotSyncFile(const RegistryKey* key);

struct HotSyncFolderCheck {
    std::filesystem::path file;         // when usable
    std::optional<UserMessage> message; // when not: "Possibly invalid path..."
    [[nodiscard]] bool usable() const { return !message; }
};

// Whether the handheld data file can be made in the folder the user typed. The file is tried
// without emptying one that is there, and a file made only for the try is removed again. An
// empty answer names no folder.
HotSyncFolderCheck checkHotSyncFolder(const std::filesystem::path& typed);

} // namespace varnel
