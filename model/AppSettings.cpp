#include "model/AppSettings.h"

#include <algorithm>

namespace varnel {

namespace {

constexpr std::string_view kLastFileSection = "LASTFILE";
constexpr std::string_view kLastFileKey = "FILE";
// The recent files live in "MRU" as File1 (most recent) to File4. Names are compared exactly:
// two spellings of a name on a case-sensitive file system are two files.
constexpr std::string_view kRecentSection = "MRU";

std::string recentKey(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

} // namespace

AppSettings::AppSettings(const std::filesystem::path& folder)
    : AppSettings(FileLocations::inCurrentFolder(folder)) {}

AppSettings::AppSettings(const FileLocations& files)
    : files_(files), path_(files.settingsFolder / kFileName) {}

std::error_code AppSettings::load() {
    lastFile_.clear();
    recentFiles_.clear();
    const auto ec = ini_.load(path_);
    lastFile_ = ini_.readString(kLastFileSection, kLastFileKey).value_or(std::string());
    for (std::size_t i = 0; i < kMaxRecentFiles; ++i) {
        auto name = ini_.readString(kRecentSection, recentKey(i));
        if (name && !name->empty() &&
            std::find(recentFiles_.begin(), recentFiles_.end(), *name) == recentFiles_.end()) {
            recentFiles_.push_back(std::move(*name));
        }
    }
    return ec;
}

void AppSettings::storeInto(IniFile& ini) const {
    ini.writeString(kLastFileSection, kLastFileKey, lastFile_);
    for (std::size_t i = 0; i < kMaxRecentFiles; ++i) {
        if (i < recentFiles_.size()) {
            ini.writeString(kRecentSection, recentKey(i), recentFiles_[i]);
        } else {
            ini.removeKey(kRecentSection, recentKey(i));
        }
    }
}

std::error_code AppSettings::save() const {
    IniFile ini;
    if (const auto ec = ini.load(path_)) {
        // What it holds now cannot be kept, so it is not replaced.
        return ec;
    }
    storeInto(ini);
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
