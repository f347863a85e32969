#include "model/DocumentFiles.h"

#include "model/GearDataReader.h"
#include "model/IniFile.h"

namespace varnel {

ReadOutcome readDocumentWithSettings(const std::filesystem::path& document,
                                     const std::filesystem::path& currentFolder, GearDocument& into,
                                     DocumentSettings& settings) {
    IniFile ini;
    // An unreadable settings file leaves the settings as they are, like a missing one.
    (void)ini.load(documentSettingsPath(document, currentFolder));
    readDocumentSettings(ini, settings);
    into.metric = settings.metric;
    into.userColumnCount = settings.userColumns;
    return readGearDataFile(document, into);
}

} // namespace varnel
