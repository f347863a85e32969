#pragma once
// What the main window needs from outside; tests hand in scripted versions.

#include "model/FileLocations.h"
#include "model/RegistrySource.h"
#include "ui/Prompts.h"

#include <QUrl>

#include <filesystem>
#include <functional>
#include <optional>

class QDialog;

namespace varnel {

struct ClientEnvironment {
    Prompts* prompts = nullptr;
    const RegistrySource* settingsRegistry = nullptr;
    // The current user's keys, where the HotSync folder is registered; none: always asked.
    RegistrySource* hotSyncRegistry = nullptr;
    std::filesystem::path currentFolder;
    // Where "Varnel.ini" and the default document go; none: in currentFolder.
    std::optional<FileLocations> files;
    // Runs a modal dialog and returns its result; tests answer without an event loop.
    std::function<int(QDialog&)> runDialog;
    // Hands a link to the desktop (mail program, browser); tests record it instead.
    std::function<bool(const QUrl&)> openUrl;
    // Where recovery copies of the open document are kept; none: no copies.
    std::filesystem::path recoveryFolder;
    // A list named on the command line: the only one read, and its copy the one offered.
    std::optional<std::filesystem::path> namedDocument;
};

} // namespace varnel
