#pragma once
// The application settings file "Varnel.ini": the last document and the recent-files list.

#include "model/FileLocations.h"
#include "model/IniFile.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace varnel {

class AppSettings {
public:
    static constexpr std::string_view kFileName = "Varnel.ini";
    static constexpr std::size_t kMaxRecentFiles = 4;

    explicit AppSettings(const std::filesystem::path& folder);
    // In files.settingsFolder, made at the first save when it is ours to make.
    explicit AppSettings(const FileLocations& files);

    const std::filesystem::path& path() const { return path_; }
    bool fileExists() const { return IniFile::exists(path_); }

    // A missing file leaves everything empty and is no error.
    std::error_code load();
    // Writes our keys over the file as it is on disk now (another running copy may have changed
    // it), keeping whatever else it holds. A file there that cannot be read is left alone and its
    // error returned.
    std::error_code save() const;

    const std::string& lastFile() const { return lastFile_; }
    void setLastFile(std::string name) { lastFile_ = std::move(name); }

    // Most recent first, at most kMaxRecentFiles names.
    const std::vector<std::string>& recentFiles() const { return recentFiles_; }
    // Puts `name` at the top; a name already in the list moves there; the oldest drops off.
    void addRecentFile(const std::string& name);
    void removeRecentFile(const std::string& name);

private:
    void storeInto(IniFile& ini) const;

    FileLocations files_;
    std::filesystem::path path_;
    IniFile ini_;
    std::string lastFile_;
    std::vector<std::string> recentFiles_;
};

} // namespace varnel
