#include "model/AppSettings.h"

#include <algorithm>

namespace varnel {

AppSettings::AppSettings(const std::filesystem::path& folder)
    : AppSettings(FileLocations::inCurrentFolder(folder)) {}

AppSettings::AppSettings(const FileLocations& files)
    : files_(files), path_(files.settingsFolder / kFileName) {}

std::span<const SettingRow<AppSettings>> AppSettings::rows() {
    // The recent files are File1 (most recent) to File4. Names are compared exactly: two
    // spellings of a name on a case-sensitive file system are two files.
    static constexpr SettingRow<AppSettings> table[] = {
        {.section = "LASTFILE",
         .key = "FILE",
         .kind = SettingKind::Text,
         .member = &AppSettings::lastFile_,
         .missing = Missing::Empties},
        {.section = "MRU",
         .key = "File",
         .kind = SettingKind::TextList,
         .member = &AppSettings::recentFiles_,
         .missing = Missing::Empties,
         .limit = kMaxRecentFiles},
    };
    static_assert(kindsMatchMembers<AppSettings>(table));
    return table;
}

std::error_code AppSettings::load() {
    const auto ec = ini_.load(path_);
    readSettings(ini_, rows(), *this);
    return ec;
}

std::error_code AppSettings::save() const {
    IniFile ini;
    if (const auto ec = ini.load(path_)) {
        // What it holds now cannot be kept, so it is not replaced.
        return ec;
    }
    writeSettings(ini, rows(), *this);
    if (const auto ec = files_.makeFolderFor(path_)) {
        return ec;
    }
    return ini.save(path_);
}

void AppSettings::addRecentFile(const std::string& name) {
    if (name.empty()) {
        return;
    }
    removeRecentFile(name);
    recentFiles_.insert(recentFiles_.begin(), name);
    if (recentFiles_.size() > kMaxRecentFiles) {
        recentFiles_.resize(kMaxRecentFiles);
    }
}

void AppSettings::removeRecentFile(const std::string& name) {
    recentFiles_.erase(std::remove(recentFiles_.begin(), recentFiles_.end(), name),
                       recentFiles_.end());
}

} // namespace varnel
