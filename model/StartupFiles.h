#pragma once
// The files the program starts with: the per-file settings file chosen from the last document,
// the document beside it, and the three list colours read or migrated at once.

#include "model/DocumentSettings.h"
#include "model/FileLocations.h"
#include "model/IniFile.h"
#include "model/RegistrySource.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace varnel {

struct StartupFiles {
    std::filesystem::path settingsFile;
    std::filesystem::path documentFile;
    // When false the one-time migration is still to run.
    bool settingsExisted = false;
    std::uint32_t backColor = kDefaultBackColor;
    std::uint32_t altColor = kDefaultAltColor;
    std::uint32_t groupColor = kDefaultGroupColor;
    // The per-file settings as read, or as just written with the colours.
    IniFile settings;
    // The OS's text when reading or writing the per-file settings file failed; nothing is shown
    // to the user.
    std::optional<std::string> error;
};

// The last document named in "Varnel.ini" (relative to the current folder), else the default
// document of files.documentFolder.
StartupFiles chooseStartupFiles(const FileLocations& files, const RegistrySource& registry);

// With "Varnel.ini" and the default document in `currentFolder`.
StartupFiles chooseStartupFiles(const std::filesystem::path& currentFolder,
                                const RegistrySource& registry);

} // namespace varnel
