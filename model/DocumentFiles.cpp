#include "model/DocumentFiles.h"

#include "model/AppSettings.h"
#include "model/AtomicFile.h"
#include "model/GearDataReader.h"
#include "model/GearDataWriter.h"
#include "model/IniFile.h"

namespace varnel {

FileOutcome readDocumentWithSettings(const std::filesystem::path& document,
                                     const std::filesystem::path& currentFolder, GearDocument& into,
                                     DocumentSettings& settings) {
    IniFile ini;
    const auto settingsFile = documentSettingsPath(document, currentFolder);
    // An unreadable settings file leaves the settings as they are, like a missing one, but the
    // user is told: it will not be written over.
    const std::error_code settingsError = ini.load(settingsFile);
    readDocumentSettings(ini, settings);
    into.metric = settings.metric;
    into.userColumnCount = settings.userColumns;
    FileOutcome outcome = readGearDataFile(document, into);
    if (settingsError) {
        outcome.settingsFile = settingsFile;
        outcome.settingsReason = settingsError.message();
    }
    return outcome;
}

std::filesystem::path defaultDocumentPath(const std::filesystem::path& currentFolder) {
    return currentFolder / "GearData.dat";
}

std::filesystem::path writeTarget(const std::filesystem::path& given,
                                  const std::filesystem::path& documentName,
                                  const std::filesystem::path& currentFolder) {
    if (!given.empty() && !documentName.empty()) {
        return given;
    }
    return defaultDocumentPath(currentFolder);
}

namespace {

// The list, with the version it replaces kept as the backup. Only a failure to keep that backup
// after the list was written is partial.
WriteOutcome writeListKeepingBackup(const std::filesystem::path& target,
                                    const GearDocument& document) {
    const BackupOutcome written = replaceFileKeepingBackup(target, serializeGearData(document));
    WriteOutcome outcome;
    if (!written.ok()) {
        outcome.error = written.message();
        outcome.partial = written.replaced;
    }
    return outcome;
}

} // namespace

WriteOutcome writeListAndSettings(const std::filesystem::path& target, const GearDocument& document,
                                  const DocumentSettings& settings,
                                  const std::filesystem::path& currentFolder) {
    // The list first: the settings must never describe a list that was not written.
    WriteOutcome outcome;
    if (!document.handheldDocument) {
        outcome = writeListKeepingBackup(target, document);
        if (!outcome.ok() && !outcome.partial) {
            return outcome;
        }
    }
    IniFile ini;
    const auto settingsFile = documentSettingsPath(target, currentFolder);
    if (const auto unreadable = ini.load(settingsFile)) {
        // What it holds cannot be kept, so it is not replaced.
        if (!outcome.error) {
            outcome.error = unreadableSettingsMessage(settingsFile, unreadable.message()).text;
        }
    } else {
        writeDocumentSettings(ini, settings);
        if (const auto ec = ini.save(settingsFile); ec && !outcome.error) {
            outcome.error = settingsFile.string() + ": " + ec.message();
        }
    }
    outcome.partial = outcome.error.has_value();
    return outcome;
}

WriteOutcome writeDocumentFiles(const std::filesystem::path& target,
                                const std::filesystem::path& documentName,
                                const GearDocument& document, const DocumentSettings& settings,
                                AppSettings& appSettings,
                                const std::filesystem::path& currentFolder) {
    WriteOutcome outcome = writeListAndSettings(target, document, settings, currentFolder);
    if (!outcome.ok() && !outcome.partial) {
        return outcome; // the last-file entry must not point at a list that was not written
    }
    appSettings.setLastFile(documentName.string());
    if (const auto ec = appSettings.save(); ec && !outcome.error) {
        outcome.error = appSettings.path().string() + ": " + ec.message();
    }
    outcome.partial = outcome.error.has_value();
    return outcome;
}

} // namespace varnel
