#include "app/TMiravo99App.h"

#include "app/SessionEnd.h"
#include "app/TMiravo99DlgClient.h"
#include "app/TSDIDecFrame.h"
#include "model/FileLocations.h"
#include "model/RecoveryStore.h"
#include "platform/QtRegistrySource.h"
#include "ui/QtPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>

#include <cstdlib>

namespace varnel {

namespace {

std::filesystem::path pathOf(const QString& name) {
    return std::filesystem::path(name.toStdString());
}

// The desktop's folders; the documents folder is the one `xdg-user-dir DOCUMENTS` names.
UserFolders userFolders(const std::filesystem::path& current) {
    UserFolders user;
    user.current = current;
    user.home = pathOf(qEnvironmentVariable("HOME"));
    user.configHome = pathOf(qEnvironmentVariable("XDG_CONFIG_HOME"));
    user.documents = pathOf(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    return user;
}

} // namespace

int runApplication(int& argc, char** argv, const QStringList& files) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnel"));
    QApplication::setApplicationVersion(QStringLiteral("Version 5.51"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/varnel.svg")));
    // Ties the windows to the installed menu entry, whose icon the desktop then shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("app.varnel.Varnel"));

    QtPrompts prompts;
    const QtRegistrySource registry(QtRegistrySource::Hive::LocalMachine);
    QtRegistrySource hotSyncRegistry(QtRegistrySource::Hive::CurrentUser);
    ClientEnvironment environment;
    environment.prompts = &prompts;
    environment.settingsRegistry = &registry;
    environment.hotSyncRegistry = &hotSyncRegistry;
    environment.currentFolder = std::filesystem::path(QDir::currentPath().toStdString());
    environment.files = locateFiles(userFolders(environment.currentFolder));
    environment.recoveryFolder = recoveryFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
    if (!files.isEmpty()) {
        environment.namedDocument = QFileInfo(files.front()).absoluteFilePath().toStdString();
    }

    auto* client = new TMiravo99DlgClient(environment);
    TSDIDecFrame frame(client);
    client->setupWindow();
    frame.show();
    const SessionEnd sessionEnd([client] { client->writeRecoveryNow(); });
    return QApplication::exec();
}

} // namespace varnel
