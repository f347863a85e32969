#include "model/FileLocations.h"

#include "model/AppSettings.h"

namespace varnel {

namespace {

namespace fs = std::filesystem;

// A relative XDG folder is to be ignored, as if it were not set.
fs::path absoluteOrEmpty(const fs::path& folder) {
    return folder.is_absolute() ? folder : fs::path();
}

bool isFileIn(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    return fs::exists(folder / name, ec);
}

// Each missing folder on the way is made; a private one for the user alone, as the XDG folders
// are meant to be, otherwise as the umask says.
std::error_code makeFolders(const fs::path& folder, bool privateFolder) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) {
        return {};
    }
    const fs::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder) {
        if (const auto failed = makeFolders(parent, privateFolder)) {
            return failed;
        }
    }
    if (fs::create_directory(folder, ec) && privateFolder) {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, ec);
    }
    return ec;
}

} // namespace

FileLocations FileLocations::inCurrentFolder(const fs::path& folder) {
    FileLocations files;
    files.currentFolder = folder;
    files.settingsFolder = folder;
    files.documentFolder = folder;
    return files;
}

std::error_code FileLocations::makeFolderFor(const fs::path& file) const {
    const fs::path folder = file.parent_path().lexically_normal();
    if (makeSettingsFolder && folder == settingsFolder.lexically_normal()) {
        return makeFolders(folder, true);
    }
    if (makeDocumentFolder && folder == documentFolder.lexically_normal()) {
        return makeFolders(folder, false);
    }
    return {};
}

FileLocations locateFiles(const UserFolders& user) {
    FileLocations files = FileLocations::inCurrentFolder(user.current);
    const fs::path home = absoluteOrEmpty(user.home);

    if (!isFileIn(user.current, AppSettings::kFileName)) {
        fs::path config = absoluteOrEmpty(user.configHome);
        if (config.empty() && !home.empty()) {
            config = home / ".config";
        }
        if (!config.empty()) {
            files.settingsFolder = config / "varnel";
            files.makeSettingsFolder = true;
        }
    }

    // Settings without their list count too: they are the user's, and stay found.
    if (!isFileIn(user.current, "GearData.dat") && !isFileIn(user.current, "GearData.ini")) {
        fs::path documents = absoluteOrEmpty(user.documents);
        if (documents.empty() && !home.empty()) {
            documents = home / "Documents";
        }
        if (!documents.empty()) {
            files.documentFolder = documents / "Varnel";
            files.makeDocumentFolder = true;
        }
    }
    return files;
}

} // namespace varnel
