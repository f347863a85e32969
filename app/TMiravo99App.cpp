#include "app/TMiravo99App.h"

#include "app/TMiravo99DlgClient.h"
#include "app/TSDIDecFrame.h"
#include "platform/QtRegistrySource.h"
#include "ui/QtPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

namespace varnel {

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

    auto* client = new TMiravo99DlgClient(environment);
    TSDIDecFrame frame(client);
    client->setupWindow();
    if (!files.isEmpty()) {
        client->openChosenDocument(
            std::filesystem::path(QFileInfo(files.front()).absoluteFilePath().toStdString()));
    }
    frame.show();
    return QApplication::exec();
}

} // namespace varnel
