#include "output/HotSyncFolder.h"

#include <fstream>
#include <string>
#include <system_error>

namespace varnel {

namespace {

constexpr const char* kApplicationName = "Varnel";

UserMessage noPathMessage() {
    return {"Could not locate Palm Desktop folder path", kApplicationName, MessageIcon::Stop};
}

UserMessage invalidFolderMessage() {
    return {"Possibly invalid path.\nPlease make sure path is correct and that specified folder "
            "exists",
            kApplicationName, MessageIcon::Stop};
}

} // namespace

std::filesystem::path hotSyncFilePath(const std::filesystem::path& folder) {
    return folder / kHandheldFileName;
}

HotSyncLookup lookUpHotSyncFile(const RegistryKey* key) {
    HotSyncLookup lookup;
    if (!key) {
        lookup.result = HotSyncLookup::Result::AskFolder;
        return lookup;
    }
    const std::optional<std::string> folder = key->string(kHotSyncPathValue);
    // The value is stored with its NUL; what follows one is not part of the folder.
    const std::string_view text =
        folder ? std::string_view(*folder).substr(0, folder->find('\0')) : std::string_view();
    if (text.empty()) {
        lookup.result = HotSyncLookup::Result::NoPath;
        lookup.message = noPathMessage();
        return lookup;
    }
    lookup.result = HotSyncLookup::Result::Found;
    lookup.file = hotSyncFilePath(std::filesystem::path(text));
    return lookup;
}

HotSyncFolderCheck checkHotSyncFolder(const std::filesystem::path& typed) {
    HotSyncFolderCheck check;
    if (typed.empty()) {
        check.message = invalidFolderMessage();
        return check;
    }
    const std::filesystem::path file = hotSyncFilePath(typed);
    std::error_code ec;
    const bool existed = std::filesystem::exists(std::filesystem::symlink_status(file, ec));
    bool made = false;
    {
        // Appending creates a missing file and leaves one that is there untouched.
        std::ofstream out(file, std::ios::binary | std::ios::app);
        made = out.is_open();
    }
    if (!made) {
        check.message = invalidFolderMessage();
        return check;
    }
    if (!existed) {
        std::filesystem::remove(file, ec);
    }
    check.file = file;
    return check;
}

} // namespace varnel
