#include "model/DocumentFiles.h"

#include "model/AppSettings.h"
#include "model/AtomicFile.h"
#include "model/GearDataReader.h"
#include "model/GearDataWriter.h"
#include "model/IniFile.h"

#include <utility>

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

// A file saved beside the list that failed after the list was written: the first such failure
// is the one told, with the file's name.
void besideFailed(FileOutcome& outcome, const std::filesystem::path& file, std::error_code ec,
                  std::string reason) {
    if (outcome.ok()) {
        outcome = FileOutcome::written(FileOutcome::Task::Save, file, ec);
        outcome.reason = std::move(reason);
    }
}

} // namespace

FileOutcome writeListAndSettings(const std::filesystem::path& target, const GearDocument& document,
                                 const DocumentSettings& settings,
                                 const std::filesystem::path& currentFolder) {
    // The list first, with the version it replaces kept as the backup: the settings must never
    // describe a list that was not written.
    FileOutcome outcome = FileOutcome::written(FileOutcome::Task::Save, target, {});
    if (!document.handheldDocument) {
        outcome = replaceFileKeepingBackup(target, serializeGearData(document));
        if (!outcome.ok() && !outcome.partial) {
            return outcome;
        }
    }
    IniFile ini;
    const auto settingsFile = documentSettingsPath(target, currentFolder);
    if (const auto unreadable = ini.load(settingsFile)) {
        // What it holds cannot be kept, so it is not replaced.
        besideFailed(outcome, settingsFile, unreadable,
                     unreadableSettingsMessage(settingsFile, unreadable.message()).text);
    } else {
        writeDocumentSettings(ini, settings);
        if (const auto ec = ini.save(settingsFile)) {
            besideFailed(outcome, settingsFile, ec, settingsFile.string() + ": " + ec.message());
        }
    }
    outcome.partial = !outcome.ok();
    return outcome;
}

FileOutcome writeDocumentFiles(const std::filesystem::path& target,
                               const std::filesystem::path& documentName,
                               const GearDocument& document, const DocumentSettings& settings,
                               AppSettings& appSettings,
                               const std::filesystem::path& currentFolder) {
    FileOutcome outcome = writeListAndSettings(target, document, settings, currentFolder);
    if (!outcome.ok() && !outcome.partial) {
        return outcome; // the last-file entry must not point at a list that was not written
    }
    appSettings.setLastFile(documentName.string());
    if (const auto ec = appSettings.save()) {
        besideFailed(outcome, appSettings.path(), ec,
                     appSettings.path().string() + ": " + ec.message());
    }
    outcome.partial = !outcome.ok();
    return outcome;
}

} // namespace varnel
