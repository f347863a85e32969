#include "model/StartupFiles.h"

#include "model/AppSettings.h"

namespace varnel {

StartupFiles chooseStartupFiles(const std::filesystem::path& currentFolder,
                                const RegistrySource& registry) {
    return chooseStartupFiles(FileLocations::inCurrentFolder(currentFolder), registry);
}

StartupFiles chooseStartupFiles(const FileLocations& locations, const RegistrySource& registry) {
    StartupFiles files;
    std::filesystem::path lastFile;
    AppSettings app(locations);
    if (app.fileExists()) {
        app.load();
        lastFile = app.lastFile();
    }
    if (lastFile.empty()) {
        files.settingsFile = locations.documentFolder / "GearData.ini";
    } else {
        if (lastFile.is_relative()) {
            lastFile = locations.currentFolder / lastFile;
        }
        files.settingsFile = lastFile.replace_extension(".ini");
    }
    files.documentFile = files.settingsFile;
    files.documentFile.replace_extension(".dat");

    files.settingsExisted = IniFile::exists(files.settingsFile);
    if (files.settingsExisted) {
        if (const auto ec = files.settings.load(files.settingsFile)) {
            files.error = ec.message();
        }
        files.backColor = readColour(files.settings, "BACKCOLOR").value_or(kDefaultBackColor);
        files.altColor = readColour(files.settings, "ALTCOLOR").value_or(kDefaultAltColor);
        files.groupColor = readColour(files.settings, "GROUPCOLOR").value_or(kDefaultGroupColor);
        return files;
    }

    if (const auto key = registry.open(kSettingsRegistryKey)) {
        // Black is treated as missing here too, as it is whenever a stored colour is read.
        auto colour = [&key](std::string_view name, std::uint32_t fallback) {
            const auto value = key->dword(name);
            return value && *value != 0 ? *value : fallback;
        };
        files.backColor = colour("BackColor", kDefaultBackColor);
        files.altColor = colour("AltColor", kDefaultAltColor);
        files.groupColor = colour("GroupColor", kDefaultGroupColor);
    }
    writeColour(files.settings, "BACKCOLOR", files.backColor);
    writeColour(files.settings, "ALTCOLOR", files.altColor);
    writeColour(files.settings, "GROUPCOLOR", files.groupColor);
    std::error_code ec = locations.makeFolderFor(files.settingsFile);
    if (!ec) {
        ec = files.settings.save(files.settingsFile);
    }
    if (ec) {
        files.error = ec.message();
    }
    return files;
}

} // namespace varnel
