#pragma once
// Reading a document with the settings file beside it, the way every opening does.

#include "model/DocumentSettings.h"
#include "model/FileOutcome.h"
#include "model/GearDocument.h"

#include <filesystem>

namespace varnel {

// Reads the per-file settings beside `document` (its name with ".ini"), applies the display unit
// and the user column count to the document, then reads the gear data file into it. The caller
// has emptied the document. A settings file that is there but cannot be read is named in the
// outcome (settingsMessage) and leaves the settings as they were.
FileOutcome readDocumentWithSettings(const std::filesystem::path& document,
                                     const std::filesystem::path& currentFolder, GearDocument& into,
                                     DocumentSettings& settings);

class AppSettings;

// The default document in a folder, for reading and writing alike: on a case-sensitive file
// system two spellings would be two files.
std::filesystem::path defaultDocumentPath(const std::filesystem::path& currentFolder);

// Where a write goes: the name given when there is one and the document has a name, otherwise
// the default document in the current folder.
std::filesystem::path writeTarget(const std::filesystem::path& given,
                                  const std::filesystem::path& documentName,
                                  const std::filesystem::path& currentFolder);

// Writes the document: the gear data file, then the per-file settings beside the target (keeping
// whatever else that file holds; one that cannot be read is left as it is and reported), then
// `documentName` as the last file, each through a temporary file. The list it replaces is kept as
// backupPath(target). When the list cannot be written nothing else is; the first failure is
// returned and the previous files stay (a backup that could not be kept after the list was
// written is a partial failure). A handheld document's list is not written here (its own writer
// does it).
FileOutcome writeDocumentFiles(const std::filesystem::path& target,
                               const std::filesystem::path& documentName,
                               const GearDocument& document, const DocumentSettings& settings,
                               AppSettings& appSettings,
                               const std::filesystem::path& currentFolder);

// The same without the last-file entry, for the command line, which leaves the application
// settings alone.
FileOutcome writeListAndSettings(const std::filesystem::path& target, const GearDocument& document,
                                 const DocumentSettings& settings,
                                 const std::filesystem::path& currentFolder);

} // namespace varnel
